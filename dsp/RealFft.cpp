#include "dsp/RealFft.h"

#include "dsp/ComplexPair.h"
#include "dsp/FftTwiddles.h"

namespace orv {
namespace {

using Cx = ComplexPair;

// Complex DFT of M points held as (re, im) pairs in natural order; conjugate-pair split radix,
// decimation in frequency. Output order: the lower half holds the even bins (recursively
// ordered), the third quarter the bins 4k+1, the last quarter the bins 4k-1.
// The inverse is unnormalised (it returns M times the input of forward).
template <int M>
struct ComplexFft {
    static constexpr int kQuarter = 2 * (M / 4);  // doubles per quarter

    template <bool kTwiddled>
    static inline void forwardButterfly(double* x, const double* cs) {
        const Cx a = Cx::load(x), b = Cx::load(x + kQuarter), c = Cx::load(x + 2 * kQuarter), d = Cx::load(x + 3 * kQuarter);
        (a + c).store(x);
        (b + d).store(x + kQuarter);
        const Cx t1 = a - c;
        const Cx t2 = (b - d).timesI();
        const Cx p = t1 - t2;
        const Cx q = t1 + t2;
        (kTwiddled ? p.rotateBack(cs) : p).store(x + 2 * kQuarter);
        (kTwiddled ? q.rotateForth(cs) : q).store(x + 3 * kQuarter);
    }

    template <bool kTwiddled>
    static inline void inverseButterfly(double* x, const double* cs) {
        const Cx p0 = Cx::load(x), p1 = Cx::load(x + kQuarter);
        const Cx q3 = Cx::load(x + 2 * kQuarter), q4 = Cx::load(x + 3 * kQuarter);
        const Cx s3 = kTwiddled ? q3.rotateForth(cs) : q3;
        const Cx s4 = kTwiddled ? q4.rotateBack(cs) : q4;
        const Cx sum = s3 + s4;
        const Cx diff = (s3 - s4).timesI();
        (p0 + sum).store(x);
        (p0 - sum).store(x + 2 * kQuarter);
        (p1 + diff).store(x + kQuarter);
        (p1 - diff).store(x + 3 * kQuarter);
    }

    static void forward(double* x) {
        const double* w = FftTwiddles<M>::table.data();
        forwardButterfly<false>(x, w);
        for (int j = 1; j < M / 4; ++j) forwardButterfly<true>(x + 2 * j, w + FftTwiddles<M>::kEntry * j);
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
        for (int j = 1; j < M / 4; ++j) inverseButterfly<true>(x + 2 * j, w + FftTwiddles<M>::kEntry * j);
    }
};

template <>
struct ComplexFft<2> {
    static void forward(double* x) {
        const Cx a = Cx::load(x), b = Cx::load(x + 2);
        (a + b).store(x);
        (a - b).store(x + 2);
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
        const Cx z = Cx::make(a - b, d - c);
        (kTwiddled ? z.rotateBack(cs) : z).store(buf + kHalf + 2 * j);
    }

    template <bool kTwiddled>
    static inline void inverseStep(double* buf, int j, const double* cs) {
        const double e0 = buf[2 * j], e1 = buf[2 * j + 1];
        const Cx v = Cx::load(buf + kHalf + 2 * j);
        const Cx u = kTwiddled ? v.rotateForth(cs) : v;
        const double ur = u.re(), ui = u.im();
        buf[2 * j] = e0 + ur;
        buf[2 * j + 1] = e0 - ur;
        buf[kHalf + 2 * j] = e1 - ui;
        buf[kHalf + 2 * j + 1] = e1 + ui;
    }

    static void forward(double* buf) {
        const double* w = FftTwiddles<N>::table.data();
        forwardStep<false>(buf, 0, w);
        for (int j = 1; j < N / 4; ++j) forwardStep<true>(buf, j, w + FftTwiddles<N>::kEntry * j);
        RealFftOf<N / 2>::forward(buf);
        ComplexFft<N / 4>::forward(buf + kHalf);
    }

    static void inverse(double* buf) {
        RealFftOf<N / 2>::inverse(buf);
        ComplexFft<N / 4>::inverse(buf + kHalf);
        const double* w = FftTwiddles<N>::table.data();
        inverseStep<false>(buf, 0, w);
        for (int j = 1; j < N / 4; ++j) inverseStep<true>(buf, j, w + FftTwiddles<N>::kEntry * j);
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
    for (int i = 2; i < n; i += 2) (Cx::load(buf + i) * Cx::load(spectrum + i)).store(buf + i);
}

}  // namespace orv
