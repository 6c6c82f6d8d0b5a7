#include "engine/Requantiser.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace orv {
namespace {

constexpr int kBits16 = 2;
const std::array<double, Requantiser::kMaxTaps> kNoShaping{};

class RequantiserTest : public ::testing::Test {
protected:
    RequantiserTest() {
        noise.reset();
        requantiser.reset();
        requantiser.setFadeCoefficient(1.0 - std::exp(-1000.0 / (10.0 * 44100.0)));
        requantiser.setWordLength(kBits16);
    }

    StereoPair run(double x, bool autoblack = false, const double* set = kNoShaping.data(), int32_t taps = 12) {
        return requantiser.process({x, x}, {set, taps}, autoblack);
    }

    // Output minus input, in steps, for a slow sine well inside full scale.
    std::vector<double> shapedError(const double* set, int32_t taps, int count) {
        std::vector<double> error(count);
        for (int n = 0; n < count; ++n) {
            const double x = 0.3 * std::sin(0.01 * n);
            error[n] = (requantiser.process({x, -x}, {set, taps}, false).l - x) * requantiser.steps();
        }
        return error;
    }

    NoiseGenerator noise;
    Requantiser requantiser{noise};
};

double autocorrelation(const std::vector<double>& e, int lag) {
    double sum = 0.0;
    for (std::size_t n = lag; n < e.size(); ++n) sum += e[n] * e[n - lag];
    return sum / static_cast<double>(e.size() - lag);
}

// Triangular dither spans (-1, 1) steps before rounding: an input on the grid comes out within
// one step of itself, any other within one and a half.
TEST_F(RequantiserTest, OutputLiesOnTheGridNearTheInputAndAveragesToIt) {
    struct Input {
        double x;
        double bound;  // steps
    };
    for (int32_t bitsIndex = 0; bitsIndex < Requantiser::kWordLengths; ++bitsIndex) {
        for (Input input : {Input{0.25, 1.0}, Input{-0.75, 1.0}, Input{0.3, 1.5}, Input{-0.7, 1.5}, Input{0.99, 1.5}}) {
            const double x = input.x;
            SCOPED_TRACE(testing::Message() << "bits index " << bitsIndex << ", input " << x);
            requantiser.setWordLength(bitsIndex);
            const double steps = std::ldexp(1.0, 7 + 4 * bitsIndex);
            ASSERT_EQ(requantiser.steps(), steps);
            double sum = 0.0;
            constexpr int kCount = 20000;
            for (int n = 0; n < kCount; ++n) {
                const StereoPair q = run(x);
                for (double v : {q.l, q.r}) {
                    ASSERT_EQ(v * steps, std::round(v * steps));
                    ASSERT_LE(std::fabs(v - x) * steps, input.bound);
                }
                sum += q.l + q.r;
            }
            EXPECT_NEAR(sum / (2 * kCount), x, 0.02 / steps);
        }
    }
}

TEST_F(RequantiserTest, DitherSequenceFollowsTheSeeds) {
    // 0.3 lies 0.4 of a step above 9830 steps at 16 bits; the seeds decide which side each
    // sample rounds to (left draws first, two draws per channel).
    const int expected[][2] = {{9830, 9831}, {9831, 9831}, {9830, 9831}, {9830, 9831},
                               {9830, 9830}, {9831, 9830}, {9830, 9830}, {9830, 9830}};
    for (const auto& pair : expected) {
        const StereoPair q = run(0.3);
        EXPECT_EQ(q.l * 32768.0, pair[0]);
        EXPECT_EQ(q.r * 32768.0, pair[1]);
    }
}

TEST_F(RequantiserTest, SilenceWithoutAutoblackIsDitherOfAtMostOneStep) {
    int seen[3] = {0, 0, 0};
    for (int n = 0; n < 10000; ++n) {
        const StereoPair q = run(0.0);
        for (double v : {q.l, q.r}) {
            const double steps = v * 32768.0;
            ASSERT_TRUE(steps == -1.0 || steps == 0.0 || steps == 1.0) << steps;
            ++seen[static_cast<int>(steps) + 1];
        }
    }
    EXPECT_GT(seen[0], 1000);
    EXPECT_GT(seen[2], 1000);
}

// The error left in the output is the rounding error (white, a quarter of a step squared with
// triangular dither) filtered by 1 - sum c[j] z^-j. Its autocorrelation shows which error each
// coefficient weighs.
TEST_F(RequantiserTest, ErrorFeedbackShapesTheNoiseAsItsCoefficientsSay) {
    std::array<double, Requantiser::kMaxTaps> typeA{1.14927, -0.690052, 0.222153};
    std::array<double, Requantiser::kMaxTaps> farTap{};
    farTap[19] = 0.5;  // c[20]: weighs the error of 20 samples ago
    struct Case {
        const char* name;
        const double* set;
        int32_t taps;
        std::vector<double> impulse;  // 1, -c[1], -c[2], ...
    };
    const Case cases[] = {
        {"unshaped", kNoShaping.data(), 12, {1.0}},
        {"type A", typeA.data(), 12, {1.0, -1.14927, 0.690052, -0.222153}},
        {"c[20] with 32 taps", farTap.data(), 32, [] {
             std::vector<double> h(21, 0.0);
             h[0] = 1.0;
             h[20] = -0.5;
             return h;
         }()},
        {"c[20] beyond 12 taps is unused", farTap.data(), 12, {1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        noise.reset();
        requantiser.reset();
        const std::vector<double> error = shapedError(c.set, c.taps, 200000);
        for (int lag = 0; lag <= 21; ++lag) {
            double expected = 0.0;
            for (std::size_t i = 0; i + lag < c.impulse.size(); ++i) expected += c.impulse[i] * c.impulse[i + lag];
            EXPECT_NEAR(autocorrelation(error, lag), 0.25 * expected, 0.01 + 0.02 * std::fabs(0.25 * expected))
                << "lag " << lag;
        }
    }
}

TEST_F(RequantiserTest, NewSetRestartsTheErrorRingAndUsesItsTapCount) {
    std::array<double, Requantiser::kMaxTaps> set{};
    for (int n = 0; n < 17; ++n) run(0.1, false, set.data(), 12);
    EXPECT_EQ(requantiser.errorPosition(), 17 % 12);
    requantiser.restartErrorRing();
    EXPECT_EQ(requantiser.errorPosition(), 17 % 12) << "takes effect at the next sample";
    run(0.1, false, set.data(), 32);
    EXPECT_EQ(requantiser.errorPosition(), 1);
    for (int n = 0; n < 30; ++n) run(0.1, false, set.data(), 32);
    EXPECT_EQ(requantiser.errorPosition(), 31);
    run(0.1, false, set.data(), 32);
    EXPECT_EQ(requantiser.errorPosition(), 0);
}

TEST_F(RequantiserTest, TapCountShrinkingMidRingStaysInsideTheRing) {
    std::array<double, Requantiser::kMaxTaps> set{};
    set.fill(0.01);
    for (int n = 0; n < 25; ++n) run(0.1, false, set.data(), 32);
    // A tap count published without its restart: the position wraps at once.
    run(0.1, false, set.data(), 12);
    EXPECT_EQ(requantiser.errorPosition(), 0);
    for (int n = 0; n < 100; ++n) {
        const StereoPair q = run(0.1, false, set.data(), 12);
        ASSERT_NEAR(q.l, 0.1, 3.0 / 32768.0);
    }
}

TEST_F(RequantiserTest, AutoblackSilenceAfterResetStartsTinyAndReachesExactZero) {
    const StereoPair first = run(0.0, true);
    EXPECT_LE(std::fabs(first.l), 1e-20 / 32768.0);
    EXPECT_LE(std::fabs(first.r), 1e-20 / 32768.0);
    int firstZero = -1;
    for (int n = 1; n < 44100; ++n) {
        const StereoPair q = run(0.0, true);
        if (firstZero < 0 && requantiser.fadeGain() == 0.0) firstZero = n;
        if (firstZero >= 0) {
            ASSERT_EQ(q.l, 0.0);
            ASSERT_EQ(q.r, 0.0);
        }
    }
    // From 1e-20 to below 1e-30 at a 10 ms time constant: about 230 ms.
    EXPECT_GT(firstZero, 9000);
    EXPECT_LT(firstZero, 11000);
}

TEST_F(RequantiserTest, AutoblackFadesWithTenMillisecondsAndSignalRestoresAtOnce) {
    for (int n = 0; n < 100; ++n) run(0.5, true);
    EXPECT_EQ(requantiser.fadeGain(), 1.0);
    for (int n = 0; n < 441; ++n) run(1e-8, true);  // at the threshold counts as silence
    EXPECT_NEAR(requantiser.fadeGain(), std::exp(-1.0), 1e-3);
    const StereoPair back = run(2e-8, true);
    EXPECT_EQ(requantiser.fadeGain(), 1.0);
    EXPECT_LE(std::fabs(back.l) * 32768.0, 1.0);

    // Without autoblack the gain stays 1.0 in silence.
    for (int n = 0; n < 10000; ++n) run(0.0, false);
    EXPECT_EQ(requantiser.fadeGain(), 1.0);
}

TEST_F(RequantiserTest, FarBeyondFullScaleStaysFiniteAndLeavesNoTrace) {
    std::array<double, Requantiser::kMaxTaps> typeA{1.14927, -0.690052, 0.222153};
    for (int32_t bitsIndex = 0; bitsIndex < Requantiser::kWordLengths; ++bitsIndex) {
        SCOPED_TRACE(bitsIndex);
        requantiser.setWordLength(bitsIndex);
        const double steps = requantiser.steps();
        for (double x : {1e12, -1e12, 3e9, std::nan("")}) {
            const StereoPair q = run(x, false, typeA.data(), 12);
            ASSERT_TRUE(std::isfinite(q.l));
            if (x > 0) {
                EXPECT_GT(q.l, 1.0);
            }
            if (x < 0) {
                EXPECT_LT(q.l, -1.0);
            }
        }
        // The error histories hold rounding errors only, so the next samples are ordinary.
        for (int n = 0; n < 64; ++n) {
            const StereoPair q = run(0.25, false, typeA.data(), 12);
            ASSERT_NEAR(q.l, 0.25, 4.0 / steps) << n;
        }
    }
}

}  // namespace
}  // namespace orv
