#pragma once

#include <atomic>
#include <cstdint>

#include "dsp/StereoPair.h"
#include "engine/NoiseGenerator.h"

namespace orv {

// The error-feedback filter in use: coefficients[j - 1] weighs the error made j samples
// earlier, j = 1 .. taps (taps at most Requantiser::kMaxTaps).
struct ShapingFilter {
    const double* coefficients;
    int32_t taps;
};

// Requantises the output pair to 8 .. 24 bits: triangular dither, noise-shaped error
// feedback, rounding to the grid, and a fade to true silence when the signal stops.
class Requantiser {
public:
    static constexpr int32_t kMaxTaps = 32;
    static constexpr int32_t kWordLengths = 5;
    // The fade restarts at this gain, so requantised silence is silent from the start.
    static constexpr double kInitialFadeGain = 1e-20;

    // noise: the generator shared with the calibration generator.
    explicit Requantiser(NoiseGenerator& noise) : noise_(noise) {}
    Requantiser(const Requantiser&) = delete;
    Requantiser& operator=(const Requantiser&) = delete;

    // --- set-up (engine lock held) ---
    // Error histories to zero, ring position 0, fade gain back to its start. The shared noise
    // generator is reset by its owner.
    void reset();
    // 1 - exp(-1000 / (10 fs)): the fade's 10 ms time constant.
    void setFadeCoefficient(double autoblackCoef) { fadeCoef_ = autoblackCoef; }

    // --- any thread ---
    // A new noise-shaping set was chosen: the next sample starts the error ring at position 0
    // (the histories are kept).
    void restartErrorRing() { restart_.store(true, std::memory_order_release); }

    // --- per block ---
    // bitsIndex 0..4: 8, 12, 16, 20, 24 bits.
    void setWordLength(int32_t bitsIndex);
    // 2^(bits - 1): the steps per unit of full scale.
    double steps() const { return steps_; }

    // --- per sample ---
    StereoPair process(StereoPair in, ShapingFilter filter, bool autoblackOn);

    double fadeGain() const { return fadeGain_; }
    int32_t errorPosition() const { return errorPos_; }

private:
    void updateFade(StereoPair in, bool autoblackOn);
    // Dithered rounding to the grid; the error made (dither included) goes to error.
    double quantise(double x, double& error);

    NoiseGenerator& noise_;
    double steps_ = 32768.0;
    double stepSize_ = 1.0 / 32768.0;
    double range_ = 65534.0;  // largest magnitude whose scaled value fits 32 bits
    double fadeCoef_ = 0.0;
    double fadeGain_ = kInitialFadeGain;
    alignas(16) double errorL_[kMaxTaps] = {};
    alignas(16) double errorR_[kMaxTaps] = {};
    int32_t errorPos_ = 0;
    std::atomic<bool> restart_{false};
};

}  // namespace orv
