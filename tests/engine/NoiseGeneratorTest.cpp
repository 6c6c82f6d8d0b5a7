#include "engine/NoiseGenerator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orv {
namespace {

// The first draws from the seeds 592, 153768, 1526, worked out by hand from the three
// shift-register steps.
constexpr uint32_t kFirstDraws[] = {0x81260591u, 0x19daab2du, 0xa2edc7ecu, 0xcd4c0c89u, 0x6840756au, 0xf7baea94u};

TEST(NoiseGenerator, StartsFromTheSeedsAndRestartsOnReset) {
    NoiseGenerator noise;
    for (uint32_t expected : kFirstDraws) EXPECT_EQ(noise.noiseDraw(), expected);
    for (int i = 0; i < 1000; ++i) noise.noiseDraw();
    noise.reset();
    for (uint32_t expected : kFirstDraws) EXPECT_EQ(noise.noiseDraw(), expected);
}

TEST(NoiseGenerator, UniformValuesCoverMinusOneToJustBelowOne) {
    EXPECT_EQ(NoiseGenerator::uniform(0), -1.0);
    EXPECT_LT(NoiseGenerator::uniform(0xFFFFFFFFu), 1.0);
    EXPECT_GT(NoiseGenerator::uniform(0xFFFFFFFFu), 0.9999999);
    EXPECT_NEAR(NoiseGenerator::uniform(0x80000000u), 0.0, 1e-9);
}

TEST(NoiseGenerator, DitherIsTriangularWithVarianceOneSixth) {
    NoiseGenerator noise;
    constexpr int kCount = 400000;
    double sum = 0.0, squares = 0.0, smallest = 0.0, largest = 0.0;
    int nearCentre = 0, nearEdge = 0;
    for (int i = 0; i < kCount; ++i) {
        const double d = noise.ditherDraw();
        sum += d;
        squares += d * d;
        smallest = d < smallest ? d : smallest;
        largest = d > largest ? d : largest;
        if (d > -0.1 && d < 0.1) ++nearCentre;
        if (d > 0.8 && d < 1.0) ++nearEdge;
    }
    EXPECT_NEAR(sum / kCount, 0.0, 0.005);
    EXPECT_NEAR(squares / kCount, 1.0 / 6.0, 0.002);
    EXPECT_GE(smallest, -1.0);
    EXPECT_LT(largest, 1.0);
    // A triangle: the band -0.1 .. 0.1 holds 0.19 of the draws, the band 0.8 .. 1.0 only 0.02.
    EXPECT_NEAR(static_cast<double>(nearCentre) / nearEdge, 9.5, 0.4);
}

}  // namespace
}  // namespace orv
