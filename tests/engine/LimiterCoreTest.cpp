// The limiter core on its own: ceiling, alignment, bypass, link, leveller, detector order.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <vector>

#include "engine/LimiterCore.h"
#include "engine/OnePole.h"

namespace {

using orv::LimiterCore;
using orv::LimiterFrame;
using orv::LimiterGeometry;
using orv::LimiterSettings;
using orv::StereoPair;

constexpr double kPi = 3.14159265358979323846;

LimiterGeometry geometryFor(int rateShift, int shapeLength, int interpolationMode) {
    LimiterGeometry g;
    g.lookAhead = 128 << rateShift;
    g.shapeLength = shapeLength;
    g.envelopeDelay = g.lookAhead - 2 * shapeLength + 2;
    g.interpolationMode = interpolationMode;
    return g;
}

std::vector<LimiterFrame> run(LimiterCore& core, const std::vector<StereoPair>& in) {
    std::vector<LimiterFrame> out(in.size());
    core.process(in.data(), out.data(), static_cast<int>(in.size()));
    return out;
}

// Loud material that hits every part of the detector: noise bursts, a full-scale square,
// a quarter-rate sine whose peaks fall between the samples, silence, and single spikes.
std::vector<StereoPair> punishingSignal(int length, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.7);
    std::vector<StereoPair> x(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) {
        const int section = (i / 2000) % 5;
        double l = 0.0, r = 0.0;
        switch (section) {
            case 0: l = noise(rng); r = noise(rng) * 0.3; break;
            case 1: l = r = ((i / 37) % 2) ? 1.0 : -1.0; break;
            case 2: l = std::sin(0.5 * kPi * i + kPi / 4); r = -l; break;
            case 3: l = r = 0.0; break;
            case 4: l = (i % 301 == 0) ? 3.0 : 0.01; r = (i % 157 == 0) ? -2.5 : 0.0; break;
        }
        x[static_cast<size_t>(i)] = {l, r};
    }
    return x;
}

struct CeilingCase {
    int rateShift;
    double fs;
    int shapeLength;
    int interpolationMode;
    bool oversample;
    double transientMix;
    double link;
    double drive;
    double output;
    bool secondOrder;
};

std::ostream& operator<<(std::ostream& os, const CeilingCase& c) {
    return os << c.fs << " Hz, N " << c.shapeLength << ", mode " << c.interpolationMode << ", oversample "
              << c.oversample << ", T " << c.transientMix << ", link " << c.link << ", drive " << c.drive
              << ", output " << c.output << ", order " << (c.secondOrder ? "II" : "I");
}

class LimiterCeiling : public ::testing::TestWithParam<CeilingCase> {};

TEST_P(LimiterCeiling, NoOutputSampleAboveTheOutputGain) {
    const CeilingCase& c = GetParam();
    LimiterCore core;
    core.setSampleRate(c.fs);
    core.setGeometry(geometryFor(c.rateShift, c.shapeLength, c.interpolationMode));
    LimiterSettings s;
    s.driveTarget = c.drive;
    s.outputSource = c.output;
    s.transientMix = c.transientMix;
    s.linkAmount = c.link;
    s.oversampleOn = c.oversample;
    s.releaseMs = 5.0;
    s.secondOrder = c.secondOrder;
    core.reset(s);
    const std::vector<LimiterFrame> out = run(core, punishingSignal(30000, 7u + c.shapeLength));
    // The guarantee is exact in real arithmetic; rounding in the FFT smoothing may leave a few ulps.
    const double bound = c.output * (1.0 + 1e-12);
    double loudest = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        ASSERT_LE(std::fabs(out[i].out.l), bound) << "sample " << i;
        ASSERT_LE(std::fabs(out[i].out.r), bound) << "sample " << i;
        loudest = std::max(loudest, std::fabs(out[i].out.l));
    }
    // It limits; it does not just go quiet.
    EXPECT_GT(loudest, 0.9 * c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, LimiterCeiling,
    ::testing::Values(CeilingCase{0, 44100, 8, 2, false, 0.02, 1.0, 1.0, 1.0, false},
                      CeilingCase{0, 44100, 16, 2, true, 0.5, 0.0, 4.0, 0.25, false},
                      CeilingCase{0, 48000, 64, 2, true, 0.0, 0.5, 16.0, 0.9, true},
                      CeilingCase{1, 96000, 16, 1, true, 0.5, 1.0, 16.0, 1.0, false},
                      CeilingCase{1, 88200, 128, 1, false, 0.1, 0.0, 2.0, 0.5, true},
                      CeilingCase{2, 192000, 32, 0, true, 0.3, 1.0, 8.0, 1.0, false},
                      CeilingCase{2, 176400, 128, 0, false, 0.0, 0.2, 16.0, 0.7, true}));

class LimiterCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        core.setSampleRate(44100.0);
        core.setGeometry(geometryFor(0, 8, 2));
        core.reset(settings);
    }
    LimiterCore core;
    LimiterSettings settings;
    const int latency = 128 + LimiterCore::kDetectorDelay;
};

TEST_F(LimiterCoreTest, QuietImpulseComesOutUnchangedAfterTheLatency) {
    std::vector<StereoPair> in(600, StereoPair{0.0, 0.0});
    in[10] = {0.5, -0.25};
    const std::vector<LimiterFrame> out = run(core, in);
    for (size_t i = 0; i < out.size(); ++i) {
        const bool at = i == static_cast<size_t>(10 + latency);
        EXPECT_NEAR(out[i].out.l, at ? 0.5 : 0.0, 1e-15) << i;
        EXPECT_NEAR(out[i].out.r, at ? -0.25 : 0.0, 1e-15) << i;
        EXPECT_EQ(out[i].dry.l, at ? 0.5 : 0.0) << i;
    }
}

TEST_F(LimiterCoreTest, PowerOffPassesTheDelayedInputUntouched) {
    settings.powerOn = false;
    settings.driveTarget = 16.0;
    settings.outputSource = 0.25;
    core.reset(settings);
    const std::vector<StereoPair> in = punishingSignal(5000, 3);
    const std::vector<LimiterFrame> out = run(core, in);
    for (size_t i = 0; i < out.size(); ++i) {
        const StereoPair expected = i >= static_cast<size_t>(latency) ? in[i - latency] : StereoPair{0.0, 0.0};
        ASSERT_EQ(out[i].out.l, expected.l) << i;
        ASSERT_EQ(out[i].out.r, expected.r) << i;
        ASSERT_EQ(out[i].gain.l, 1.0);
        ASSERT_EQ(out[i].stage1.r, 1.0);
    }
}

TEST_F(LimiterCoreTest, FullLinkMakesTheQuietChannelsReleasePathFollowTheLoudOne) {
    std::vector<StereoPair> in(4000);
    for (size_t i = 0; i < in.size(); ++i) in[i] = {2.0 * std::sin(0.05 * static_cast<double>(i)), 0.0};
    for (double link : {1.0, 0.0}) {
        settings.linkAmount = link;
        settings.transientMix = 0.2;
        core.reset(settings);
        const std::vector<LimiterFrame> out = run(core, in);
        const LimiterFrame& f = out.back();
        ASSERT_LT(f.stage1.l, 0.8);
        if (link == 1.0) {
            EXPECT_EQ(f.stage1.r, f.stage1.l);
            EXPECT_EQ(f.gain.r, f.stage1.r);  // the brickwall path stays unlinked
        } else {
            EXPECT_EQ(f.stage1.r, 1.0);
            EXPECT_EQ(f.gain.r, 1.0);
        }
    }
}

