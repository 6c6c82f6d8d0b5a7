#pragma once

namespace orv {

// Real FFT of a power-of-two length n = 8 .. 512, in place on n doubles (16-byte aligned).
//
// Time layout: slot 2j holds f[j] and slot 2j+1 holds f[n/2 + j] (the two halves interleaved).
// Spectrum layout: slot 0 the DC bin, slot 1 the Nyquist bin, then n/2 - 1 complex bins as
// (re, im) pairs in an order of the transform's own; only multiply and inverse read it.
//
// forward(a); forward(b); scale(b); multiply(a, b); inverse(a) leaves in a the cyclic
// convolution of a and b in time layout. A length outside 8 .. 512 leaves the buffer unchanged.
// Every transform is a fixed sequence of additions and multiplications: no allocation,
// no branch on the data.
class RealFft {
public:
    static bool supports(int n);
    static void forward(int n, double* buf);
    // Slots 0 and 1 times 1/n, every other slot times 2/n.
    static void scale(int n, double* buf);
    // buf := buf x spectrum, bin by bin.
    static void multiply(int n, double* buf, const double* spectrum);
    // Unnormalised inverse of forward.
    static void inverse(int n, double* buf);
};

}  // namespace orv
