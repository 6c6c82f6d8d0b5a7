// The calibration generator through the host interface: pink noise at the K-scale reference
// levels, on the chosen sides, starting from the generator's seeds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugin/base/StepHelpers.h"
#include "support/VstHost.h"

namespace orvtest {
namespace {

constexpr int32_t kPower = 8, kScale = 9, kCalibrate = 12, kQuantize = 16;
constexpr int32_t kLeft = 1, kBoth = 2, kRight = 3;
constexpr int32_t kK12 = 0, kK14 = 1, kK20 = 2;

class Calibration : public ::testing::Test {
protected:
    // A fresh stream with calibration in the given mode and scale.
    void start(TestHost& h, int32_t mode, int32_t scale) {
        if (!h.effect()) {
            ASSERT_TRUE(h.open());
        }
        h.setParameter(kCalibrate, orv::stepValue(mode, 4));
        h.setParameter(kScale, orv::stepValue(scale, 3));
        h.dispatch(effMainsChanged, 0, 0);
        h.dispatch(effMainsChanged, 0, 1);
    }

    // Calibration ignores the input: feed something loud to show it.
    void run(TestHost& h, size_t frames, std::vector<double>& l, std::vector<double>& r, int32_t block = 512) {
        std::vector<double> loud(frames, 0.9);
        h.process(loud, loud, l, r, block);
    }

    static double rms(const std::vector<double>& x) {
        double sum = 0.0;
        for (double v : x) sum += v * v;
        return std::sqrt(sum / static_cast<double>(x.size()));
    }

    TestHost host;
};

TEST_F(Calibration, FirstValuesFollowTheSeeds) {
    const double expected[] = {-0.03221248151923224, 0.03616008856072956, 0.04211951441406548, 0.05179779347470904};
    start(host, kLeft, kK20);
    std::vector<double> l, r;
    run(host, 4, l, r);
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(l[static_cast<size_t>(i)], expected[i]) << i;

    start(host, kLeft, kK20);
    std::vector<float> in(4, 0.0f), fl, fr;
    host.process(in, in, fl, fr);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fl[static_cast<size_t>(i)], static_cast<float>(expected[i])) << i;
}

TEST_F(Calibration, LeftAtK20IsPinkNoiseAtMinus23DecibelsAndSilenceOnTheRight) {
    start(host, kLeft, kK20);
    std::vector<double> l, r;
    run(host, 441000, l, r, 333);
    for (double v : r) ASSERT_EQ(v, 0.0);
    EXPECT_NEAR(rms(l), 0.1 / std::sqrt(2.0), 0.004);
}

TEST_F(Calibration, ScalesLiftTheSameNoise) {
    start(host, kLeft, kK20);
    std::vector<double> k20, unused;
    run(host, 8192, k20, unused);
    for (auto [scale, factor] : {std::pair{kK14, 2.0}, std::pair{kK12, 2.5118864315}}) {
        std::vector<double> lifted;
        start(host, kLeft, scale);
        run(host, 8192, lifted, unused);
        for (size_t i = 0; i < k20.size(); ++i) ASSERT_EQ(lifted[i], k20[i] * factor) << i;
    }
}

TEST_F(Calibration, BothSidesCarryUncorrelatedNoiseOfEqualLevel) {
    start(host, kBoth, kK20);
    std::vector<double> l, r;
    run(host, 441000, l, r);
    const double rl = rms(l), rr = rms(r);
    EXPECT_NEAR(rl, 0.1 / std::sqrt(2.0), 0.004);
    EXPECT_NEAR(rr / rl, 1.0, 0.05);
    double cross = 0.0;
    for (size_t i = 0; i < l.size(); ++i) cross += l[i] * r[i];
    EXPECT_LT(std::fabs(cross / static_cast<double>(l.size())) / (rl * rr), 0.03);
}

TEST_F(Calibration, RightWithoutOutputOneWritesZerosToChannelZeroOnly) {
    host.output1Connected = false;
    start(host, kRight, kK20);
    std::vector<double> in(256, 0.5), out0(256, -7.0), out1(256, -7.0);
    double* ins[2] = {in.data(), in.data()};
    double* outs[2] = {out0.data(), out1.data()};
    host.processBlock(ins, outs, 256);
    for (double v : out0) ASSERT_EQ(v, 0.0);
    for (double v : out1) ASSERT_EQ(v, -7.0);

    // With output 1 connected the noise goes there.
    host.output1Connected = true;
    host.processBlock(ins, outs, 256);
    for (double v : out0) ASSERT_EQ(v, 0.0);
    EXPECT_GT(rms(out1), 0.01);
}

TEST_F(Calibration, LimiterPicksUpItsOwnAudioWhenCalibrationStops) {
    ASSERT_TRUE(host.open());
    host.setParameter(kPower, orv::stepValue(0, 2));  // bypass: the delayed input, plainly
    host.setParameter(kQuantize, orv::stepValue(0, 2));
    start(host, 0, kK20);
    const size_t latency = static_cast<size_t>(host.effect()->initialDelay);
    std::vector<double> ramp(latency), l, r;
    // Multiples of 2^-10 pass the final clip unchanged.
    for (size_t i = 0; i < latency; ++i) ramp[i] = static_cast<double>(i + 1) / 1024.0;
    host.process(ramp, ramp, l, r);

    host.setParameter(kCalibrate, orv::stepValue(kBoth, 4));
    run(host, 5000, l, r);
    host.setParameter(kCalibrate, orv::stepValue(0, 4));
    std::vector<double> silence(latency + 10, 0.0);
    host.process(silence, silence, l, r);
    for (size_t i = 0; i < latency; ++i) ASSERT_EQ(l[i], ramp[i]) << i;
    for (size_t i = latency; i < l.size(); ++i) ASSERT_EQ(l[i], 0.0) << i;
}

}  // namespace
}  // namespace orvtest
