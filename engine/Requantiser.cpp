#include "engine/Requantiser.h"

#include <cmath>

namespace orv {

namespace {
// Below this the add-and-subtract flush of 1e-30 stalls at a few hundred of its units
// instead of reaching zero; the output there is far below anything the final clip lets
// through, so the fade ends at exactly 0.0 instead.
constexpr double kFadeFloor = 1e-30;
constexpr double kSilence = 1e-8;
}  // namespace

void Requantiser::reset() {
    for (int32_t i = 0; i < kMaxTaps; ++i) {
        errorL_[i] = 0.0;
        errorR_[i] = 0.0;
    }
    errorPos_ = 0;
    fadeGain_ = kInitialFadeGain;
    restart_.store(false, std::memory_order_relaxed);
}

void Requantiser::setWordLength(int32_t bitsIndex) {
    if (bitsIndex < 0) bitsIndex = 0;
    if (bitsIndex >= kWordLengths) bitsIndex = kWordLengths - 1;
    // 8 + 4 i bits: 2^(7 + 4 i) steps per unit.
    steps_ = std::ldexp(1.0, 7 + 4 * bitsIndex);
    stepSize_ = 1.0 / steps_;
    range_ = 2147483648.0 * stepSize_ - 2.0;
}

void Requantiser::updateFade(StereoPair in, bool autoblackOn) {
    const double l = std::fabs(in.l);
    const double r = std::fabs(in.r);
    const double loudest = l > r ? l : r;
    if (loudest > kSilence || !autoblackOn) {
        fadeGain_ = 1.0;
    } else {
        fadeGain_ -= fadeGain_ * fadeCoef_;
    }
    fadeGain_ += 1e-30;
    fadeGain_ -= 1e-30;
    if (fadeGain_ < kFadeFloor) fadeGain_ = 0.0;
}

double Requantiser::quantise(double x, double& error) {
    // Far outside full scale (only reachable in bypass) the scaled value would leave the
    // 32-bit integer range; held at its edge, the stored error stays a rounding error and
    // the histories stay finite. NaN goes to the lower edge.
    if (!(x >= -range_)) x = -range_;
    if (x > range_) x = range_;
    const double d = noise_.ditherDraw();
    // The "+ steps" offset turns truncation into floor for anything above -1, so this rounds
    // to the nearest step after the dither is added.
    const double q = (static_cast<double>(static_cast<int32_t>(d + x * steps_ + steps_ + 0.5)) - steps_) * stepSize_;
    error = q - x;
    return q;
}

StereoPair Requantiser::process(StereoPair in, ShapingFilter filter, bool autoblackOn) {
    if (restart_.load(std::memory_order_relaxed) && restart_.exchange(false, std::memory_order_acquire)) {
        errorPos_ = 0;
    }
    updateFade(in, autoblackOn);

    // A set and a tap count published without the lock may pair old with new for one sample;
    // clamping keeps every position inside the 32-entry rings.
    int32_t taps = filter.taps;
    if (taps < 1) taps = 1;
    if (taps > kMaxTaps) taps = kMaxTaps;
    const double* c = filter.coefficients;
    double sumL = 0.0;
    double sumR = 0.0;
    int32_t p = errorPos_;
    for (int32_t j = 0; j < taps; ++j) {
        sumL += c[j] * errorL_[p];
        sumR += c[j] * errorR_[p];
        if (--p < 0) p = taps - 1;
    }
    if (++errorPos_ >= taps) errorPos_ = 0;

    const double xL = in.l - sumL;
    const double xR = in.r - sumR;
    const double qL = quantise(xL, errorL_[errorPos_]);
    const double qR = quantise(xR, errorR_[errorPos_]);
    return {qL * fadeGain_, qR * fadeGain_};
}

}  // namespace orv