TEST_F(LimiterCoreTest, DriveIntoTheCeilingKeepsPeaksJustBelowIt) {
    settings.driveTarget = 16.0;
    settings.outputSource = 0.8;
    core.reset(settings);
    std::vector<StereoPair> in(20000);
    for (size_t i = 0; i < in.size(); ++i) {
        const double v = 0.5 * std::sin(2 * kPi * 997.0 * static_cast<double>(i) / 44100.0);
        in[i] = {v, v};
    }
    const std::vector<LimiterFrame> out = run(core, in);
    double peak = 0.0;
    for (size_t i = 10000; i < out.size(); ++i) peak = std::max(peak, std::fabs(out[i].out.l));
    EXPECT_LE(peak, 0.8 * (1.0 + 1e-12));
    EXPECT_GT(peak, 0.8 * 0.97);
}

TEST_F(LimiterCoreTest, LevellerPullsASteadyLoudInputTowardItsTargetWithASecondTimeConstant) {
    std::vector<StereoPair> in(44100, StereoPair{1.0, -1.0});
    settings.levellerTarget = 0.25;
    settings.levellerOn = false;
    core.reset(settings);
    for (const LimiterFrame& f : run(core, in)) ASSERT_EQ(f.levellerGain, 1.0);

    settings.levellerOn = true;
    core.reset(settings);
    const std::vector<LimiterFrame> first = run(core, in);
    // After one time constant the envelope has covered 1 - 1/e of the way to 1.0.
    EXPECT_NEAR(first.back().levellerGain, 0.25 / (1.0 - std::exp(-1.0)), 0.002);
    std::vector<LimiterFrame> later;
    for (int second = 0; second < 5; ++second) later = run(core, in);
    EXPECT_NEAR(later.back().levellerGain, 0.25, 0.001);
}

TEST_F(LimiterCoreTest, SecondDetectorOrderSmoothsTheRelease) {
    std::vector<StereoPair> in(6000, StereoPair{0.0, 0.0});
    for (size_t i = 100; i < 2100; ++i) in[i] = {4.0, 4.0};
    settings.releaseMs = 50.0;
    settings.transientMix = 0.0;
    core.reset(settings);
    const std::vector<LimiterFrame> first = run(core, in);
    settings.secondOrder = true;
    core.reset(settings);
    const std::vector<LimiterFrame> second = run(core, in);
    // The second stages lag the first: less reduction while the burst builds up, slower recovery.
    const size_t attack = static_cast<size_t>(100 + latency + 200);
    const size_t release = static_cast<size_t>(2100 + latency + 400);
    EXPECT_GT(second[attack].stage1.l, first[attack].stage1.l);
    EXPECT_LT(second[release].stage1.l, first[release].stage1.l);
    // Both still hold the ceiling.
    for (size_t i = 0; i < in.size(); ++i) ASSERT_LE(std::fabs(second[i].out.l), 1.0 + 1e-12);
}

TEST(FollowerBanks, AttackTimesFixedReleaseTimesFromTheSettingDownToTwoMilliseconds) {
    const double fs = 48000.0;
    for (double releaseMs : {1.0, 50.0, 1000.0}) {
        orv::FollowerBanks banks;
        banks.compute(releaseMs, fs);
        EXPECT_DOUBLE_EQ(banks.attack[0], orv::onePoleCoefficient(32.0, fs));
        EXPECT_DOUBLE_EQ(banks.attack[7], orv::onePoleCoefficient(1.0, fs));
        EXPECT_DOUBLE_EQ(banks.release[0], orv::onePoleCoefficient(releaseMs, fs));
        EXPECT_NEAR(banks.release[7], orv::onePoleCoefficient(2.0, fs), 1e-15);
    }
}

TEST_F(LimiterCoreTest, ANewReleaseTimeTakesEffectAtTheNextBlock) {
    settings.releaseMs = 1000.0;
    core.beginBlock(settings);
    EXPECT_DOUBLE_EQ(core.banks().release[0], orv::onePoleCoefficient(1000.0, 44100.0));
    core.setSampleRate(96000.0);
    EXPECT_DOUBLE_EQ(core.banks().release[0], orv::onePoleCoefficient(1000.0, 96000.0));
}

}  // namespace
