// RealFft against FFTW's real transforms (r2c forward, c2r inverse) of the same length.
// Both copy a fresh frame into the work buffer every iteration, so the values stay bounded.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <random>

#include "dsp/AlignedBuffer.h"
#include "dsp/RealFft.h"

namespace orv {
namespace {

AlignedBuffer randomFrame(int n) {
    AlignedBuffer frame(n);
    std::mt19937 rng(n);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (int i = 0; i < n; ++i) frame[i] = dist(rng);
    return frame;
}

template <void (*kTransform)(int, double*)>
void OrvTransform(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const AlignedBuffer frame = randomFrame(n);
    AlignedBuffer work(n);
    for (auto _ : state) {
        std::copy(frame.data(), frame.data() + n, work.data());
        kTransform(n, work.data());
        benchmark::DoNotOptimize(work.data());
    }
}

void OrvForward(benchmark::State& state) { OrvTransform<RealFft::forward>(state); }
void OrvInverse(benchmark::State& state) { OrvTransform<RealFft::inverse>(state); }

// forward, multiply by a kernel spectrum, inverse: what the convolver runs per block.
void OrvConvolve(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const AlignedBuffer frame = randomFrame(n);
    AlignedBuffer kernel = randomFrame(n);
    RealFft::forward(n, kernel.data());
    RealFft::scale(n, kernel.data());
    AlignedBuffer work(n);
    for (auto _ : state) {
        std::copy(frame.data(), frame.data() + n, work.data());
        RealFft::forward(n, work.data());
        RealFft::multiply(n, work.data(), kernel.data());
        RealFft::inverse(n, work.data());
        benchmark::DoNotOptimize(work.data());
    }
}

struct FftwPlans {
    explicit FftwPlans(int n)
        : n(n),
          real(fftw_alloc_real(n)),
          spectrum(fftw_alloc_complex(n / 2 + 1)),
          kernel(fftw_alloc_complex(n / 2 + 1)),
          forward(fftw_plan_dft_r2c_1d(n, real, spectrum, FFTW_MEASURE)),
          inverse(fftw_plan_dft_c2r_1d(n, spectrum, real, FFTW_MEASURE)) {}
    ~FftwPlans() {
        fftw_destroy_plan(forward);
        fftw_destroy_plan(inverse);
        fftw_free(real);
        fftw_free(spectrum);
        fftw_free(kernel);
    }
    int n;
    double* real;
    fftw_complex* spectrum;
    fftw_complex* kernel;
    fftw_plan forward;
    fftw_plan inverse;
};

void FftwForward(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    FftwPlans fftw(n);
    const AlignedBuffer frame = randomFrame(n);
    for (auto _ : state) {
        std::copy(frame.data(), frame.data() + n, fftw.real);
        fftw_execute(fftw.forward);
        benchmark::DoNotOptimize(fftw.spectrum);
    }
}

void FftwInverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    FftwPlans fftw(n);
    const AlignedBuffer frame = randomFrame(n + 2);
    for (auto _ : state) {
        std::copy(frame.data(), frame.data() + n + 2, &fftw.spectrum[0][0]);
        fftw_execute(fftw.inverse);
        benchmark::DoNotOptimize(fftw.real);
    }
}

void FftwConvolve(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    FftwPlans fftw(n);
    const AlignedBuffer frame = randomFrame(n);
    const AlignedBuffer kernel = randomFrame(n + 2);
    std::copy(kernel.data(), kernel.data() + n + 2, &fftw.kernel[0][0]);
    for (auto _ : state) {
        std::copy(frame.data(), frame.data() + n, fftw.real);
        fftw_execute(fftw.forward);
        for (int k = 0; k <= n / 2; ++k) {
            const double re = fftw.spectrum[k][0] * fftw.kernel[k][0] - fftw.spectrum[k][1] * fftw.kernel[k][1];
            const double im = fftw.spectrum[k][0] * fftw.kernel[k][1] + fftw.spectrum[k][1] * fftw.kernel[k][0];
            fftw.spectrum[k][0] = re;
            fftw.spectrum[k][1] = im;
        }
        fftw_execute(fftw.inverse);
        benchmark::DoNotOptimize(fftw.real);
    }
}

}  // namespace

BENCHMARK(OrvForward)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(FftwForward)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(OrvInverse)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(FftwInverse)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(OrvConvolve)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(FftwConvolve)->RangeMultiplier(2)->Range(16, 256);

}  // namespace orv
