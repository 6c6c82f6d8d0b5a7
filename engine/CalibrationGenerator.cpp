#include "engine/CalibrationGenerator.h"

#include <bit>
#include <cmath>

namespace orv {

void CalibrationGenerator::reset() {
    counter_ = 0;
    left_ = Pink{};
    right_ = Pink{};
}

double CalibrationGenerator::levelFactor(int32_t scaleIndex) {
    switch (scaleIndex) {
    case 0: return 2.5118864315;
    case 1: return 2.0;
    default: return 1.0;
    }
}

int CalibrationGenerator::row() const {
    const uint32_t low = counter_ & 0x7Fu;
    return low == 0 ? kRows - 1 : std::countr_zero(low);
}

double CalibrationGenerator::pinkStep(Pink& pink, int row, double rowValue, double white, double level) {
    pink.sum += rowValue - pink.rows[row];
    pink.rows[row] = rowValue;
    // Nine uniform sources have a variance of 3: unit variance, then an RMS of 0.1/sqrt(2),
    // which the meters' sqrt(2 * mean square) shows as -20 dB.
    return (white + pink.sum) * 0.1 / std::sqrt(2.0) / std::sqrt(3.0) * level;
}

StereoPair CalibrationGenerator::next(int32_t mode, double level) {
    const int k = row();
    StereoPair out{0.0, 0.0};
    if (mode == kBothUncorrelated) {
        const double rowL = noise_.uniformDraw();
        const double rowR = noise_.uniformDraw();
        const double whiteL = noise_.uniformDraw();
        const double whiteR = noise_.uniformDraw();
        out.l = pinkStep(left_, k, rowL, whiteL, level);
        out.r = pinkStep(right_, k, rowR, whiteR, level);
    } else {
        const double rowValue = noise_.uniformDraw();
        const double white = noise_.uniformDraw();
        // "right" runs the left generator too, so switching sides keeps one noise.
        const double value = pinkStep(left_, k, rowValue, white, level);
        if (mode == kRight) {
            out.r = value;
        } else {
            out.l = value;
        }
    }
    ++counter_;
    return out;
}

void CalibrationGenerator::measure(Meters& meters, int channel, bool carriesNoise, double s) {
    if (carriesNoise) {
        meters.measureGenerated(channel, s);
    } else {
        meters.silenceChannel(channel);
    }
}

}  // namespace orv
