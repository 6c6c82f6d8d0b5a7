#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define ORV_DOT_SSE2 1
#include <emmintrin.h>
#endif

namespace orv {

// Dot products over an even count n, accumulated in two lanes (even and odd terms) that are
// added at the end. The SSE2 and the plain versions add in exactly that order, so every
// build gets the same bits. weights must be 16-byte aligned; x need not be.

// sum of weights[i] * x[i], i < n.
inline double dot(const double* weights, const double* x, int n) {
#ifdef ORV_DOT_SSE2
    __m128d acc = _mm_setzero_pd();
    for (int i = 0; i < n; i += 2) acc = _mm_add_pd(acc, _mm_mul_pd(_mm_load_pd(weights + i), _mm_loadu_pd(x + i)));
    return _mm_cvtsd_f64(acc) + _mm_cvtsd_f64(_mm_unpackhi_pd(acc, acc));
#else
    double even = 0.0, odd = 0.0;
    for (int i = 0; i < n; i += 2) {
        even += weights[i] * x[i];
        odd += weights[i + 1] * x[i + 1];
    }
    return even + odd;
#endif
}

// A symmetric filter of n taps folded in half: sum of weights[j] * (x[j] + x[n-1-j]), j < n/2.
// n/2 must be even.
inline double foldedDot(const double* weights, const double* x, int n) {
#ifdef ORV_DOT_SSE2
    __m128d acc = _mm_setzero_pd();
    for (int j = 0; j < n / 2; j += 2) {
        const __m128d front = _mm_loadu_pd(x + j);
        const __m128d back = _mm_loadu_pd(x + n - 2 - j);
        const __m128d pair = _mm_add_pd(front, _mm_shuffle_pd(back, back, 1));
        acc = _mm_add_pd(acc, _mm_mul_pd(_mm_load_pd(weights + j), pair));
    }
    return _mm_cvtsd_f64(acc) + _mm_cvtsd_f64(_mm_unpackhi_pd(acc, acc));
#else
    double even = 0.0, odd = 0.0;
    for (int j = 0; j < n / 2; j += 2) {
        even += weights[j] * (x[j] + x[n - 1 - j]);
        odd += weights[j + 1] * (x[j + 1] + x[n - 2 - j]);
    }
    return even + odd;
#endif
}

}  // namespace orv
