// Per-sample cost of the inter-sample peak estimate: push plus the largest magnitude of both
// channels, as the detector uses it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "RealtimeCounter.h"
#include "dsp/PeakInterpolator.h"

namespace orv {
namespace {

constexpr int kSignalLength = 1 << 14;

void PeakInterpolatorMode(benchmark::State& state) {
    std::vector<double> signal(kSignalLength);
    for (int i = 0; i < kSignalLength; ++i) signal[i] = std::sin(0.37 * i) * 0.9;
    PeakInterpolator interpolator;
    interpolator.setMode(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (double v : signal) {
            interpolator.push(v, -v);
            benchmark::DoNotOptimize(interpolator.largestMagnitude(0));
            benchmark::DoNotOptimize(interpolator.largestMagnitude(1));
        }
    }
    reportSamples(state, kSignalLength);  // one stereo sample per push
}

}  // namespace

BENCHMARK(PeakInterpolatorMode)->Arg(1)->Arg(2);

}  // namespace orv
