#pragma once

#include "dsp/Simd.h"

namespace orv {

// A complex number stored as (re, im) in two adjacent doubles, with the few operations the
// FFT needs. With SSE2 it lives in one register; the plain version computes the same
// products and sums in the same order, so both give identical bits.

struct ComplexPairPlain {
    double r;
    double i;

    static ComplexPairPlain make(double re, double im) { return {re, im}; }
    static ComplexPairPlain load(const double* p) { return {p[0], p[1]}; }
    void store(double* p) const {
        p[0] = r;
        p[1] = i;
    }
    double re() const { return r; }
    double im() const { return i; }

    friend ComplexPairPlain operator+(ComplexPairPlain a, ComplexPairPlain b) { return {a.r + b.r, a.i + b.i}; }
    friend ComplexPairPlain operator-(ComplexPairPlain a, ComplexPairPlain b) { return {a.r - b.r, a.i - b.i}; }
    // (-im, re)
    ComplexPairPlain timesI() const { return {-i, r}; }
    // this * (c - i s) and this * (c + i s), given w = (c, c, s, -s), 16-byte aligned.
    ComplexPairPlain rotateBack(const double* w) const { return {r * w[0] + i * w[2], i * w[1] + r * w[3]}; }
    ComplexPairPlain rotateForth(const double* w) const { return {r * w[0] + i * -w[2], i * w[1] + r * -w[3]}; }
    // Complex product.
    friend ComplexPairPlain operator*(ComplexPairPlain a, ComplexPairPlain b) {
        return {a.r * b.r + -(a.i * b.i), a.i * b.r + a.r * b.i};
    }
};

#ifdef ORV_SSE2

struct ComplexPairSse2 {
    __m128d v;

    static ComplexPairSse2 make(double re, double im) { return {_mm_set_pd(im, re)}; }
    static ComplexPairSse2 load(const double* p) { return {_mm_loadu_pd(p)}; }
    void store(double* p) const { _mm_storeu_pd(p, v); }
    double re() const { return _mm_cvtsd_f64(v); }
    double im() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }

    friend ComplexPairSse2 operator+(ComplexPairSse2 a, ComplexPairSse2 b) { return {_mm_add_pd(a.v, b.v)}; }
    friend ComplexPairSse2 operator-(ComplexPairSse2 a, ComplexPairSse2 b) { return {_mm_sub_pd(a.v, b.v)}; }
    ComplexPairSse2 timesI() const { return {negateLow(swapped())}; }
    ComplexPairSse2 rotateBack(const double* w) const {
        return {_mm_add_pd(_mm_mul_pd(v, _mm_load_pd(w)), _mm_mul_pd(swapped(), _mm_load_pd(w + 2)))};
    }
    ComplexPairSse2 rotateForth(const double* w) const {
        const __m128d sine = _mm_xor_pd(_mm_load_pd(w + 2), _mm_set1_pd(-0.0));
        return {_mm_add_pd(_mm_mul_pd(v, _mm_load_pd(w)), _mm_mul_pd(swapped(), sine))};
    }
    friend ComplexPairSse2 operator*(ComplexPairSse2 a, ComplexPairSse2 b) {
        const __m128d re = _mm_unpacklo_pd(b.v, b.v);
        const __m128d im = _mm_unpackhi_pd(b.v, b.v);
        return {_mm_add_pd(_mm_mul_pd(a.v, re), negateLow(_mm_mul_pd(a.swapped(), im)))};
    }

private:
    __m128d swapped() const { return _mm_shuffle_pd(v, v, 1); }
    static __m128d negateLow(__m128d x) { return _mm_xor_pd(x, _mm_set_pd(0.0, -0.0)); }
};

using ComplexPair = ComplexPairSse2;
#else
using ComplexPair = ComplexPairPlain;
#endif

}  // namespace orv
