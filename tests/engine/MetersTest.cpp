#include "engine/Meters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "support/MeterReadings.h"

namespace orv {
namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr int kAllParts = 7;

using Readings = orvtest::MeterReadings;
static_assert(Readings::kCount == Meters::kValueCount);

class MetersTest : public ::testing::Test {
protected:
    MetersTest() {
        meters.setCoefficient(1.0 - std::pow(0.01, 1000.0 / (600.0 * kRate)));
        meters.setInterpolationMode(2);
        meters.beginBlock(1.0, kAllParts);
    }

    void sample(StereoPair dry, StereoPair out, bool oversampled = false) {
        meters.serviceRequests();
        meters.measureInput(dry);
        meters.measureOutput(out, oversampled);
    }

    Readings read() {
        Readings r;
        meters.read(r.v);
        return r;
    }

    // A full-scale sine of 441 Hz: 100 samples a period, the peak exactly on a sample.
    static double sine(int n) { return std::sin(2.0 * kPi * (n % 100) / 100.0); }

    Meters meters;
};

TEST_F(MetersTest, FullScaleSineReadsZeroDecibelsPeakAndRms) {
    ASSERT_TRUE(meters.valid());
    for (int n = 0; n < 2 * 44100; ++n) sample({sine(n), sine(n)}, {sine(n), -sine(n)});
    const Readings r = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(r.inputPeak(ch), 1.0f);
        EXPECT_EQ(r.outputPeak(ch), 1.0f);
        EXPECT_NEAR(r.inputRms(ch), 1.0, 0.01);
        EXPECT_NEAR(r.outputRms(ch), 1.0, 0.01);
        EXPECT_EQ(r.gainReduction(ch), 1.0f);
    }
}

TEST_F(MetersTest, InputScaleShowsTheDriveBeforeIt) {
    meters.beginBlock(2.0, kAllParts);  // "pre" metering with +6.02 dB drive
    for (int n = 0; n < 2 * 44100; ++n) sample({sine(n), 0.5 * sine(n)}, {0.0, 0.0});
    const Readings r = read();
    EXPECT_EQ(r.inputPeak(0), 2.0f);
    EXPECT_EQ(r.inputPeak(1), 1.0f);
    EXPECT_NEAR(r.inputRms(0), 2.0, 0.02);
    EXPECT_EQ(r.outputPeak(0), 0.0f);
}

TEST_F(MetersTest, MeanSquareFallsToOnePercentInSixHundredMilliseconds) {
    for (int n = 0; n < 2 * 44100; ++n) sample({sine(n), sine(n)}, {sine(n), sine(n)});
    const float before = read().inputRms(0);
    for (int n = 0; n < 26460; ++n) sample({0.0, 0.0}, {0.0, 0.0});
    // The mean square to 1 %, so the RMS to 10 %.
    EXPECT_NEAR(read().inputRms(0), 0.1 * before, 0.002);
}

TEST_F(MetersTest, DisplayedGainIsTheProductOfTheChosenParts) {
    // Total gain 0.25 of which the release path gives 0.5; leveller 0.8.
    const struct {
        int mask;
        double shown;
    } cases[] = {{0, 1.0}, {1, 0.5}, {2, 0.5}, {3, 0.25}, {4, 0.8}, {5, 0.4}, {7, 0.2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        meters.beginBlock(1.0, c.mask);
        read();
        meters.serviceRequests();
        meters.measureGain(0, 0.25, 0.5, 0.8);
        meters.measureGain(1, 0.25, 0.5, 0.8);
        const Readings r = read();
        EXPECT_FLOAT_EQ(r.gainReduction(0), c.shown);
        EXPECT_FLOAT_EQ(r.gainReduction(1), c.shown);
    }
}

TEST_F(MetersTest, GainReductionHoldsItsSmallestUntilReadOrAttShowChange) {
    meters.serviceRequests();
    meters.measureGain(0, 0.3, 1.0, 1.0);
    meters.measureGain(0, 0.9, 1.0, 1.0);
    meters.measureGain(1, 0.6, 1.0, 1.0);
    Readings r = read();
    EXPECT_FLOAT_EQ(r.gainReduction(0), 0.3);
    EXPECT_FLOAT_EQ(r.gainReduction(1), 0.6);

    meters.serviceRequests();
    meters.measureGain(0, 0.5, 1.0, 1.0);
    meters.resetGainReduction();
    r = read();
    EXPECT_EQ(r.gainReduction(0), 1.0f) << "reads 1.0 at once, before any sample";
    // A sample that was under way with the old minimum cannot bring it back.
    meters.measureGain(0, 0.7, 1.0, 1.0);
    meters.serviceRequests();
    meters.measureGain(0, 0.8, 1.0, 1.0);
    EXPECT_FLOAT_EQ(read().gainReduction(0), 0.8);
}

TEST_F(MetersTest, OversampledPeakFindsThePeakBetweenSamples) {
    // A sine at a quarter of the rate, phase 45 degrees: every sample is +-0.7071, the
    // waveform peaks at 1.0 between them.
    auto quarter = [](int n) { return std::sin(kPi / 2.0 * n + kPi / 4.0); };
    const struct {
        int mode;
        bool oversampled;
        double low, high;
    } cases[] = {
        {2, true, 0.995, 1.005}, {1, true, 0.995, 1.005}, {2, false, 0.7071, 0.7072}, {0, true, 0.7071, 0.7072}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " oversampled " << c.oversampled);
        meters.reset();
        meters.setInterpolationMode(c.mode);
        // Past the ringing of the abrupt start, a new interval.
        for (int n = 0; n < 44100; ++n) {
            if (n == 128) read();
            sample({0.0, 0.0}, {quarter(n), quarter(n)}, c.oversampled);
        }
        const Readings r = read();
        EXPECT_GE(r.outputPeak(0), c.low);
        EXPECT_LE(r.outputPeak(0), c.high);
        // The RMS stays that of the samples: a full-scale sine reads 1.0.
        EXPECT_NEAR(r.outputRms(0), 1.0, 0.01);
    }
}

