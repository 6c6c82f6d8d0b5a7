#pragma once

#include "dsp/PeakInterpolator.h"
#include "dsp/StereoPair.h"

namespace orv {

// The limiter's detector: delays the levelled signal by 31 samples and measures its
// magnitude there, either the plain sample or the inter-sample peak estimate around it.
class Detector {
public:
    static constexpr int kDelay = 31;
    static constexpr double kFloor = 1e-5;
    // Margin for peaks between the interpolated points.
    static constexpr double kInterSampleMargin = 1.001;

    bool valid() const { return interpolator_.valid(); }
    void setInterpolationMode(int mode) { interpolator_.setMode(mode); }
    void reset() { interpolator_.reset(); }

    // Pushes the levelled pair; afterwards delayed() and magnitude() describe the pair of 31 samples ago.
    void push(StereoPair levelled) { interpolator_.push(levelled.l, levelled.r); }
    StereoPair delayed() const { return {interpolator_.centre(0), interpolator_.centre(1)}; }
    // Never below 1e-5, so silence cannot drive a divisor to zero.
    StereoPair magnitude(bool interSample) const {
        if (interSample && interpolator_.mode() != 0)
            return {floored(kInterSampleMargin * interpolator_.largestMagnitude(0)),
                    floored(kInterSampleMargin * interpolator_.largestMagnitude(1))};
        const StereoPair c = delayed();
        return {floored(c.l < 0 ? -c.l : c.l), floored(c.r < 0 ? -c.r : c.r)};
    }

private:
    static double floored(double m) { return m > kFloor ? m : kFloor; }

    PeakInterpolator interpolator_;
};

}  // namespace orv
