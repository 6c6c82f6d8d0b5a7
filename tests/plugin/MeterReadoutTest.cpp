// The ten meter readings the editor pulls from the effect: what they show for known signals
// and for the calibration noise, and the interval each read-out closes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugin/base/StepHelpers.h"
#include "support/DirectPlugin.h"
#include "support/MeterReadings.h"

namespace orvtest {
namespace {

constexpr int32_t kDrive = 1, kPower = 8, kScale = 9, kCalibrate = 12, kLeveller = 13,
                  kMeterOvs = 14, kQuantize = 16, kAttShow = 20, kPostMeter = 21;
constexpr double kPi = 3.14159265358979323846;

using Readings = MeterReadings;
static_assert(Readings::kCount == orv::Engine::kMeterValueCount);

class MeterReadout : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = makePlugin();
        ASSERT_NE(plugin, nullptr);
        plugin->setParameter(kCalibrate, orv::stepValue(0, 4));
        plugin->setParameter(kQuantize, orv::stepValue(0, 2));
        plugin->setParameter(kDrive, 0.5f);    // 0 dB
        plugin->setParameter(kLeveller, 1.0f);  // off
        plugin->setParameter(kMeterOvs, orv::stepValue(0, 2));
        plugin->setParameter(kPostMeter, orv::stepValue(1, 2));
        plugin->setParameter(kAttShow, orv::stepValue(7, 8));
        plugin->suspend();
    }

    // Both channels through processDoubleReplacing in blocks of 256.
    void run(const std::vector<double>& in) {
        std::vector<double> l(in), r(in), outL(in.size()), outR(in.size());
        for (size_t at = 0; at < in.size(); at += 256) {
            const int32_t n = static_cast<int32_t>(std::min<size_t>(256, in.size() - at));
            double* ins[2] = {l.data() + at, r.data() + at};
            double* outs[2] = {outL.data() + at, outR.data() + at};
            plugin->processDoubleReplacing(ins, outs, n);
        }
        output = outL;
    }

    Readings read() {
        Readings r;
        plugin->getMeterValues(r.v);
        return r;
    }

    // A full-scale sine of 441 Hz at 44.1 kHz: its peak falls exactly on a sample.
    static std::vector<double> sine(size_t length, double amplitude = 1.0) {
        std::vector<double> x(length);
        for (size_t i = 0; i < length; ++i) x[i] = amplitude * std::sin(2.0 * kPi * static_cast<double>(i % 100) / 100.0);
        return x;
    }

    std::unique_ptr<orv::Plugin> plugin;
    std::vector<double> output;
};

TEST_F(MeterReadout, FullScaleSinePostDriveReadsZeroDecibels) {
    run(sine(88200));
    const Readings r = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(r.inputPeak(ch), 1.0f);
        EXPECT_NEAR(r.inputRms(ch), 1.0, 0.01);
    }
}

TEST_F(MeterReadout, PreDriveMeteringShowsTheDrive) {
    plugin->setParameter(kPostMeter, orv::stepValue(0, 2));
    plugin->setParameter(kDrive, 0.625f);  // +6.02 dB
    plugin->suspend();                     // the drive gain starts at its target
    run(sine(88200));
    const Readings r = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_FLOAT_EQ(r.inputPeak(ch), 2.0f);
        EXPECT_NEAR(r.inputRms(ch), 2.0, 0.02);
    }
}

TEST_F(MeterReadout, GainReductionShowsOnlyTheChosenParts) {
    plugin->setParameter(kDrive, 1.0f);  // +24 dB into the limiter
    run(sine(44100));
    EXPECT_LT(read().gainReduction(0), 0.2f);

    plugin->setParameter(kAttShow, orv::stepValue(0, 8));
    EXPECT_EQ(read().gainReduction(0), 1.0f) << "the change itself starts the reading over";
    run(sine(44100));
    const Readings r = read();
    EXPECT_EQ(r.gainReduction(0), 1.0f);
    EXPECT_EQ(r.gainReduction(1), 1.0f);
}