TEST_F(MetersTest, OversampledMetersFollowTheCentreSample31Back) {
    meters.setInterpolationMode(1);
    for (int n = 0; n < 31; ++n) sample({0.0, 0.0}, {n == 0 ? 0.5 : 0.0, 0.0}, true);
    Readings r = read();
    EXPECT_EQ(r.outputRms(0), 0.0f) << "the impulse has not reached the centre yet";
    EXPECT_GT(r.outputPeak(0), 0.0f) << "but the interpolated point already sees it";
    sample({0.0, 0.0}, {0.0, 0.0}, true);
    r = read();
    EXPECT_GT(r.outputRms(0), 0.0f);
    EXPECT_EQ(r.outputPeak(0), 0.5f);
}

TEST_F(MetersTest, ReadOutStartsANewIntervalAtTheNextSample) {
    for (int n = 0; n < 1000; ++n) sample({0.5 * sine(n), 0.25 * sine(n)}, {0.4 * sine(n), 0.2 * sine(n)});
    meters.serviceRequests();
    meters.measureGain(0, 0.5, 1.0, 1.0);
    const Readings first = read();
    const Readings second = read();
    for (int i = 0; i < Meters::kValueCount; ++i) EXPECT_EQ(first.v[i], second.v[i]) << i;
    EXPECT_EQ(first.inputPeak(0), 0.5f);
    EXPECT_EQ(first.outputPeak(1), 0.2f);

    sample({0.0, 0.0}, {0.0, 0.0});
    const Readings after = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(after.inputPeak(ch), 0.0f);
        EXPECT_EQ(after.outputPeak(ch), 0.0f);
        EXPECT_EQ(after.gainReduction(ch), 1.0f);
        EXPECT_GT(after.inputRms(ch), 0.0f) << "the mean squares run on";
        EXPECT_LT(after.inputRms(ch), first.inputRms(ch));
    }
}

TEST_F(MetersTest, ResetClearsEverything) {
    for (int n = 0; n < 1000; ++n) sample({sine(n), sine(n)}, {sine(n), sine(n)});
    meters.measureGain(1, 0.1, 1.0, 1.0);
    meters.reset();
    const Readings r = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(r.inputPeak(ch), 0.0f);
        EXPECT_EQ(r.outputPeak(ch), 0.0f);
        EXPECT_EQ(r.inputRms(ch), 0.0f);
        EXPECT_EQ(r.outputRms(ch), 0.0f);
        EXPECT_EQ(r.gainReduction(ch), 1.0f);
    }
}

// The editor reads while the audio thread measures; run under ThreadSanitizer this shows the
// hand-over is free of data races. Every reading must be one the audio thread could have made.
TEST_F(MetersTest, ReadingWhileMeasuringSeesOnlyValuesThatWereMeasured) {
    std::atomic<bool> done{false};
    std::thread audio([&] {
        for (int n = 0; n < 400000; ++n) {
            const double level = 0.25 + 0.5 * ((n / 1000) % 2);
            meters.serviceRequests();
            meters.measureInput({level, level});
            meters.measureGain(0, 1.0 - level, 1.0, 1.0);
            meters.measureOutput({level, -level}, false);
        }
        done = true;
    });
    int reads = 0;
    while (!done) {
        const Readings r = read();
        for (int ch = 0; ch < 2; ++ch) {
            ASSERT_TRUE(r.inputPeak(ch) == 0.0f || r.inputPeak(ch) == 0.25f || r.inputPeak(ch) == 0.75f);
            ASSERT_LE(r.outputRms(ch), 0.75f * std::sqrt(2.0f) * 1.0001f);
        }
        ASSERT_TRUE(r.gainReduction(0) == 1.0f || r.gainReduction(0) == 0.75f || r.gainReduction(0) == 0.25f);
        ++reads;
    }
    audio.join();
    EXPECT_GT(reads, 0);
}

}  // namespace
}  // namespace orv
