#include "dsp/BlockConvolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/SmoothingKernel.h"

namespace orv {
namespace {

const int kShapeLengths[] = {8, 16, 32, 64, 128};

std::vector<double> kernelTaps(int n) {
    std::vector<double> taps(n);
    smoothingKernel(n, taps.data());
    return taps;
}

TEST(SmoothingKernel, EightTapsAreThePositiveMainLobe) {
    const double expected[8] = {0, 0.085425, 0.177539, 0.237036, 0.237036, 0.177539, 0.085425, 0};
    const std::vector<double> taps = kernelTaps(8);
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(taps[i], expected[i], 5e-7) << "tap " << i;
}

TEST(SmoothingKernel, UnitSumSymmetricWithVanishingEnds) {
    for (int n : {4, 8, 16, 32, 64, 128}) {
        const std::vector<double> taps = kernelTaps(n);
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            sum += taps[i];
            EXPECT_GE(taps[i], -1e-15) << "n " << n << " tap " << i;
            EXPECT_NEAR(taps[i], taps[n - 1 - i], 1e-15) << "n " << n << " tap " << i;
        }
        EXPECT_NEAR(sum, 1.0, 1e-15) << "n " << n;
        EXPECT_NEAR(taps[0], 0.0, 1e-15) << "n " << n;
        EXPECT_NEAR(taps[n - 1], 0.0, 1e-15) << "n " << n;
    }
}

class BlockConvolverLength : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        n = GetParam();
        convolver.setShapeLength(n);
        convolver.reset();
        taps = kernelTaps(n);
    }
    int n = 0;
    BlockConvolver convolver;
    std::vector<double> taps;
};

TEST_P(BlockConvolverLength, ImpulseComesOutAsTheTapsNMinusOneLate) {
    for (int t0 : {0, 3, n - 1, n + 5}) {
        convolver.reset();
        const int total = t0 + 3 * n;
        for (int t = 0; t < total; ++t) {
            const StereoPair y = convolver.process(t == t0 ? 1.0 : 0.0, t == t0 ? -2.0 : 0.0);
            const int i = t - t0 - (n - 1);
            const double expected = (i >= 0 && i < n) ? taps[i] : 0.0;
            ASSERT_NEAR(y.l, expected, 1e-15) << "t0 " << t0 << " t " << t;
            ASSERT_NEAR(y.r, -2.0 * expected, 2e-15) << "t0 " << t0 << " t " << t;
        }
    }
}

TEST_P(BlockConvolverLength, ConstantPassesWithUnitGainAfterTwoNMinusTwo) {
    for (int t = 0; t < 6 * n; ++t) {
        const StereoPair y = convolver.process(0.75, 3.0);
        if (t >= 2 * n - 2) {
            ASSERT_NEAR(y.l, 0.75, 1e-14) << "t " << t;
            ASSERT_NEAR(y.r, 3.0, 4e-14) << "t " << t;
        }
    }
}

TEST_P(BlockConvolverLength, MatchesDirectConvolutionOnRandomInput) {
    std::mt19937 rng(17 + n);
    std::uniform_real_distribution<double> dist(1e-5, 4.0);
    const int total = 10 * n + 3;
    std::vector<double> xl(total), xr(total);
    for (int t = 0; t < total; ++t) {
        xl[t] = dist(rng);
        xr[t] = dist(rng);
    }
    for (int t = 0; t < total; ++t) {
        const StereoPair y = convolver.process(xl[t], xr[t]);
        double el = 0.0, er = 0.0;
        for (int i = 0; i < n; ++i) {
            const int s = t - (n - 1) - i;
            if (s < 0) continue;
            el += taps[i] * xl[s];
            er += taps[i] * xr[s];
        }
        ASSERT_NEAR(y.l, el, 1e-14 * 4.0) << "t " << t;
        ASSERT_NEAR(y.r, er, 1e-14 * 4.0) << "t " << t;
    }
}

INSTANTIATE_TEST_SUITE_P(ShapeLengths, BlockConvolverLength, ::testing::ValuesIn(kShapeLengths));

TEST(BlockConvolver, EightTapsFirstSevenOutputsAfterResetAreZero) {
    BlockConvolver convolver;
    convolver.setShapeLength(8);
    convolver.reset();
    for (int t = 0; t < 7; ++t) EXPECT_EQ(convolver.process(1.0, 1.0).l, 0.0) << "t " << t;
    EXPECT_GT(convolver.process(1.0, 1.0).l, 0.0);
}

TEST(BlockConvolver, LengthWithoutRoomOrNotAPowerOfTwoIsIgnored) {
    BlockConvolver convolver;
    EXPECT_EQ(convolver.length(), 64);
    for (int n : {256, 512, 2, 0, 12, -8}) {
        convolver.setShapeLength(n);
        EXPECT_EQ(convolver.length(), 64) << "n " << n;
    }
}

}  // namespace
}  // namespace orv
