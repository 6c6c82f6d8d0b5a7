#pragma once

#include <cstdint>

#include "engine/CalibrationGenerator.h"
#include "engine/EngineSettings.h"
#include "engine/InputGuard.h"
#include "engine/LimiterCore.h"
#include "engine/Meters.h"
#include "engine/Requantiser.h"

namespace orv {

// Runs one host block through the engine's stages in their fixed order: either the
// calibration generator, or per sample the limiter, the meters, the requantiser and the
// final clip. The settings are read once at the start of the block.
class BlockDriver {
public:
    BlockDriver(LimiterCore& limiter, Requantiser& requantiser, Meters& meters, CalibrationGenerator& calibration)
        : limiter_(limiter), requantiser_(requantiser), meters_(meters), calibration_(calibration) {}

    // outL and outR may be the same buffer (only output 0 connected): the right sample is
    // written first, so the buffer carries the left result. Inputs may alias outputs.
    template <typename Sample>
    void process(const EngineSettings& settings, ShapingFilter shaping, const Sample* inL, const Sample* inR,
                 Sample* outL, Sample* outR, int32_t frames) {
        const int32_t calibrate = settings.calibrateMode.load();
        if (calibrate != 0) {
            calibration_.process(outL, outR == outL ? nullptr : outR, frames, calibrate, settings.scaleIndex.load(),
                                 meters_);
            return;
        }
        const BlockValues block = beginBlock(settings, shaping);
        StereoPair in[kChunk];
        LimiterFrame frame[kChunk];
        for (int32_t start = 0; start < frames; start += kChunk) {
            const int32_t count = frames - start < kChunk ? frames - start : kChunk;
            for (int32_t i = 0; i < count; ++i)
                in[i] = {guardedInput(static_cast<double>(inL[start + i])),
                         guardedInput(static_cast<double>(inR[start + i]))};
            limiter_.process(in, frame, count);
            for (int32_t i = 0; i < count; ++i) {
                const StereoPair out = finish(frame[i], block);
                outR[start + i] = static_cast<Sample>(out.r);
                outL[start + i] = static_cast<Sample>(out.l);
            }
        }
    }

private:
    static constexpr int32_t kChunk = 64;

    struct BlockValues {
        ShapingFilter shaping;
        bool quantize;
        bool autoblack;
        bool meterOversampled;
        bool bypassed;
    };

    BlockValues beginBlock(const EngineSettings& settings, ShapingFilter shaping);
    // Meters, requantiser and clip for one limited sample.
    StereoPair finish(const LimiterFrame& frame, const BlockValues& block);

    LimiterCore& limiter_;
    Requantiser& requantiser_;
    Meters& meters_;
    CalibrationGenerator& calibration_;
};

}  // namespace orv
