#include "dsp/StereoDelay.h"

namespace orv {

StereoDelay::StereoDelay(int maxLength)
    : left_(static_cast<std::size_t>(maxLength)),
      right_(static_cast<std::size_t>(maxLength)),
      maxLength_(maxLength),
      length_(maxLength) {}

void StereoDelay::setLength(int length) {
    if (length < 1 || length > maxLength_) return;
    length_ = length;
    position_ = 0;
}

void StereoDelay::reset() {
    left_.clear();
    right_.clear();
    position_ = 0;
}

}  // namespace orv
