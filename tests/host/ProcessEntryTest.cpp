// The process entries as a host drives them: latency, both precisions, odd buffers, threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "support/VstHost.h"

using orvtest::TestHost;

namespace {

template <typename Sample>
std::vector<Sample> impulseAt(size_t length, size_t at, Sample height = Sample(0.5)) {
    std::vector<Sample> v(length, Sample(0));
    v[at] = height;
    return v;
}

template <typename Sample>
size_t firstNonZero(const std::vector<Sample>& v) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] != Sample(0)) return i;
    return v.size();
}

template <typename Sample>
class ProcessEntry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.open());
        host.setParameter(8, 0.0f);  // bypass: the delayed input, whatever the limiter does
    }
    TestHost host;
};

using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(ProcessEntry, SampleTypes);

TYPED_TEST(ProcessEntry, ImpulseComesOutAfterTheReportedLatency) {
    const int32_t latency = this->host.effect()->initialDelay;
    ASSERT_EQ(latency, 159);
    for (int32_t block : {1, 64, 159, 160, 512, 4096}) {
        this->host.dispatch(effMainsChanged, 0, 0);
        const auto in = impulseAt<TypeParam>(5000, 100);
        std::vector<TypeParam> outL, outR;
        this->host.process(in, in, outL, outR, block);
        EXPECT_EQ(firstNonZero(outL), 100u + latency) << "block " << block;
        EXPECT_EQ(firstNonZero(outR), 100u + latency) << "block " << block;
    }
}

TYPED_TEST(ProcessEntry, OnlyInputZeroConnectedFeedsBothChannels) {
    this->host.input1Connected = false;
    const auto left = impulseAt<TypeParam>(600, 10);
    const auto right = impulseAt<TypeParam>(600, 20);
    std::vector<TypeParam> outL, outR;
    this->host.process(left, right, outL, outR);
    EXPECT_EQ(outL, outR);
    EXPECT_EQ(firstNonZero(outR), 10u + 159u);
}

TYPED_TEST(ProcessEntry, OnlyOutputZeroConnectedCarriesTheLeftResult) {
    this->host.output1Connected = false;
    const auto left = impulseAt<TypeParam>(600, 10, TypeParam(0.25));
    const auto right = impulseAt<TypeParam>(600, 20, TypeParam(0.75));
    std::vector<TypeParam> outL(600), outR(600, TypeParam(9));
    TypeParam* ins[2] = {const_cast<TypeParam*>(left.data()), const_cast<TypeParam*>(right.data())};
    TypeParam* outs[2] = {outL.data(), outR.data()};
    this->host.processBlock(ins, outs, 600);
    EXPECT_EQ(firstNonZero(outL), 10u + 159u);
    EXPECT_EQ(outL[169], TypeParam(0.25));
    EXPECT_EQ(outR[0], TypeParam(9));  // never written
}

TYPED_TEST(ProcessEntry, NullAndEmptyBuffersGiveDefinedResults) {
    std::vector<TypeParam> in(64, TypeParam(0.5)), outL(64, TypeParam(3)), outR(64, TypeParam(3));
    TypeParam* ins[2] = {in.data(), in.data()};
    TypeParam* outs[2] = {outL.data(), outR.data()};
    TypeParam* nullIns[2] = {nullptr, nullptr};
    TypeParam* rightOnlyNull[2] = {in.data(), nullptr};
    this->host.processBlock(ins, outs, 0);
    this->host.processBlock(ins, outs, -5);
    EXPECT_EQ(outL[0], TypeParam(3));
    this->host.processBlock(static_cast<TypeParam**>(nullptr), outs, 64);
    this->host.processBlock(ins, static_cast<TypeParam**>(nullptr), 64);
    this->host.processBlock(nullIns, outs, 64);  // no input: silence
    EXPECT_EQ(outL[0], TypeParam(0));
    EXPECT_EQ(outR[63], TypeParam(0));
    // A null right pointer falls back to channel 0.
    std::fill(outL.begin(), outL.end(), TypeParam(3));
    TypeParam* outsRightNull[2] = {outL.data(), nullptr};
    this->host.processBlock(rightOnlyNull, outsRightNull, 64);
    EXPECT_NE(outL[0], TypeParam(3));
}

TEST(ProcessEntries, FloatAndDoubleAgree) {
    TestHost a, b;
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    std::vector<float> inF(3000);
    std::vector<double> inD(3000);
    for (size_t i = 0; i < inF.size(); ++i) {
        inF[i] = static_cast<float>(0.9 * std::sin(0.01 * static_cast<double>(i)));
        inD[i] = inF[i];
    }
    std::vector<float> outFL, outFR;
    std::vector<double> outDL, outDR;
    a.process(inF, inF, outFL, outFR, 256);
    b.process(inD, inD, outDL, outDR, 256);
    for (size_t i = 0; i < inF.size(); ++i) ASSERT_NEAR(outFL[i], outDL[i], 1e-6) << i;
}

TEST(ProcessEntries, OldAccumulatingEntryDoesNothing) {
    TestHost host;
    ASSERT_TRUE(host.open());
    std::vector<float> in(64, 0.5f), out(64, 0.25f);
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out.data(), out.data()};
    host.effect()->process(host.effect(), ins, outs, 64);
    EXPECT_EQ(out[10], 0.25f);
}

TEST(Lifecycle, CloseWaitsForTheBlockInProgress) {
    for (int round = 0; round < 20; ++round) {
        TestHost host;
        ASSERT_TRUE(host.open());
        AEffect* effect = host.effect();
        std::atomic<bool> started{false};
        std::vector<float> in(8192, 0.1f), outL(8192), outR(8192);
        std::thread audio([&] {
            float* ins[2] = {in.data(), in.data()};
            float* outs[2] = {outL.data(), outR.data()};
            effect->processReplacing(effect, ins, outs, 64);
            started = true;
            effect->processReplacing(effect, ins, outs, 8192);
        });
        while (!started) std::this_thread::yield();
        EXPECT_EQ(host.close(), 1);
        audio.join();
    }
}

TEST(Lifecycle, InstancesProcessSideBySide) {
    constexpr int kInstances = 3;
    TestHost hosts[kInstances];
    for (TestHost& h : hosts) {
        ASSERT_TRUE(h.open());
        h.setParameter(8, 0.0f);
    }
    std::vector<std::thread> threads;
    std::vector<std::vector<float>> results(kInstances);
    for (int k = 0; k < kInstances; ++k)
        threads.emplace_back([&, k] {
            std::vector<float> in(4096, 0.0f), outR;
            in[k] = 0.5f;
            hosts[k].process(in, in, results[k], outR, 128);
        });
    for (std::thread& t : threads) t.join();
    for (int k = 0; k < kInstances; ++k) EXPECT_EQ(firstNonZero(results[k]), static_cast<size_t>(k) + 159u);
}

TEST(Automation, ParametersChangeWhileAudioRuns) {
    TestHost host;
    ASSERT_TRUE(host.open());
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        std::vector<double> in(256, 0.3), outL, outR;
        while (!stop) host.process(in, in, outL, outR, 256);
    });
    for (int round = 0; round < 200; ++round)
        for (int32_t i = 0; i < 26; ++i) host.setParameter(i, static_cast<float>((round * 7 + i) % 11) / 10.0f);
    stop = true;
    audio.join();
    EXPECT_EQ(host.getParameter(0), static_cast<float>((199 * 7) % 11) / 10.0f);
}

}  // namespace
