#include "dsp/RealFft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "dsp/AlignedBuffer.h"

namespace orv {
namespace {

const int kLengths[] = {8, 16, 32, 64, 128, 256, 512};

// Frame f[0..n-1] to the interleaved time layout and back.
std::vector<double> toTimeLayout(const std::vector<double>& f) {
    const size_t half = f.size() / 2;
    std::vector<double> slots(f.size());
    for (size_t j = 0; j < half; ++j) {
        slots[2 * j] = f[j];
        slots[2 * j + 1] = f[half + j];
    }
    return slots;
}

std::vector<double> fromTimeLayout(const double* slots, size_t n) {
    std::vector<double> f(n);
    for (size_t j = 0; j < n / 2; ++j) {
        f[j] = slots[2 * j];
        f[n / 2 + j] = slots[2 * j + 1];
    }
    return f;
}

std::vector<double> randomFrame(size_t n, std::mt19937& rng) {
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> f(n);
    for (double& v : f) v = dist(rng);
    return f;
}

std::vector<double> cyclicConvolution(const std::vector<double>& a, const std::vector<double>& b) {
    const size_t n = a.size();
    std::vector<double> c(n, 0.0);
    for (size_t t = 0; t < n; ++t) {
        long double sum = 0.0L;
        for (size_t i = 0; i < n; ++i) sum += static_cast<long double>(a[i]) * b[(t + n - i) % n];
        c[t] = static_cast<double>(sum);
    }
    return c;
}

// Runs forward(a), forward(b), scale(b), multiply(a, b), inverse(a); returns a as a frame.
std::vector<double> convolveByFft(const std::vector<double>& a, const std::vector<double>& b) {
    const int n = static_cast<int>(a.size());
    AlignedBuffer bufA(n), bufB(n);
    const std::vector<double> slotsA = toTimeLayout(a), slotsB = toTimeLayout(b);
    std::copy(slotsA.begin(), slotsA.end(), bufA.data());
    std::copy(slotsB.begin(), slotsB.end(), bufB.data());
    RealFft::forward(n, bufA.data());
    RealFft::forward(n, bufB.data());
    RealFft::scale(n, bufB.data());
    RealFft::multiply(n, bufA.data(), bufB.data());
    RealFft::inverse(n, bufA.data());
    return fromTimeLayout(bufA.data(), n);
}

double maxAbs(const std::vector<double>& v) {
    double m = 0.0;
    for (double x : v) m = std::max(m, std::fabs(x));
    return m;
}

class RealFftLength : public ::testing::TestWithParam<int> {};

TEST_P(RealFftLength, ConvolutionContractHoldsForRandomFrames) {
    const int n = GetParam();
    std::mt19937 rng(1234 + n);
    for (int trial = 0; trial < 20; ++trial) {
        const std::vector<double> a = randomFrame(n, rng), b = randomFrame(n, rng);
        const std::vector<double> expected = cyclicConvolution(a, b);
        const std::vector<double> got = convolveByFft(a, b);
        double worst = 0.0;
        for (int t = 0; t < n; ++t) worst = std::max(worst, std::fabs(got[t] - expected[t]));
        EXPECT_LT(worst / maxAbs(expected), 1e-14) << "n " << n << " trial " << trial;
    }
}

TEST_P(RealFftLength, SpectrumHoldsDcNyquistAndEveryOtherBinOnce) {
    const int n = GetParam();
    std::mt19937 rng(99 + n);
    const std::vector<double> f = randomFrame(n, rng);
    std::vector<std::complex<double>> dft(n);
    for (int k = 0; k < n; ++k) {
        std::complex<long double> sum = 0.0L;
        for (int t = 0; t < n; ++t) {
            const long double angle = -2.0L * 3.14159265358979323846264338L * k * t / n;
            sum += static_cast<long double>(f[t]) * std::complex<long double>(std::cos(angle), std::sin(angle));
        }
        dft[k] = std::complex<double>(static_cast<double>(sum.real()), static_cast<double>(sum.imag()));
    }
    AlignedBuffer buf(n);
    const std::vector<double> slots = toTimeLayout(f);
    std::copy(slots.begin(), slots.end(), buf.data());
    RealFft::forward(n, buf.data());

    const double tolerance = 1e-13 * n;
    EXPECT_NEAR(buf[0], dft[0].real(), tolerance);
    EXPECT_NEAR(buf[1], dft[n / 2].real(), tolerance);
    // Each complex pair is bin q or its mirror n - q (the conjugate); every q in 1 .. n/2-1 once.
    std::vector<int> seen(n / 2, 0);
    for (int slot = 2; slot < n; slot += 2) {
        const std::complex<double> bin(buf[slot], buf[slot + 1]);
        int match = -1;
        for (int q = 1; q < n; ++q) {
            if (q == n / 2) continue;
            if (std::abs(bin - dft[q]) < tolerance) match = q < n / 2 ? q : n - q;
        }
        ASSERT_GE(match, 1) << "slot " << slot;
        ++seen[match];
    }
    for (int q = 1; q < n / 2; ++q) EXPECT_EQ(seen[q], 1) << "bin " << q;
}

TEST_P(RealFftLength, ZeroFrameGivesZeroSpectrumAndZeroConvolution) {
    const int n = GetParam();
    std::mt19937 rng(7);
    const std::vector<double> zeros(n, 0.0);
    AlignedBuffer buf(n);
    RealFft::forward(n, buf.data());
    for (int i = 0; i < n; ++i) EXPECT_EQ(buf[i], 0.0);
    const std::vector<double> result = convolveByFft(zeros, randomFrame(n, rng));
    for (double v : result) EXPECT_EQ(v, 0.0);
}

TEST_P(RealFftLength, ImpulseAtZeroReproducesKernelInEvenSlots) {
    const int n = GetParam();
    std::mt19937 rng(11 + n);
    std::vector<double> impulse(n, 0.0);
    impulse[0] = 1.0;
    std::vector<double> kernel = randomFrame(n, rng);
    for (int i = n / 2; i < n; ++i) kernel[i] = 0.0;  // linear convolution of the first halves
    const std::vector<double> slots = toTimeLayout(convolveByFft(impulse, kernel));
    for (int j = 0; j < n / 2; ++j) {
        EXPECT_NEAR(slots[2 * j], kernel[j], 1e-15) << "output " << j;
        EXPECT_NEAR(slots[2 * j + 1], 0.0, 1e-15) << "tail " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(AllLengths, RealFftLength, ::testing::ValuesIn(kLengths));

TEST(RealFft, UnsupportedLengthLeavesBufferUnchanged) {
    for (int n : {0, 4, 12, 24, 1024, -8}) {
        AlignedBuffer buf(1024), spectrum(1024);
        for (size_t i = 0; i < buf.size(); ++i) buf[i] = 0.5 + static_cast<double>(i);
        for (size_t i = 0; i < spectrum.size(); ++i) spectrum[i] = 3.0;
        EXPECT_FALSE(RealFft::supports(n));
        RealFft::forward(n, buf.data());
        RealFft::scale(n, buf.data());
        RealFft::multiply(n, buf.data(), spectrum.data());
        RealFft::inverse(n, buf.data());
        for (size_t i = 0; i < buf.size(); ++i) ASSERT_EQ(buf[i], 0.5 + static_cast<double>(i)) << "n " << n;
    }
}

TEST(RealFft, ScaleWeighsEdgeBinsByOneOverNAndInnerBinsByTwoOverN) {
    AlignedBuffer buf(16);
    for (int i = 0; i < 16; ++i) buf[i] = 8.0;
    RealFft::scale(16, buf.data());
    EXPECT_EQ(buf[0], 0.5);
    EXPECT_EQ(buf[1], 0.5);
    for (int i = 2; i < 16; ++i) EXPECT_EQ(buf[i], 1.0);
}

}  // namespace
}  // namespace orv
