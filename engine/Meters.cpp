#include "engine/Meters.h"

#include <cmath>

namespace orv {

namespace {
// The peak meters keep single-precision magnitudes, as they are read out.
double roundedMagnitude(double x) { return static_cast<double>(static_cast<float>(std::fabs(x))); }
// The output mean square takes the rounded magnitude squared in single precision.
double roundedSquare(double x) {
    const float f = static_cast<float>(std::fabs(x));
    return static_cast<double>(f * f);
}
double bit(int32_t mask, int index) { return (mask >> index) & 1 ? 1.0 : 0.0; }
}  // namespace

Meters::Meters() { reset(); }

void Meters::reset() {
    for (int ch = 0; ch < 2; ++ch) {
        inputPeak_[ch] = 0.0;
        outputPeak_[ch] = 0.0;
        inputMeanSquare_[ch] = 0.0;
        outputMeanSquare_[ch] = 0.0;
        gainReduction_[ch] = 1.0;
    }
    requests_.store(0, std::memory_order_relaxed);
    interpolator_.reset();
}

void Meters::beginBlock(double inputScale, int32_t attShowMask) {
    inputScale_ = inputScale;
    showStage1_ = bit(attShowMask, 0);
    showStage2_ = bit(attShowMask, 1);
    showLeveller_ = bit(attShowMask, 2);
}

void Meters::serviceRequests() {
    if (requests_.load(std::memory_order_relaxed) == 0) return;
    // Taking the flags in one exchange loses no request that arrives meanwhile; acquire pairs
    // with the reader's release, so its reads are done before the values start over.
    const uint8_t requests = requests_.exchange(0, std::memory_order_acquire);
    for (int ch = 0; ch < 2; ++ch) {
        if (requests & kNewInterval) {
            inputPeak_[ch] = 0.0;
            outputPeak_[ch] = 0.0;
        }
        if (requests & (kNewInterval | kNewGainReduction)) gainReduction_[ch] = 1.0;
    }
}

void Meters::raise(Relaxed<double>& peak, double magnitude) {
    if (magnitude > peak.load()) peak = magnitude;
}

void Meters::accumulate(Relaxed<double>& meanSquare, double square) const {
    const double m = meanSquare.load();
    meanSquare = m + (square - m) * coef_;
}

void Meters::measureInput(StereoPair dry) {
    const double in[2] = {dry.l * inputScale_, dry.r * inputScale_};
    for (int ch = 0; ch < 2; ++ch) {
        raise(inputPeak_[ch], roundedMagnitude(in[ch]));
        accumulate(inputMeanSquare_[ch], in[ch] * in[ch]);
    }
}

double Meters::displayedGain(double gain, double stage1, double leveller) const {
    return ((gain / stage1) * showStage2_ + 1.0 - showStage2_) * (stage1 * showStage1_ + 1.0 - showStage1_) *
           (leveller * showLeveller_ + 1.0 - showLeveller_);
}

void Meters::measureGain(int channel, double gain, double stage1, double leveller) {
    const double shown = displayedGain(gain, stage1, leveller);
    if (shown < gainReduction_[channel].load()) gainReduction_[channel] = shown;
}

void Meters::measureOutput(StereoPair out, bool oversampled) {
    interpolator_.push(out.l, out.r);
    const bool between = oversampled && interpolator_.mode() != 0;
    const double direct[2] = {out.l, out.r};
    for (int ch = 0; ch < 2; ++ch) {
        // Between samples the peak looks around the centre sample, 31 samples back, and the
        // mean square follows that centre, so both stay aligned.
        const double peak = between ? interpolator_.largestMagnitude(ch) : direct[ch];
        const double level = between ? interpolator_.centre(ch) : direct[ch];
        raise(outputPeak_[ch], roundedMagnitude(peak));
        accumulate(outputMeanSquare_[ch], roundedSquare(level));
    }
}

void Meters::measureGenerated(int channel, double s) {
    raise(outputPeak_[channel], std::fabs(s));
    inputPeak_[channel] = outputPeak_[channel].load();
    accumulate(outputMeanSquare_[channel], s * s);
    inputMeanSquare_[channel] = outputMeanSquare_[channel].load();
}

void Meters::silenceChannel(int channel) {
    inputPeak_[channel] = 0.0;
    outputPeak_[channel] = 0.0;
    inputMeanSquare_[channel] = 0.0;
    outputMeanSquare_[channel] = 0.0;
}

void Meters::read(float values[kValueCount]) {
    for (int ch = 0; ch < 2; ++ch) {
        values[0 + ch] = static_cast<float>(inputPeak_[ch].load());
        values[2 + ch] = static_cast<float>(outputPeak_[ch].load());
        values[4 + ch] = static_cast<float>(std::sqrt(2.0 * inputMeanSquare_[ch].load()));
        values[6 + ch] = static_cast<float>(std::sqrt(2.0 * outputMeanSquare_[ch].load()));
        values[8 + ch] = static_cast<float>(gainReduction_[ch].load());
    }
    // Release: the values above are read before the audio thread starts the next interval.
    requests_.fetch_or(kNewInterval, std::memory_order_release);
}

void Meters::resetGainReduction() {
    for (int ch = 0; ch < 2; ++ch) gainReduction_[ch] = 1.0;
    // The audio thread may be mid-sample with an older minimum; it starts over again itself.
    requests_.fetch_or(kNewGainReduction, std::memory_order_release);
}

}  // namespace orv
