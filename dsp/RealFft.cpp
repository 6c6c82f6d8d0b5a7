#include "dsp/RealFft.h"

#include "dsp/FftTwiddles.h"

namespace orv {
namespace {

struct Cx {
    double re;
    double im;
};

inline Cx load(const double* p) { return {p[0], p[1]}; }
inline void store(double* p, Cx v) {
    p[0] = v.re;
    p[1] = v.im;
}
inline Cx operator+(Cx a, Cx b) { return {a.re + b.re, a.im + b.im}; }
inline Cx operator-(Cx a, Cx b) { return {a.re - b.re, a.im - b.im}; }
inline Cx timesI(Cx v) { return {-v.im, v.re}; }
// v * exp(-i theta) and v * exp(+i theta), given c = cos(theta), s = sin(theta).
inline Cx rotateBack(Cx v, const double* cs) {
    return {v.re * cs[0] + v.im * cs[1], v.im * cs[0] - v.re * cs[1]};
}
inline Cx rotateForth(Cx v, const double* cs) {
    return {v.re * cs[0] - v.im * cs[1], v.im * cs[0] + v.re * cs[1]};
}

// Complex DFT of M points held as (re, im) pairs in natural order; conjugate-pair split radix,
// decimation in frequency. Output order: the lower half holds the even bins (recursively
// ordered), the third quarter the bins 4k+1, the last quarter the bins 4k-1.
// The inverse is unnormalised (it returns M times the input of forward).
template <int M>
struct ComplexFft {
    static constexpr int kQuarter = 2 * (M / 4);  // doubles per quarter

    template <bool kTwiddled>
    static inline void forwardButterfly(double* x, const double* cs) {
        const Cx a = load(x), b = load(x + kQuarter), c = load(x + 2 * kQuarter), d = load(x + 3 * kQuarter);
        store(x, a + c);
        store(x + kQuarter, b + d);
        const Cx t1 = a - c;
        const Cx t2 = timesI(b - d);
        const Cx p = t1 - t2;
        const Cx q = t1 + t2;
        store(x + 2 * kQuarter, kTwiddled ? rotateBack(p, cs) : p);
        store(x + 3 * kQuarter, kTwiddled ? rotateForth(q, cs) : q);
    }

    template <bool kTwiddled>
    static inline void inverseButterfly(double* x, const double* cs) {
        const Cx p0 = load(x), p1 = load(x + kQuarter);
        const Cx q3 = load(x + 2 * kQuarter), q4 = load(x + 3 * kQuarter);
        const Cx s3 = kTwiddled ? rotateForth(q3, cs) : q3;
        const Cx s4 = kTwiddled ? rotateBack(q4, cs) : q4;
        const Cx sum = s3 + s4;
        const Cx diff = timesI(s3 - s4);
        store(x, p0 + sum);
        store(x + 2 * kQuarter, p0 - sum);
        store(x + kQuarter, p1 + diff);
        store(x + 3 * kQuarter, p1 - diff);
    }

    static void forward(double* x) {
        const double* w = FftTwiddles<M>::table.data();
        forwardButterfly<false>(x, w);
        for (int j = 1; j < M / 4; ++j) forwardButterfly<true>(x + 2 * j, w + 2 * j);
        ComplexFft<M / 2>::forward(x);
        ComplexFft<M / 4>::forward(x + 2 * kQuarter);
        ComplexFft<M / 4>::forward(x + 3 * kQuarter);
    }

    static void inverse(double* x) {
        ComplexFft<M / 2>::inverse(x);
        ComplexFft<M / 4>::inverse(x + 2 * kQuarter);
        ComplexFft<M / 4>::inverse(x + 3 * kQuarter);
        const double* w = FftTwiddles<M>::table.data();
        inverseButterfly<false>(x, w);
        for (int j = 1; j < M / 4; ++j) inverseButterfly<true>(x + 2 * j, w + 2 * j);
    }
};

template <>
struct ComplexFft<2> {
    static void forward(double* x) {
        const Cx a = load(x), b = load(x + 2);
        store(x, a + b);
        store(x + 2, a - b);
    }
    static void inverse(double* x) { forward(x); }
};

template <>
struct ComplexFft<1> {
    static void forward(double*) {}
    static void inverse(double*) {}
};

// Real DFT of N points in the interleaved time layout. One pass folds the frame into the
// real transform of N/2 points (first half of the buffer, even bins) and the complex
// transform of N/4 points (second half, odd bins 4k+1).
template <int N>
struct RealFftOf {
    static constexpr int kHalf = N / 2;

