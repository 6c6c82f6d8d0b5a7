#pragma once

#include <cstdint>

namespace orv {

// Three combined shift-register generators; the requantiser's dither and the calibration
// noise draw from one shared instance, so their sequences interleave.
class NoiseGenerator {
public:
    static constexpr uint32_t kSeed1 = 592;
    static constexpr uint32_t kSeed2 = 153768;
    static constexpr uint32_t kSeed3 = 1526;

    void reset() noexcept {
        s1_ = kSeed1;
        s2_ = kSeed2;
        s3_ = kSeed3;
    }

    uint32_t noiseDraw() noexcept {
        s1_ = ((((s1_ >> 9) ^ s1_) >> 6) & 0x1FFFu) ^ (s1_ << 13);
        s2_ = ((((s2_ >> 2) ^ s2_) >> 7) & 0xFFFFFu) ^ (s2_ << 20);
        s3_ = ((((s3_ >> 6) ^ s3_) >> 8) & 0x1FFFFu) ^ (s3_ << 17);
        return s1_ ^ s2_ ^ s3_;
    }

    // A draw mapped to [-1, 1). The scale is deliberately the rounded constant, not 2^-32,
    // so that the sequence of values stays exactly the one the product has always made.
    static double uniform(uint32_t u) noexcept { return static_cast<double>(u) * 2.3283064365e-10 * 2.0 - 1.0; }

    double uniformDraw() noexcept { return uniform(noiseDraw()); }

    // Triangular value in (-1, 1): the mean of two uniform draws.
    double ditherDraw() noexcept {
        const double a = uniformDraw();
        const double b = uniformDraw();
        return (a + b) * 0.5;
    }

private:
    uint32_t s1_ = kSeed1;
    uint32_t s2_ = kSeed2;
    uint32_t s3_ = kSeed3;
};

}  // namespace orv
