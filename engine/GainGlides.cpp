#include "engine/GainGlides.h"

#include <cmath>

namespace orv {

void GainGlides::setSampleRate(double fs) {
    constexpr double kTwoPiTimes30Hz = 188.49555921538757;
    coef_ = 1.0 - std::exp(-kTwoPiTimes30Hz / fs);
}

}  // namespace orv
