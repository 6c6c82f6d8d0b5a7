#pragma once

#include <atomic>
#include <cstdint>

#include "dsp/PeakInterpolator.h"
#include "dsp/StereoPair.h"
#include "engine/Relaxed.h"

namespace orv {

// The level and gain-reduction measurements behind the editor's meters.
// The audio thread measures every sample; the editor reads the ten values with read() on its
// own thread without the engine lock. Every published value is an atomic double, and the
// editor asks for a new measuring interval through a request flag that the audio thread
// acts on at its next sample.
class Meters {
public:
    static constexpr int kValueCount = 10;

    Meters();
    Meters(const Meters&) = delete;
    Meters& operator=(const Meters&) = delete;

    bool valid() const { return interpolator_.valid(); }

    // --- set-up (engine lock held) ---
    // Peaks and mean squares 0, gain reductions 1.0, requests dropped, interpolator cleared.
    void reset();
    // 1 - 0.01^(1000 / (600 fs)): a mean square falls to 1 % in 600 ms.
    void setCoefficient(double meterCoef) { coef_ = meterCoef; }
    // 0 none, 1 two times, 2 four times.
    void setInterpolationMode(int mode) { interpolator_.setMode(mode); }

    // --- per block ---
    // inputScale: 1.0 after the drive, else the drive gain at the start of the block.
    // attShowMask: bit 0 shows the release path, bit 1 the brickwall path, bit 2 the leveller.
    void beginBlock(double inputScale, int32_t attShowMask);

    // --- per sample, in this order ---
    // Starts a new interval when one was asked for since the last sample.
    void serviceRequests();
    // dry: the input delayed to line up with the output.
    void measureInput(StereoPair dry);
    // gain: the total gain applied, stage1: the release-path gain, leveller: the leveller's
    // gain. In bypass the displayed gain is 1.0, which never lowers the reading, so the
    // chain skips this call.
    void measureGain(int channel, double gain, double stage1, double leveller);
    // out: the output before requantisation. oversampled: "MeterOvs" is on.
    void measureOutput(StereoPair out, bool oversampled);

    // --- per sample, for the calibration generator ---
    // s is the generated sample of a channel; the input meters show the same as the output.
    void measureGenerated(int channel, double s);
    void silenceChannel(int channel);

    // --- any thread ---
    // Input peak L R, output peak L R, input RMS L R, output RMS L R, gain reduction L R;
    // then asks for a new interval.
    void read(float values[kValueCount]);
    // "AttShow" changed: the gain reductions start over at 1.0.
    void resetGainReduction();

    // Displayed gain of one channel for the current block's display choice.
    double displayedGain(double gain, double stage1, double leveller) const;

private:
    enum Request : uint8_t { kNewInterval = 1, kNewGainReduction = 2 };

    static void raise(Relaxed<double>& peak, double magnitude);
    void accumulate(Relaxed<double>& meanSquare, double square) const;

    PeakInterpolator interpolator_;
    double coef_ = 0.0;
    double inputScale_ = 1.0;
    double showStage1_ = 0.0;
    double showStage2_ = 0.0;
    double showLeveller_ = 0.0;

    Relaxed<double> inputPeak_[2];
    Relaxed<double> outputPeak_[2];
    Relaxed<double> inputMeanSquare_[2];
    Relaxed<double> outputMeanSquare_[2];
    Relaxed<double> gainReduction_[2]{1.0, 1.0};
    std::atomic<uint8_t> requests_{0};
};

}  // namespace orv
