// The whole limiter chain as a host drives it: the ceiling of every factory program at every
// rate class, alignment, bypass, block sizes, both precisions, pin mapping, non-finite input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "PresetHost.h"

namespace orvtest {
namespace {

constexpr int32_t kOutput = 0, kDrive = 1, kPower = 8, kQuantize = 16;
constexpr double kPi = 3.14159265358979323846;

struct Stereo {
    std::vector<double> l, r;
};

// Loud material for a limiter: noise bursts up to +12 dB, a full-scale square, a sine at a
// quarter of the rate whose peaks fall between the samples, silence and lone spikes.
Stereo punishingSignal(size_t length, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.8);
    Stereo x{std::vector<double>(length), std::vector<double>(length)};
    for (size_t i = 0; i < length; ++i) {
        double l = 0.0, r = 0.0;
        switch ((i / 2000) % 5) {
            case 0: l = noise(rng) * (1.0 + 3.0 * ((i / 700) % 2)); r = noise(rng) * 0.3; break;
            case 1: l = r = ((i / 41) % 2) ? 1.0 : -1.0; break;
            case 2: l = std::sin(0.5 * kPi * static_cast<double>(i) + kPi / 4); r = -0.5 * l; break;
            case 3: break;
            case 4: l = (i % 401 == 0) ? 4.0 : 0.01; r = (i % 173 == 0) ? -3.0 : 0.0; break;
        }
        x.l[i] = l;
        x.r[i] = r;
    }
    return x;
}

double outputCeiling(float outputValue) { return std::pow(2.0, 2.0 * (static_cast<double>(outputValue) - 1.0)); }

class LimiterChain : public PresetHostTest {
protected:
    void SetUp() override {
        PresetHostTest::SetUp();
        open();
        factory = host.programs();
        ASSERT_EQ(factory.size(), static_cast<size_t>(kPrograms));
    }
    void apply(const TestProgram& p) {
        for (int32_t i = 0; i < kParams; ++i) host.setParameter(i, p.values[static_cast<size_t>(i)]);
    }
    const TestProgram& program(const std::string& name) {
        for (const TestProgram& p : factory)
            if (p.name == name) return p;
        ADD_FAILURE() << name;
        return factory[0];
    }
    // Processes from a cleared state.
    template <typename Sample>
    std::vector<std::vector<Sample>> run(const Stereo& in, int32_t block = 512) {
        host.dispatch(effMainsChanged, 0, 0);
        std::vector<Sample> l(in.l.begin(), in.l.end()), r(in.r.begin(), in.r.end()), outL, outR;
        host.process(l, r, outL, outR, block);
        return {outL, outR};
    }

