#pragma once

#include "dsp/Simd.h"

namespace orv {

// Dot products over an even count n, accumulated in two lanes (even and odd terms) that are
// added at the end. The SSE2 and the plain versions add in exactly that order, so every
// build gets the same bits. Weights must be 16-byte aligned; x need not be.

// out[p] = sum of weights[p * stride + i] * x[i], i < n, for the three rows p = 0, 1, 2.
inline void dot3Plain(const double* weights, int stride, const double* x, int n, double out[3]) {
    for (int p = 0; p < 3; ++p) {
        const double* w = weights + p * stride;
        double even = 0.0, odd = 0.0;
        for (int i = 0; i < n; i += 2) {
            even += w[i] * x[i];
            odd += w[i + 1] * x[i + 1];
        }
        out[p] = even + odd;
    }
}

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

// Three independent accumulators share each load of x.
inline void dot3Sse2(const double* weights, int stride, const double* x, int n, double out[3]) {
    __m128d acc0 = _mm_setzero_pd(), acc1 = _mm_setzero_pd(), acc2 = _mm_setzero_pd();
    for (int i = 0; i < n; i += 2) {
        const __m128d v = _mm_loadu_pd(x + i);
        acc0 = _mm_add_pd(acc0, _mm_mul_pd(_mm_load_pd(weights + i), v));
        acc1 = _mm_add_pd(acc1, _mm_mul_pd(_mm_load_pd(weights + stride + i), v));
        acc2 = _mm_add_pd(acc2, _mm_mul_pd(_mm_load_pd(weights + 2 * stride + i), v));
    }
    out[0] = sumOfLanes(acc0);
    out[1] = sumOfLanes(acc1);
    out[2] = sumOfLanes(acc2);
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

inline void dot3(const double* weights, int stride, const double* x, int n, double out[3]) {
    dot3Sse2(weights, stride, x, n, out);
}
inline double foldedDot(const double* weights, const double* x, int n) { return foldedDotSse2(weights, x, n); }

#else

inline void dot3(const double* weights, int stride, const double* x, int n, double out[3]) {
    dot3Plain(weights, stride, x, n, out);
}
inline double foldedDot(const double* weights, const double* x, int n) { return foldedDotPlain(weights, x, n); }

#endif

}  // namespace orv
