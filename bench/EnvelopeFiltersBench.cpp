// Per-sample cost of the look-ahead envelope filters on a detector-like signal.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "RealtimeCounter.h"
#include "dsp/BlockConvolver.h"
#include "dsp/SlidingMax.h"

namespace orv {
namespace {

constexpr int kSignalLength = 1 << 16;

// Magnitudes of noise with occasional bursts, floored like the detector's.
std::vector<double> detectorSignal() {
    std::vector<double> signal(kSignalLength);
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    for (int i = 0; i < kSignalLength; ++i) {
        const double burst = (i / 4096) % 3 == 0 ? 2.0 : 0.5;
        signal[i] = std::max(1e-5, burst * dist(rng));
    }
    return signal;
}

void SlidingMaxPush(benchmark::State& state) {
    const std::vector<double> signal = detectorSignal();
    SlidingMax max;
    max.setWindow(static_cast<int>(state.range(0)));
    max.reset();
    for (auto _ : state) {
        for (double v : signal) benchmark::DoNotOptimize(max.push(v));
    }
    reportSamples(state, kSignalLength);
}

void BlockConvolverProcess(benchmark::State& state) {
    const std::vector<double> signal = detectorSignal();
    BlockConvolver convolver;
    convolver.setShapeLength(static_cast<int>(state.range(0)));
    convolver.reset();
    for (auto _ : state) {
        for (double v : signal) benchmark::DoNotOptimize(convolver.process(v, v));
    }
    reportSamples(state, kSignalLength);  // one stereo sample per call
}

}  // namespace

BENCHMARK(SlidingMaxPush)->Arg(8)->Arg(64)->Arg(128)->Arg(512);
BENCHMARK(BlockConvolverProcess)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128);

}  // namespace orv
