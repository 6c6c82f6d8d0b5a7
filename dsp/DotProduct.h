#pragma once

#include "dsp/Simd.h"

namespace orv {

// Dot products. dot3 accumulates in four lanes (term i goes to lane i mod 4) and adds the
// lanes as (0 + 2) + (1 + 3); the plain, SSE2 and AVX versions all add in exactly that order,
// so every build and processor gets the same bits. n must be a multiple of 4.
// Weights must be 16-byte aligned; x need not be.

// out[p] = sum of weights[p * stride + i] * x[i], i < n, for the three rows p = 0, 1, 2.
inline void dot3Plain(const double* weights, int stride, const double* x, int n, double out[3]) {
    for (int p = 0; p < 3; ++p) {
        const double* w = weights + p * stride;
        double lane[4] = {0.0, 0.0, 0.0, 0.0};
        for (int i = 0; i < n; i += 4) {
            for (int j = 0; j < 4; ++j) lane[j] += w[i + j] * x[i + j];
        }
        out[p] = (lane[0] + lane[2]) + (lane[1] + lane[3]);
    }
}

// The signature shared by the dot3 versions, for choosing one at run time.
using Dot3 = void (*)(const double* weights, int stride, const double* x, int n, double out[3]);
// The AVX version, or null where the build or the processor lacks it.
Dot3 dot3Avx();
// The widest version this processor runs.
Dot3 bestDot3();

// A symmetric filter of n taps folded in half: sum of weights[j] * (x[j] + x[n-1-j]), j < n/2.
// n/2 must be even.
inline double foldedDotPlain(const double* weights, const double* x, int n) {
    double even = 0.0, odd = 0.0;
    for (int j = 0; j < n / 2; j += 2) {
        even += weights[j] * (x[j] + x[n - 1 - j]);
        odd += weights[j + 1] * (x[j + 1] + x[n - 2 - j]);
    }
    return even + odd;
}

#ifdef ORV_SSE2

inline double sumOfLanes(__m128d acc) { return _mm_cvtsd_f64(acc) + _mm_cvtsd_f64(_mm_unpackhi_pd(acc, acc)); }

// Three rows share each load of x; each row keeps lanes 0, 1 and lanes 2, 3 in two registers.
inline void dot3Sse2(const double* weights, int stride, const double* x, int n, double out[3]) {
    __m128d lo[3] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
    __m128d hi[3] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
    for (int i = 0; i < n; i += 4) {
        const __m128d v0 = _mm_loadu_pd(x + i);
        const __m128d v1 = _mm_loadu_pd(x + i + 2);
        for (int p = 0; p < 3; ++p) {
            const double* w = weights + p * stride + i;
            lo[p] = _mm_add_pd(lo[p], _mm_mul_pd(_mm_load_pd(w), v0));
            hi[p] = _mm_add_pd(hi[p], _mm_mul_pd(_mm_load_pd(w + 2), v1));
        }
    }
    for (int p = 0; p < 3; ++p) out[p] = sumOfLanes(_mm_add_pd(lo[p], hi[p]));
}

inline double foldedDotSse2(const double* weights, const double* x, int n) {
    __m128d acc = _mm_setzero_pd();
    for (int j = 0; j < n / 2; j += 2) {
        const __m128d front = _mm_loadu_pd(x + j);
        const __m128d back = _mm_loadu_pd(x + n - 2 - j);
        const __m128d pair = _mm_add_pd(front, _mm_shuffle_pd(back, back, 1));
        acc = _mm_add_pd(acc, _mm_mul_pd(_mm_load_pd(weights + j), pair));
    }
    return sumOfLanes(acc);
}

inline double foldedDot(const double* weights, const double* x, int n) { return foldedDotSse2(weights, x, n); }

#else

inline double foldedDot(const double* weights, const double* x, int n) { return foldedDotPlain(weights, x, n); }

#endif

}  // namespace orv
