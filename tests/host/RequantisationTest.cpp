// The requantiser as a host hears it: the grid of every word length, the bounds of the dither,
// the fade to exact digital silence, and a dither sequence that only moves while it is used.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "QuantiserHost.h"

namespace orvtest {
namespace {

class Requantisation : public ::testing::Test {
protected:
    QuantiserHost host;
};

TEST_F(Requantisation, EveryWordLengthPutsTheOutputOnItsGridNearTheInput) {
    for (int32_t bitsIndex = 0; bitsIndex < 5; ++bitsIndex) {
        ASSERT_TRUE(host.setUp({bitsIndex}));
        const double steps = QuantiserHost::steps(bitsIndex);
        // 0.25 lies on every grid: within one step. 0.3 does not: within one and a half.
        std::vector<double> inL(20000, 0.25), inR(20000, 0.3), outL, outR;
        host.runAligned(inL, inR, outL, outR);
        double sumL = 0.0, sumR = 0.0;
        for (size_t i = 0; i < outL.size(); ++i) {
            ASSERT_EQ(outL[i] * steps, std::round(outL[i] * steps)) << bitsIndex << " at " << i;
            ASSERT_EQ(outR[i] * steps, std::round(outR[i] * steps)) << bitsIndex << " at " << i;
            ASSERT_LE(std::fabs(outL[i] - 0.25) * steps, 1.0) << bitsIndex << " at " << i;
            ASSERT_LT(std::fabs(outR[i] - 0.3) * steps, 1.5) << bitsIndex << " at " << i;
            sumL += outL[i];
            sumR += outR[i];
        }
        EXPECT_NEAR(sumL / outL.size(), 0.25, 0.02 / steps) << bitsIndex;
        EXPECT_NEAR(sumR / outR.size(), 0.3, 0.02 / steps) << bitsIndex;
    }
}

TEST_F(Requantisation, FloatEntryCarriesTheSameGrid) {
    ASSERT_TRUE(host.setUp({4}));  // 24 bits: the finest grid a float can still hold exactly
    std::vector<float> in(4096, 0.3f), outL, outR;
    host.process(in, in, outL, outR);
    for (size_t i = static_cast<size_t>(host.latency()); i < outL.size(); ++i) {
        const double steps = outL[i] * 8388608.0;
        ASSERT_EQ(steps, std::round(steps)) << i;
        ASSERT_LT(std::fabs(outL[i] - 0.3f) * 8388608.0, 1.5) << i;
    }
}

TEST_F(Requantisation, SilenceWithoutAutoblackIsDitherOfAtMostOneStep) {
    ASSERT_TRUE(host.setUp({0}));
    std::vector<double> in(44100, 0.0), outL, outR;
    host.process(in, in, outL, outR);
    int seen[3] = {0, 0, 0};
    for (double v : outL) {
        const double steps = v * 128.0;
        ASSERT_TRUE(steps == -1.0 || steps == 0.0 || steps == 1.0) << steps;
        ++seen[static_cast<int>(steps) + 1];
    }
    EXPECT_GT(seen[0], 1000);
    EXPECT_GT(seen[2], 1000);
}

TEST_F(Requantisation, AutoblackKeepsSilenceSilentAndFadesDitherToExactZero) {
    for (float rate : {44100.0f, 192000.0f}) {
        SCOPED_TRACE(rate);
        ASSERT_TRUE(host.setUp({0, 0, true, rate}));
        // Silence from the start stays exactly silent.
        std::vector<double> silence(static_cast<size_t>(rate / 10), 0.0), outL, outR;
        host.process(silence, silence, outL, outR);
        for (size_t i = 0; i < outL.size(); ++i) {
            ASSERT_EQ(outL[i], 0.0) << i;
            ASSERT_EQ(outR[i], 0.0) << i;
        }
        // A signal, then silence: the dither goes on for a moment and fades with 10 ms.
        const size_t signal = static_cast<size_t>(rate / 10);
        std::vector<double> in(signal + static_cast<size_t>(rate), 0.0);
        for (size_t i = 0; i < signal; ++i) in[i] = 0.5 * std::sin(0.05 * static_cast<double>(i));
        host.runAligned(in, in, outL, outR);
        // 10 ms after the signal the fade is at 1/e: dither of one 8-bit step still shows.
        double tail = 0.0;
        for (size_t i = signal; i < signal + static_cast<size_t>(rate / 100); ++i) tail += std::fabs(outL[i]);
        EXPECT_GT(tail, 0.0);
        size_t lastSound = 0;
        for (size_t i = signal; i < outL.size(); ++i) {
            if (outL[i] != 0.0 || outR[i] != 0.0) lastSound = i;
        }
        // Below 1e-16 the output is exactly 0.0: 8-bit dither of at most one step (1/128)
        // needs some 32 time constants, 0.32 s; it never comes back.
        EXPECT_LT(lastSound - signal, static_cast<size_t>(rate * 0.4));
        EXPECT_GT(lastSound - signal, static_cast<size_t>(rate * 0.2));
    }
}

TEST_F(Requantisation, DitherSequenceStandsStillWhileQuantizeIsOff) {
    std::vector<double> silence(3000, 0.0), first, second, unusedR;
    ASSERT_TRUE(host.setUp({0}));
    host.process(silence, silence, first, unusedR);

    ASSERT_TRUE(host.setUp({0}));
    std::vector<double> half(1500, 0.0), a, b, c;
    host.process(half, half, a, unusedR);
    host.setParameter(QuantiserHost::kQuantize, orv::stepValue(0, 2));
    host.process(silence, silence, b, unusedR);
    for (double v : b) ASSERT_EQ(v, 0.0) << "unquantised silence";
    host.setParameter(QuantiserHost::kQuantize, orv::stepValue(1, 2));
    host.process(half, half, c, unusedR);
    a.insert(a.end(), c.begin(), c.end());
    EXPECT_EQ(a, first);
}

TEST_F(Requantisation, SameInputGivesTheSameBitsAfterEveryReset) {
    std::vector<double> in(20000);
    for (size_t i = 0; i < in.size(); ++i) in[i] = 0.7 * std::sin(0.013 * static_cast<double>(i));
    std::vector<double> firstL, firstR;
    ASSERT_TRUE(host.setUp({2, 3}));
    host.process(in, in, firstL, firstR);
    std::vector<double> againL, againR;
    ASSERT_TRUE(host.setUp({2, 3}));
    host.process(in, in, againL, againR);
    EXPECT_EQ(againL, firstL);
    EXPECT_EQ(againR, firstR);

    QuantiserHost other;
    ASSERT_TRUE(other.setUp({2, 3}));
    other.process(in, in, againL, againR, 37);
    EXPECT_EQ(againL, firstL);
    EXPECT_EQ(againR, firstR);
}

}  // namespace
}  // namespace orvtest
