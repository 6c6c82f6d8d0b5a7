#pragma once

#include "dsp/AlignedBuffer.h"
#include "dsp/DotProduct.h"
#include "dsp/InterpolatorTables.h"

namespace orv {

// Estimates inter-sample peaks of a stereo signal around the sample 31 pushes back (the
// centre) by interpolating between it and its predecessor at two times (mode 1: one point)
// or four times (mode 2: three points) the sample rate. Mode 0 interpolates nothing.
class PeakInterpolator {
public:
    static constexpr int kRing = 64;
    static constexpr int kRoom = 129;
    static constexpr int kMaxPoints = 3;

    PeakInterpolator();

    bool valid() const { return left_.valid() && right_.valid(); }
    int mode() const { return mode_; }
    // 0, 1 or 2; anything else is ignored.
    void setMode(int mode);
    void reset();

    void push(double l, double r) {
        left_[write_] = l;
        left_[write_ + kRing] = l;
        right_[write_] = r;
        right_[write_ + kRing] = r;
        write_ = (write_ + 1) & (kRing - 1);
    }
    // The sample of age 31.
    double centre(int channel) const { return window(channel)[kRing - 1 - 31]; }
    // The interpolated points of the current mode (ages 31.5, or 31.25, 31.5 and 31.75);
    // returns how many were written.
    int points(int channel, double out[kMaxPoints]) const;
    // The largest magnitude among the centre and the points.
    double largestMagnitude(int channel) const;

private:
    // The 64 newest samples of a channel, oldest first.
    const double* window(int channel) const { return (channel == 0 ? left_.data() : right_.data()) + write_; }

    const InterpolatorTables& tables_;
    const Dot3 dot3_;  // the widest version the processor runs
    // Each sample is written twice, 64 slots apart, so the window is always contiguous.
    AlignedBuffer left_, right_;
    int write_ = 0;
    int mode_ = 2;
};

}  // namespace orv