TEST_F(MeterReadout, BypassShowsNoGainReductionEvenWithTheLevellerWorking) {
    plugin->setParameter(kLeveller, 0.5f);  // -6 dB: a full-scale sine pulls it down
    plugin->setParameter(kAttShow, orv::stepValue(4, 8));  // the leveller alone
    run(sine(2 * 44100));
    ASSERT_LT(read().gainReduction(0), 0.95f) << "the leveller does show while the limiter runs";

    plugin->setParameter(kPower, orv::stepValue(0, 2));
    run(sine(2 * 44100));
    read();
    run(sine(4410));
    const Readings r = read();
    EXPECT_EQ(r.gainReduction(0), 1.0f);
    EXPECT_EQ(r.gainReduction(1), 1.0f);
}

TEST_F(MeterReadout, OversampledPeakMeterFindsThePeakBetweenSamples) {
    plugin->setParameter(kPower, orv::stepValue(0, 2));  // the output is the input, unlimited
    std::vector<double> quarter(44100);
    for (size_t i = 0; i < quarter.size(); ++i) quarter[i] = std::sin(0.5 * kPi * static_cast<double>(i) + kPi / 4);
    for (bool oversampled : {true, false}) {
        SCOPED_TRACE(oversampled);
        plugin->setParameter(kMeterOvs, orv::stepValue(oversampled ? 1 : 0, 2));
        plugin->suspend();
        run(quarter);
        read();  // past the start
        run(quarter);
        const float peak = read().outputPeak(0);
        if (oversampled) {
            EXPECT_NEAR(peak, 1.0, 0.005);
        } else {
            EXPECT_NEAR(peak, 0.70710678, 1e-6);
        }
    }
}

TEST_F(MeterReadout, EachReadOutClosesAnInterval) {
    plugin->setParameter(kDrive, 1.0f);
    run(sine(4410, 0.5));
    run(std::vector<double>(1000, 0.0));  // longer than the latency: the dry path is silent too
    const Readings first = read();
    const Readings second = read();
    for (int i = 0; i < orv::Engine::kMeterValueCount; ++i) EXPECT_EQ(first.v[i], second.v[i]) << i;
    EXPECT_GT(first.inputPeak(0), 0.0f);
    EXPECT_LT(first.gainReduction(0), 1.0f);

    run(std::vector<double>(1, 0.0));
    const Readings after = read();
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(after.inputPeak(ch), 0.0f);
        EXPECT_EQ(after.outputPeak(ch), 0.0f);
        EXPECT_GT(after.inputRms(ch), 0.0f) << "the RMS runs on";
    }
    // Whatever the limiter still holds back shows as that one sample's gain.
    EXPECT_GE(after.gainReduction(0), first.gainReduction(0));
}

class CalibrationMeters : public MeterReadout, public ::testing::WithParamInterface<int32_t> {};

TEST_P(CalibrationMeters, ReadTheReferenceLevelOfTheScale) {
    const int32_t scale = GetParam();
    const double reference[] = {0.25118864315, 0.2, 0.1};  // K-12, K-14, K-20: -12, -14, -20 dB
    plugin->setParameter(kScale, orv::stepValue(scale, 3));
    plugin->setParameter(kCalibrate, orv::stepValue(1, 4));  // left
    run(std::vector<double>(5 * 44100, 0.9));
    const Readings r = read();
    EXPECT_NEAR(r.inputRms(0), reference[scale], 0.15 * reference[scale]);
    EXPECT_EQ(r.inputRms(0), r.outputRms(0));
    EXPECT_EQ(r.inputPeak(0), r.outputPeak(0));
    EXPECT_EQ(r.inputRms(1), 0.0f);
    EXPECT_EQ(r.outputPeak(1), 0.0f);
    EXPECT_EQ(r.gainReduction(0), 1.0f);

    // Averaged over many read-outs the level is close to the reference.
    double sum = 0.0;
    for (int k = 0; k < 50; ++k) {
        run(std::vector<double>(4410, 0.0));
        sum += read().outputRms(0);
    }
    EXPECT_NEAR(sum / 50, reference[scale], 0.04 * reference[scale]);
}

INSTANTIATE_TEST_SUITE_P(Scales, CalibrationMeters, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace orvtest
