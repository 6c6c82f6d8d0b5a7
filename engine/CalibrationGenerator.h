#pragma once

#include <cstdint>

#include "dsp/StereoPair.h"
#include "engine/Meters.h"
#include "engine/NoiseGenerator.h"

namespace orv {

// Pink noise at the reference level of the chosen K-system scale, for calibrating monitors:
// on the left, the right, or both channels from two independent generators. Replaces the
// whole limiter chain while it runs; the inputs are ignored.
class CalibrationGenerator {
public:
    enum Mode : int32_t { kOff = 0, kLeft = 1, kBothUncorrelated = 2, kRight = 3 };
    static constexpr int kRows = 8;

    // noise: the generator shared with the requantiser's dither.
    explicit CalibrationGenerator(NoiseGenerator& noise) : noise_(noise) {}

    // Counter, rows and sums to 0; the shared noise generator is reset by its owner.
    void reset();

    // K-12 +8 dB, K-14 +6.02 dB, K-20 0 dB over the -20 dB read-out of the plain noise.
    static double levelFactor(int32_t scaleIndex);

    // One sample pair: the silent side of "left" and "right" is 0.0.
    StereoPair next(int32_t mode, double level);

    // One block. outL null or outR null: that channel is not written (no fall-back here).
    // The meters show the generated signal; the gain reductions are left alone.
    template <typename Sample>
    void process(Sample* outL, Sample* outR, int32_t frames, int32_t mode, int32_t scaleIndex, Meters& meters) {
        const double level = levelFactor(scaleIndex);
        for (int32_t i = 0; i < frames; ++i) {
            const StereoPair s = next(mode, level);
            if (outL) outL[i] = static_cast<Sample>(s.l);
            if (outR) outR[i] = static_cast<Sample>(s.r);
            meters.serviceRequests();
            measure(meters, 0, mode != kRight, s.l);
            measure(meters, 1, mode != kLeft, s.r);
        }
    }

private:
    struct Pink {
        double rows[kRows];
        double sum;
    };

    // The Voss-McCartney step: row k changes every 2^(k+1) samples.
    static double pinkStep(Pink& pink, int row, double rowValue, double white, double level);
    int row() const;
    static void measure(Meters& meters, int channel, bool carriesNoise, double s);

    NoiseGenerator& noise_;
    uint32_t counter_ = 0;
    Pink left_{};
    Pink right_{};
};

}  // namespace orv
