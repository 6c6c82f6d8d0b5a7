#pragma once

#include "dsp/AlignedBuffer.h"
#include "dsp/StereoPair.h"

namespace orv {

// FIR smoothing of the brickwall envelope, both channels in lockstep: the N-tap smoothing
// kernel applied block by block (N samples) by overlap-add with the real FFT of length 2N.
// The output is the smoothed input N - 1 samples late.
class BlockConvolver {
public:
    static constexpr int kMinLength = 4;
    static constexpr int kMaxLength = 128;  // the spectrum buffer's room
    static constexpr int kFrameRoom = 2048;
    static constexpr int kTailRoom = 1024;
    static constexpr int kSpectrumRoom = 256;

    BlockConvolver();

    bool valid() const;
    int length() const { return length_; }
    // Stores N and rebuilds the kernel spectrum. N must be a power of two 4 .. 128;
    // any other value is ignored. The caller resets afterwards.
    void setShapeLength(int n);
    // Frames and tails zero, positions 0.
    void reset();
    StereoPair process(double l, double r);

private:
    double step(double* frame, double* tail) const;

    AlignedBuffer spectrum_;
    AlignedBuffer frameL_, frameR_;
    AlignedBuffer tailL_, tailR_;
    int length_ = 0;
    int framePos_ = 0;
    int tailPos_ = 0;
};

}  // namespace orv
