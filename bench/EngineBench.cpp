// The whole chain as a host runs it: 512-sample stereo blocks through processReplacing, for
// the programs that span the engine's cost, at 44.1 and 96 kHz. Reports the realtime factor:
// seconds of audio at the rate being processed per CPU second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "plugin/Plugin.h"
#include "presets/FactoryPrograms.h"

namespace orv {
namespace {

constexpr int32_t kBlock = 512;
constexpr int32_t kBlocks = 64;
constexpr int32_t kOversample = 6;

intptr_t VSTCALLBACK benchHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Program material that keeps the limiter busy: noise with a slow level swing and a few
// strong tones, peaking above full scale.
std::vector<float> material(size_t length, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<float> noise(0.0f, 0.25f);
    std::vector<float> x(length);
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i);
        const double swing = 0.6 + 0.5 * std::sin(t * 2e-4);
        x[i] = static_cast<float>(swing * (noise(rng) + 0.5 * std::sin(t * 0.031) + 0.3 * std::sin(t * 0.0047)));
    }
    return x;
}

const FactoryProgram* programNamed(const char* name) {
    for (const FactoryProgram& p : kFactoryPrograms)
        if (std::strcmp(p.name, name) == 0) return &p;
    return nullptr;
}

void runChain(benchmark::State& state, const char* program, bool oversample) {
    const float rate = static_cast<float>(state.range(0));
    auto plugin = std::make_unique<Plugin>(&benchHost);
    const FactoryProgram* p = programNamed(program);
    if (!plugin->isComplete() || !p) {
        state.SkipWithError("no plug-in or no such program");
        return;
    }
    for (int32_t i = 0; i < kNumParams; ++i) plugin->setParameter(i, static_cast<float>(p->values[i]));
    if (oversample) plugin->setParameter(kOversample, 1.0f);
    plugin->setSampleRate(rate);

    const std::vector<float> left = material(kBlock * kBlocks, 1), right = material(kBlock * kBlocks, 2);
    std::vector<float> outL(kBlock), outR(kBlock);
    for (auto _ : state) {
        for (int32_t b = 0; b < kBlocks; ++b) {
            float* ins[2] = {const_cast<float*>(left.data()) + b * kBlock, const_cast<float*>(right.data()) + b * kBlock};
            float* outs[2] = {outL.data(), outR.data()};
            plugin->processReplacing(ins, outs, kBlock);
        }
        benchmark::DoNotOptimize(outL.data());
    }
    const double seconds = static_cast<double>(kBlock) * kBlocks * static_cast<double>(state.iterations()) / rate;
    state.counters["realtime_x"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}

void ChainDefault(benchmark::State& state) { runChain(state, "Default", false); }
void ChainDefaultOversample(benchmark::State& state) { runChain(state, "Default", true); }
void ChainCdMaster3Recon(benchmark::State& state) { runChain(state, "CD Master 3 [recon]", false); }
void ChainDvdMaster2Recon(benchmark::State& state) { runChain(state, "DVD Master 2 [recon]", false); }

}  // namespace

BENCHMARK(ChainDefault)->Arg(44100)->Arg(96000)->Unit(benchmark::kMillisecond);
BENCHMARK(ChainDefaultOversample)->Arg(44100)->Arg(96000)->Unit(benchmark::kMillisecond);
BENCHMARK(ChainCdMaster3Recon)->Arg(44100)->Arg(96000)->Unit(benchmark::kMillisecond);
BENCHMARK(ChainDvdMaster2Recon)->Arg(44100)->Arg(96000)->Unit(benchmark::kMillisecond);

}  // namespace orv
