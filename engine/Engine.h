#pragma once

#include <cstdint>

#include "engine/EngineSettings.h"

namespace orv {

// Owns every DSP buffer and all signal state of one effect instance.
// Set-up and processing calls are made with the engine lock held by the caller;
// the setting setters may be called on any thread without it.
class Engine {
public:
    static constexpr int kMeterValueCount = 10;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // --- set-up (engine lock held) ---
    void setSampleRate(float rate);
    void suspend();
    void setTransShape(int32_t index);
    int32_t latency() const;  // lookAhead + 31

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

    EngineSettings settings_;
    int32_t rateHz_ = 44100;
    int32_t rateShift_ = 0;
    int32_t lookAhead_ = 128;
    // Until the limiter chain lands: the input delayed by the full latency.
    double* delayL_ = nullptr;
    double* delayR_ = nullptr;
    int32_t delayPos_ = 0;
};

}  // namespace orv
