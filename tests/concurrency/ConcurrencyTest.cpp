// One effect under every kind of concurrent use a host and its editor produce: a processing
// thread, automation of every parameter ("TransShape" included), sample-rate changes and host
// suspends, meter read-outs, and chunk saves and loads. Built for the thread sanitizer, which
// reports any data race; the checks here catch what a race would do to the audio.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "support/DirectPlugin.h"

namespace {

TEST(Concurrency, EverySettingChangesWhileAudioRuns) {
    auto plugin = orvtest::makePlugin();
    ASSERT_NE(plugin, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<bool> outOfRange{false};

    std::thread audio([&] {
        constexpr int32_t kBlock = 256;
        std::vector<float> fl(kBlock), fr(kBlock), fo0(kBlock), fo1(kBlock);
        std::vector<double> dl(kBlock), dr(kBlock), do0(kBlock), do1(kBlock);
        for (int32_t i = 0; i < kBlock; ++i) {
            dl[i] = fl[i] = static_cast<float>(2.0 * std::sin(0.05 * i));
            dr[i] = fr[i] = static_cast<float>(std::sin(0.31 * i));
        }
        float* fin[2] = {fl.data(), fr.data()};
        float* fout[2] = {fo0.data(), fo1.data()};
        double* din[2] = {dl.data(), dr.data()};
        double* dout[2] = {do0.data(), do1.data()};
        while (!stop.load()) {
            plugin->processReplacing(fin, fout, kBlock);
            plugin->processDoubleReplacing(din, dout, kBlock);
            for (int32_t i = 0; i < kBlock; ++i) {
                for (double x : {static_cast<double>(fo0[i]), static_cast<double>(fo1[i]), do0[i], do1[i]})
                    if (!(std::fabs(x) <= 1.0)) outOfRange = true;
            }
            blocks += 2;
        }
    });
    std::vector<std::thread> others;
    for (unsigned seed : {1u, 2u}) {
        others.emplace_back([&, seed] {
            std::mt19937 rng(seed);
            std::uniform_real_distribution<float> value(0.0f, 1.0f);
            while (!stop.load()) plugin->setParameter(static_cast<int32_t>(rng() % 26), value(rng));
        });
    }
    others.emplace_back([&] {
        const float rates[] = {44100.0f, 96000.0f, 48000.0f, 192000.0f, 88200.0f};
        for (int i = 0; !stop.load(); ++i) {
            plugin->setSampleRate(rates[i % 5]);
            if (i % 3 == 0) plugin->suspend();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    others.emplace_back([&] {
        float values[orv::Engine::kMeterValueCount];
        while (!stop.load()) {
            plugin->getMeterValues(values);
            for (float v : values) EXPECT_TRUE(std::isfinite(v));
        }
    });
    others.emplace_back([&] {
        while (!stop.load()) {
            void* data = nullptr;
            const int32_t size = plugin->getChunk(&data, false);
            ASSERT_GT(size, 0);
            std::vector<unsigned char> copy(static_cast<const unsigned char*>(data),
                                            static_cast<const unsigned char*>(data) + size);
            EXPECT_EQ(plugin->setChunk(copy.data(), size, false), 0);  // -1 would mean rejected
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    while (blocks.load() < 2000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    stop = true;
    audio.join();
    for (std::thread& t : others) t.join();
    EXPECT_FALSE(outOfRange.load());

    // Whatever happened, the effect still works: in bypass an impulse comes out after the latency.
    plugin->setParameter(12, 0.0f);  // Calibrate off
    plugin->setParameter(8, 0.0f);   // Power off
    plugin->setParameter(16, 0.0f);  // Quantize off
    plugin->suspend();
    const int32_t latency = plugin->getAeffect()->initialDelay;
    std::vector<double> in(2048, 0.0), out0(2048), out1(2048);
    in[5] = 0.5;
    double* ins[2] = {in.data(), in.data()};
    double* outs[2] = {out0.data(), out1.data()};
    plugin->processDoubleReplacing(ins, outs, 2048);
    EXPECT_EQ(out0[static_cast<size_t>(5 + latency)], 0.5);
    EXPECT_EQ(out1[static_cast<size_t>(5 + latency)], 0.5);
}

}  // namespace
