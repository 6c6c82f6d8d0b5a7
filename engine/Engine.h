#pragma once

#include <cstdint>

#include "dsp/NoiseShapeBank.h"
#include "engine/BlockDriver.h"
#include "engine/CalibrationGenerator.h"
#include "engine/EngineGeometry.h"
#include "engine/EngineSettings.h"
#include "engine/LimiterCore.h"
#include "engine/Meters.h"
#include "engine/NoiseGenerator.h"
#include "engine/Relaxed.h"
#include "engine/Requantiser.h"

namespace orv {

// Owns every DSP buffer and all signal state of one effect instance.
// Set-up and processing calls are made with the engine lock held by the caller;
// the setting setters may be called on any thread without it.
class Engine {
public:
    static constexpr int kMeterValueCount = Meters::kValueCount;

    // Set up for 44100 Hz with "TransShape" soft, all state cleared.
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // False when a buffer could not be allocated; process() then writes silence.
    bool valid() const;

    // --- set-up (engine lock held) ---
    // Recomputes everything rate-dependent when the working rate changes, then clears all
    // signal history (also when it does not change).
    void setSampleRate(float rate);
    // Clears all signal history; the gains start at their targets.
    void suspend();
    // Re-sizes the brickwall window and clears all signal history, only when the index changes.
    void setTransShape(int32_t index);
    int32_t latency() const { return geometry_.latency(); }
    const EngineGeometry& geometry() const { return geometry_; }
    // The requantiser's coefficient set and tap count in use.
    const NoiseShapeBank& noiseShapes() const { return shapes_; }

    // --- parameter-derived settings (any thread) ---
    EngineSettings& settings() { return settings_; }
    const EngineSettings& settings() const { return settings_; }
    void setReleaseMs(double ms);
    void setTransientMix(double mix);
    void setNoiseShapeType(int32_t type);
    void setAttShowMask(int32_t mask);

    // --- audio (engine lock held) ---
    // outL and outR may be the same buffer: the right sample is written first.
    void process(const float* inL, const float* inR, float* outL, float* outR, int32_t frames);
    void process(const double* inL, const double* inR, double* outL, double* outR, int32_t frames);

    // Ten readings in the order of the meters; marks them as read (no lock).
    void getMeterValues(float values[kMeterValueCount]);

private:
    template <typename Sample>
    void processBlock(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int32_t frames);
    void applyRate(int32_t rateHz);
    void applyGeometry();

    EngineSettings settings_;
    EngineGeometry geometry_;
    // The working rate for the setters that run without the lock.
    Relaxed<int32_t> rateHz_{44100};

    NoiseGenerator noise_;
    LimiterCore limiter_;
    Requantiser requantiser_{noise_};
    Meters meters_;
    CalibrationGenerator calibration_{noise_};
    NoiseShapeBank shapes_;
    BlockDriver driver_{limiter_, requantiser_, meters_, calibration_};
};

}  // namespace orv