    template <bool kTwiddled>
    static inline void forwardStep(double* buf, int j, const double* cs) {
        const double a = buf[2 * j], b = buf[2 * j + 1];
        const double c = buf[kHalf + 2 * j], d = buf[kHalf + 2 * j + 1];
        buf[2 * j] = a + b;
        buf[2 * j + 1] = c + d;
        const Cx z = {a - b, d - c};
        store(buf + kHalf + 2 * j, kTwiddled ? rotateBack(z, cs) : z);
    }

    template <bool kTwiddled>
    static inline void inverseStep(double* buf, int j, const double* cs) {
        const double e0 = buf[2 * j], e1 = buf[2 * j + 1];
        const Cx v = load(buf + kHalf + 2 * j);
        const Cx u = kTwiddled ? rotateForth(v, cs) : v;
        buf[2 * j] = e0 + u.re;
        buf[2 * j + 1] = e0 - u.re;
        buf[kHalf + 2 * j] = e1 - u.im;
        buf[kHalf + 2 * j + 1] = e1 + u.im;
    }

    static void forward(double* buf) {
        const double* w = FftTwiddles<N>::table.data();
        forwardStep<false>(buf, 0, w);
        for (int j = 1; j < N / 4; ++j) forwardStep<true>(buf, j, w + 2 * j);
        RealFftOf<N / 2>::forward(buf);
        ComplexFft<N / 4>::forward(buf + kHalf);
    }

    static void inverse(double* buf) {
        RealFftOf<N / 2>::inverse(buf);
        ComplexFft<N / 4>::inverse(buf + kHalf);
        const double* w = FftTwiddles<N>::table.data();
        inverseStep<false>(buf, 0, w);
        for (int j = 1; j < N / 4; ++j) inverseStep<true>(buf, j, w + 2 * j);
    }
};

template <>
struct RealFftOf<2> {
    static void forward(double* buf) {
        const double a = buf[0], b = buf[1];
        buf[0] = a + b;
        buf[1] = a - b;
    }
    static void inverse(double* buf) { forward(buf); }
};

template <template <int> class Transform, typename Op>
bool dispatch(int n, Op op) {
    switch (n) {
        case 8: op(Transform<8>{}); return true;
        case 16: op(Transform<16>{}); return true;
        case 32: op(Transform<32>{}); return true;
        case 64: op(Transform<64>{}); return true;
        case 128: op(Transform<128>{}); return true;
        case 256: op(Transform<256>{}); return true;
        case 512: op(Transform<512>{}); return true;
        default: return false;
    }
}

}  // namespace

bool RealFft::supports(int n) {
    return dispatch<RealFftOf>(n, [](auto) {});
}

void RealFft::forward(int n, double* buf) {
    dispatch<RealFftOf>(n, [buf](auto transform) { transform.forward(buf); });
}

void RealFft::inverse(int n, double* buf) {
    dispatch<RealFftOf>(n, [buf](auto transform) { transform.inverse(buf); });
}

void RealFft::scale(int n, double* buf) {
    if (!supports(n)) return;
    const double edge = 1.0 / n;
    const double inner = 2.0 / n;
    buf[0] *= edge;
    buf[1] *= edge;
    for (int i = 2; i < n; ++i) buf[i] *= inner;
}

void RealFft::multiply(int n, double* buf, const double* spectrum) {
    if (!supports(n)) return;
    buf[0] *= spectrum[0];
    buf[1] *= spectrum[1];
    for (int i = 2; i < n; i += 2) {
        const double re = buf[i] * spectrum[i] - buf[i + 1] * spectrum[i + 1];
        const double im = buf[i] * spectrum[i + 1] + buf[i + 1] * spectrum[i];
        buf[i] = re;
        buf[i + 1] = im;
    }
}

}  // namespace orv
