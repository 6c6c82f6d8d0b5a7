#pragma once

#include "dsp/StereoPair.h"

namespace orv {

// Slow gain riding ahead of the limiter: follows the driven stereo peak with a 1000 ms
// one-pole and pulls it down toward the target when it is louder.
class Leveller {
public:
    static constexpr double kFloor = 1e-5;

    void setSampleRate(double fs);
    void reset() { envelope_ = kFloor; }
    // Updates the envelope with the driven pair and returns the gain for it; 1.0 when off.
    double step(StereoPair driven, double target, bool on) {
        double peak = driven.l < 0 ? -driven.l : driven.l;
        const double right = driven.r < 0 ? -driven.r : driven.r;
        if (right > peak) peak = right;
        if (kFloor > peak) peak = kFloor;
        envelope_ += (peak - envelope_) * coef_;
        return (!on || target >= envelope_) ? 1.0 : target / envelope_;
    }
    double envelope() const { return envelope_; }

private:
    double coef_ = 0.0;
    double envelope_ = kFloor;
};

}  // namespace orv
