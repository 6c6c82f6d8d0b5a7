#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

namespace orv {

// Reports the work done as a realtime factor: seconds of audio at 44100 Hz per CPU second,
// next to the time per sample.
inline void reportSamples(benchmark::State& state, int64_t samplesPerIteration) {
    const double samples = static_cast<double>(samplesPerIteration) * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(samples));
    state.counters["realtime_x"] = benchmark::Counter(samples / 44100.0, benchmark::Counter::kIsRate);
    state.counters["ns_per_sample"] =
        benchmark::Counter(samples * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace orv
