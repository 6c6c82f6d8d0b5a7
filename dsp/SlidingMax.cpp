#include "dsp/SlidingMax.h"

namespace orv {

SlidingMax::SlidingMax() : tree_(kRoom) { reset(); }

void SlidingMax::setWindow(int window) {
    if (window < 1 || window > kMaxWindow) return;
    window_ = window;
    position_ = 0;
}

void SlidingMax::reset() {
    position_ = 0;
    if (!tree_.valid()) return;
    tree_.clear();
    tree_[0] = kSentinel;
}

}  // namespace orv
