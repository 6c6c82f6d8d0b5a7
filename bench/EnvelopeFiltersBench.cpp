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

// Runs step(v) over the whole signal per iteration.
template <typename Step>
void overSignal(benchmark::State& state, Step step) {
    const std::vector<double> signal = detectorSignal();
    for (auto _ : state) {
        for (double v : signal) step(v);
    }
    reportSamples(state, kSignalLength);
}

void SlidingMaxPush(benchmark::State& state) {
    SlidingMax max;
    max.setWindow(static_cast<int>(state.range(0)));
    max.reset();
    overSignal(state, [&max](double v) { benchmark::DoNotOptimize(max.push(v)); });
}

// One stereo sample per call.
void BlockConvolverProcess(benchmark::State& state) {
    BlockConvolver convolver;
    convolver.setShapeLength(static_cast<int>(state.range(0)));
    convolver.reset();
    overSignal(state, [&convolver](double v) { benchmark::DoNotOptimize(convolver.process(v, v)); });
}

}  // namespace

BENCHMARK(SlidingMaxPush)->Arg(8)->Arg(64)->Arg(128)->Arg(512);
BENCHMARK(BlockConvolverProcess)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128);

}  // namespace orv
