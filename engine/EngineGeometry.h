#pragma once

#include <cstdint>

namespace orv {

// Host rate to the rate the engine works with: truncated toward zero; anything outside
// 5000 .. 200000 Hz (NaN, zero and negative included) becomes 44100.
int32_t validatedRate(float rate);

// The look-ahead geometry that follows from the working rate and the "TransShape" index.
struct EngineGeometry {
    static constexpr int32_t kDetectorDelay = 31;
    static constexpr int32_t kMaxLookAhead = 512;

    int32_t rateHz = 44100;
    int32_t rateShift = 0;          // 0 below 80000 Hz, 1 below 170000 Hz, else 2
    int32_t lookAhead = 128;        // 128 << rateShift
    int32_t transShape = 2;         // 0 hard, 1 med, 2 soft
    int32_t shapeLength = 64;       // brickwall window: 8, 16 or 64 << rateShift, at most 128
    int32_t envelopeDelay = 2;      // lookAhead - 2 * shapeLength + 2, at least 2
    int32_t interpolationMode = 2;  // 2 up to 48000 Hz, 1 up to 96000 Hz, else 0

    int32_t latency() const { return lookAhead + kDetectorDelay; }

    // rateHz must be validated.
    void setRate(int32_t rateHz);
    // An index outside 0 .. 2 changes nothing, so the envelope delay can never go negative.
    void setTransShape(int32_t index);

private:
    void updateShape();
};

}  // namespace orv