    std::vector<TestProgram> factory;
};

TEST_F(LimiterChain, EveryProgramHoldsItsCeilingAtEveryRateClass) {
    for (float rate : {44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        const Stereo in = punishingSignal(static_cast<size_t>(rate * 0.25f), static_cast<unsigned>(rate));
        for (const TestProgram& p : factory) {
            apply(p);
            host.setParameter(kQuantize, 0.0f);  // the limiter's own output, before any requantisation
            host.setSampleRate(rate);            // clears the state: the gains start at their targets
            const double ceiling = outputCeiling(p.values[kOutput]) * (1.0 + 1e-12);
            const auto out = run<double>(in);
            double loudest = 0.0;
            for (const auto& channel : out) {
                for (size_t i = 0; i < channel.size(); ++i) {
                    ASSERT_LE(std::fabs(channel[i]), ceiling) << p.name << " at " << rate << " Hz, sample " << i;
                    loudest = std::max(loudest, std::fabs(channel[i]));
                }
            }
            EXPECT_GT(loudest, 0.5 * ceiling) << p.name << " at " << rate << " Hz";
        }
    }
}

TEST_F(LimiterChain, QuietImpulseComesOutAloneAfterTheReportedLatency) {
    apply(program("Default"));
    for (float rate : {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f}) {
        host.setSampleRate(rate);
        const int32_t latency = host.effect()->initialDelay;
        EXPECT_EQ(latency, (rate < 80000.0f ? 128 : rate < 170000.0f ? 256 : 512) + 31) << rate;
        Stereo in{std::vector<double>(2000), std::vector<double>(2000)};
        in.l[100] = 0.5;
        in.r[100] = -0.25;
        const auto out = run<double>(in, 333);
        for (size_t i = 0; i < in.l.size(); ++i) {
            const bool at = i == 100u + static_cast<size_t>(latency);
            ASSERT_NEAR(out[0][i], at ? 0.5 : 0.0, 1e-15) << rate << " Hz, sample " << i;
            ASSERT_NEAR(out[1][i], at ? -0.25 : 0.0, 1e-15) << rate << " Hz, sample " << i;
        }
    }
}

TEST_F(LimiterChain, PowerOffGivesTheInputDelayedWhateverDriveAndOutputSay) {
    apply(program("Loud It Up"));
    host.setParameter(kDrive, 1.0f);
    host.setParameter(kOutput, 0.0f);
    host.setParameter(kPower, 0.0f);
    Stereo in = punishingSignal(8000, 5);
    for (auto* channel : {&in.l, &in.r})
        for (double& x : *channel) x = std::clamp(x, -1.0, 1.0);  // the final clip would change louder samples
    const auto out = run<double>(in);
    // The final clip's (|x + 1| - |x - 1|) / 2 rounds to within 2^-53 of full scale.
    const double clipRounding = 0x1p-53;
    for (size_t i = 0; i < in.l.size(); ++i) {
        ASSERT_NEAR(out[0][i], i >= 159 ? in.l[i - 159] : 0.0, clipRounding) << i;
        ASSERT_NEAR(out[1][i], i >= 159 ? in.r[i - 159] : 0.0, clipRounding) << i;
    }
}

// The requantising program exercises every stage that keeps state across blocks.
TEST_F(LimiterChain, BlockSizeChangesNothingInEitherPrecision) {
    const Stereo in = punishingSignal(20000, 11);
    for (const char* name : {"CD Master 3 [recon]", "DVD Master 2 [recon]", "Loudness 2"}) {
        apply(program(name));
        const auto reference = run<double>(in, 512);
        const auto referenceFloat = run<float>(in, 512);
        for (int32_t block : {1, 7, 64, 4096}) {
            EXPECT_EQ(run<double>(in, block), reference) << name << ", block " << block;
            EXPECT_EQ(run<float>(in, block), referenceFloat) << name << ", block " << block;
        }
    }
}

TEST_F(LimiterChain, SingleAndDoubleEntriesComputeTheSameNumbers) {
    Stereo in = punishingSignal(20000, 13);
    for (auto* channel : {&in.l, &in.r})
        for (double& x : *channel) x = static_cast<float>(x);  // inputs both entries can carry exactly
    for (const char* name : {"Default", "CD Master 3 [recon]", "Game 1 [8bit]"}) {
        apply(program(name));
        const auto single = run<float>(in);
        const auto twice = run<double>(in);
        for (size_t c = 0; c < 2; ++c)
            for (size_t i = 0; i < in.l.size(); ++i)
                ASSERT_EQ(single[c][i], static_cast<float>(twice[c][i])) << name << ", channel " << c << ", sample " << i;
    }
}

TEST_F(LimiterChain, WithOnlyInputZeroBothChannelsLimitTheLeftInput) {
    apply(program("Limiter Hard"));  // half link, so unequal channels would show
    const Stereo in = punishingSignal(12000, 17);
    host.input1Connected = false;
    const auto single = run<double>(in);
    EXPECT_EQ(single[0], single[1]);
    host.input1Connected = true;
    const auto both = run<double>(Stereo{in.l, in.l});
    EXPECT_EQ(single[0], both[0]);
}

TEST_F(LimiterChain, WithOnlyOutputZeroItCarriesTheLeftResult) {
    apply(program("Limiter Hard"));
    const Stereo in = punishingSignal(12000, 19);
    const auto stereo = run<double>(in);
    host.output1Connected = false;
    host.dispatch(effMainsChanged, 0, 0);
    std::vector<double> l = in.l, r = in.r, out0(l.size()), out1(l.size(), 7.0);
    for (size_t at = 0; at < l.size(); at += 512) {
        const int32_t n = static_cast<int32_t>(std::min<size_t>(512, l.size() - at));
        double* ins[2] = {l.data() + at, r.data() + at};
        double* outs[2] = {out0.data() + at, out1.data() + at};
        host.processBlock(ins, outs, n);
    }
    EXPECT_EQ(out0, stereo[0]);
    EXPECT_EQ(out1, std::vector<double>(l.size(), 7.0));
}

// A non-finite sample is taken as silence where it enters; it must not poison the state.
TEST_F(LimiterChain, NonFiniteInputIsSilenceAndLeavesNoTrace) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const char* name : {"Default", "CD Master 3 [recon]"}) {
        apply(program(name));
        const double ceiling = outputCeiling(program(name).values[kOutput]) * (1.0 + 1e-12);
        host.setParameter(kQuantize, 0.0f);
        Stereo clean = punishingSignal(10000, 23);
        Stereo poisoned = clean;
        for (size_t i : {1000u, 1001u, 4321u, 7000u}) {
            clean.l[i] = clean.r[i] = 0.0;
            poisoned.l[i] = nan;
            poisoned.r[i] = (i % 2) ? inf : -inf;
        }
        const auto expected = run<double>(clean);
        const auto out = run<double>(poisoned);
        EXPECT_EQ(out, expected) << name;

        // Finite but beyond any audio: the output stays finite and under the ceiling.
        Stereo huge = clean;
        huge.l[2000] = 1e300;
        huge.r[2000] = -std::numeric_limits<double>::max();
        for (const auto& channel : run<double>(huge))
            for (double x : channel) ASSERT_LE(std::fabs(x), ceiling) << name;
    }
}

}  // namespace
}  // namespace orvtest
