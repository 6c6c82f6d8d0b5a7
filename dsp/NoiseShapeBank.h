#pragma once

#include <atomic>
#include <cstdint>

#include "dsp/AlignedBuffer.h"

namespace orv {

// The requantiser's error-feedback coefficient sets: one per noise-shaping type (A .. F) and
// standard sample rate, plus the all-zero set of "off", and the selection in use.
// Set c[j] (j = 1 .. 32) is stored at [j - 1].
class NoiseShapeBank {
public:
    static constexpr int kTaps = 32;
    static constexpr int kTypes = 6;  // A .. F as types 1 .. 6; 0 is off
    static constexpr int kRates = 6;
    static constexpr int kSets = 1 + kTypes * kRates;

    // Allocates and fills the sets; selects the all-zero set with 12 taps.
    NoiseShapeBank();

    bool valid() const { return sets_.valid(); }
    // Writes the 36 designed sets (the same values every time).
    void fill();
    // type 0 .. 6. A rate that is not one of the six standard ones keeps the current set and
    // only sets the tap count; a type outside 0 .. 6 changes nothing. May run on any thread
    // while the audio thread reads: every set has room for 32 coefficients, so any mix of old
    // and new set and tap count stays in bounds.
    void select(int32_t type, int32_t rateHz);

    const double* shapeSet() const { return shapeSet_.load(std::memory_order_relaxed); }
    int32_t shapeTaps() const { return shapeTaps_.load(std::memory_order_relaxed); }

    // 12 for off, A, B and C; 32 for D, E and F.
    static int32_t tapCount(int32_t type);
    // Index of one of the six standard rates (44100, 48000, 88200, 96000, 176400, 192000), or -1.
    static int rateIndex(int32_t rateHz);
    // The set of a type 1 .. 6 at a standard rate index, or the all-zero set for type 0.
    const double* set(int32_t type, int rateIndex) const;

private:
    static std::size_t offset(int32_t type, int rateIndex);

    AlignedBuffer sets_;
    std::atomic<const double*> shapeSet_;
    std::atomic<int32_t> shapeTaps_{12};
};

}  // namespace orv
