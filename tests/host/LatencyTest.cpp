// The reported latency follows the sample-rate class, and the audio really is that late.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/VstHost.h"

using orvtest::TestHost;

namespace {

constexpr int32_t kTransShape = 4;
constexpr int32_t kPower = 8;

struct RateCase {
    float rate;
    int32_t latency;
};

const RateCase kRateCases[] = {
    {44100.0f, 159},   {48000.0f, 159},  {79999.9f, 159},  {80000.0f, 287},
    {96000.0f, 287},   {169999.0f, 287}, {170000.0f, 543}, {176400.0f, 543},
    {192000.0f, 543},  {200000.0f, 543}, {200001.0f, 159}, {4999.0f, 159},
    {5000.0f, 159},    {0.0f, 159},      {-96000.0f, 159}, {std::numeric_limits<float>::quiet_NaN(), 159},
    {std::numeric_limits<float>::infinity(), 159},
};

class Latency : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.open());
        host.setParameter(kPower, 0.0f);  // bypass: the input delayed, whatever the limiter does
    }

    int32_t reported() const { return host.effect()->initialDelay; }

    // Where a lone sample at position 100 comes out; the block size is chosen so that the
    // delay spans several blocks.
    size_t impulseArrival() {
        std::vector<double> in(2000, 0.0), outL, outR;
        in[100] = 0.5;
        host.process(in, in, outL, outR, 97);
        for (size_t i = 0; i < outL.size(); ++i) {
            if (outL[i] != 0.0) return i;
        }
        return outL.size();
    }

    TestHost host;
};

TEST_F(Latency, FollowsTheRateClassAndTheAudioArrivesThatLate) {
    for (const RateCase& c : kRateCases) {
        host.setSampleRate(c.rate);
        EXPECT_EQ(reported(), c.latency) << "rate " << c.rate;
        EXPECT_EQ(impulseArrival(), 100u + static_cast<size_t>(c.latency)) << "rate " << c.rate;
    }
}

TEST_F(Latency, TransShapeNeverChangesIt) {
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        host.setSampleRate(rate);
        const int32_t expected = reported();
        for (float shape : {0.0f, 0.5f, 1.0f, 0.5f}) {
            host.setParameter(kTransShape, shape);
            EXPECT_EQ(reported(), expected) << "rate " << rate << " shape " << shape;
            EXPECT_EQ(impulseArrival(), 100u + static_cast<size_t>(expected)) << "rate " << rate << " shape " << shape;
        }
    }
}

TEST_F(Latency, HostThatAcceptsIoChangesIsToldOfEachChange) {
    host.acceptIOChanges = true;
    const struct {
        float rate;
        size_t notices;
    } steps[] = {{48000.0f, 0}, {96000.0f, 1}, {88200.0f, 1}, {192000.0f, 2}, {44100.0f, 3}, {44100.0f, 3}};
    for (const auto& step : steps) {
        host.setSampleRate(step.rate);
        EXPECT_EQ(host.count(audioMasterIOChanged), step.notices) << "rate " << step.rate;
    }
}

TEST_F(Latency, HostThatDoesNotAcceptIoChangesReadsTheRecordOnly) {
    host.setSampleRate(192000.0f);
    EXPECT_EQ(reported(), 543);
    EXPECT_EQ(host.count(audioMasterIOChanged), 0u);
}

// Both the same-rate set-up and the host's suspend clear what the delay lines still hold.
TEST_F(Latency, SameRateAndSuspendClearTheSignalHistory) {
    for (int way = 0; way < 2; ++way) {
        std::vector<double> tone(300), outL, outR;
        for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5 * std::sin(0.1 * static_cast<double>(i));
        host.process(tone, tone, outL, outR);
        if (way == 0) {
            host.setSampleRate(44100.0f);
        } else {
            host.dispatch(effMainsChanged, 0, 0);
            host.dispatch(effMainsChanged, 0, 1);
        }
        const std::vector<double> silence(400, 0.0);
        host.process(silence, silence, outL, outR);
        for (size_t i = 0; i < outL.size(); ++i) ASSERT_EQ(outL[i], 0.0) << "way " << way << " sample " << i;
    }
}

}  // namespace
