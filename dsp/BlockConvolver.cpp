#include "dsp/BlockConvolver.h"

#include "dsp/RealFft.h"
#include "dsp/SmoothingKernel.h"

namespace orv {

BlockConvolver::BlockConvolver()
    : spectrum_(kSpectrumRoom), frameL_(kFrameRoom), frameR_(kFrameRoom), tailL_(kTailRoom), tailR_(kTailRoom) {
    setShapeLength(64);
    reset();
}

bool BlockConvolver::valid() const {
    return spectrum_.valid() && frameL_.valid() && frameR_.valid() && tailL_.valid() && tailR_.valid();
}

void BlockConvolver::setShapeLength(int n) {
    if (n < kMinLength || n > kMaxLength || (n & (n - 1)) != 0 || !spectrum_.valid()) return;
    length_ = n;
    double taps[kMaxLength];
    smoothingKernel(n, taps);
    // First half of a 2N frame in time layout: tap i in slot 2i, odd slots zero.
    double* spectrum = spectrum_.data();
    for (int i = 0; i < n; ++i) {
        spectrum[2 * i] = taps[i];
        spectrum[2 * i + 1] = 0.0;
    }
    RealFft::forward(2 * n, spectrum);
    RealFft::scale(2 * n, spectrum);
}

void BlockConvolver::reset() {
    frameL_.clear();
    frameR_.clear();
    tailL_.clear();
    tailR_.clear();
    framePos_ = 0;
    tailPos_ = 0;
}

double BlockConvolver::step(double* frame, double* tail) const {
    const double y = frame[framePos_] + tail[tailPos_];
    tail[tailPos_] = frame[framePos_ + 1];
    frame[framePos_ + 1] = 0.0;
    return y;
}

StereoPair BlockConvolver::process(double l, double r) {
    double* frameL = frameL_.data();
    double* frameR = frameR_.data();
    frameL[framePos_] = l;
    frameR[framePos_] = r;
    framePos_ += 2;
    const int frameLength = 2 * length_;
    if (framePos_ >= frameLength) {
        framePos_ = 0;
        tailPos_ = 0;
        double* const frames[] = {frameL, frameR};
        for (double* frame : frames) {
            RealFft::forward(frameLength, frame);
            RealFft::multiply(frameLength, frame, spectrum_.data());
            RealFft::inverse(frameLength, frame);
        }
    }
    const StereoPair out = {step(frameL, tailL_.data()), step(frameR, tailR_.data())};
    ++tailPos_;
    return out;
}

}  // namespace orv
