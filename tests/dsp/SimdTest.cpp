// The SSE2 paths must give the same bits as the plain ones, so every build computes the same.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "dsp/AlignedBuffer.h"
#include "dsp/ComplexPair.h"
#include "dsp/DotProduct.h"

namespace orv {
namespace {

#ifdef ORV_SSE2

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

template <typename Pair>
void expectPair(Pair plain, ComplexPairSse2 sse2, int trial) {
    ASSERT_TRUE(sameBits(plain.re(), sse2.re())) << "trial " << trial;
    ASSERT_TRUE(sameBits(plain.im(), sse2.im())) << "trial " << trial;
}

TEST(Simd, ComplexPairOperationsMatchThePlainVersionBitForBit) {
    std::mt19937 rng(8);
    std::uniform_real_distribution<double> dist(-3.0, 3.0);
    for (int trial = 0; trial < 2000; ++trial) {
        const double values[4] = {dist(rng), dist(rng), dist(rng), dist(rng)};
        const ComplexPairPlain a = ComplexPairPlain::load(values), b = ComplexPairPlain::load(values + 2);
        const ComplexPairSse2 c = ComplexPairSse2::load(values), d = ComplexPairSse2::load(values + 2);
        const double cosine = dist(rng), sine = dist(rng);
        AlignedBuffer twiddle(4);  // (c, c, s, -s)
        twiddle[0] = twiddle[1] = cosine;
        twiddle[2] = sine;
        twiddle[3] = -sine;
        const double* cs = twiddle.data();
        expectPair(a + b, c + d, trial);
        expectPair(a - b, c - d, trial);
        expectPair(a * b, c * d, trial);
        expectPair(a.timesI(), c.timesI(), trial);
        expectPair(a.rotateBack(cs), c.rotateBack(cs), trial);
        expectPair(a.rotateForth(cs), c.rotateForth(cs), trial);
    }
}

TEST(Simd, DotProductsMatchThePlainVersionBitForBit) {
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    AlignedBuffer weights(3 * 64), x(65);
    for (int trial = 0; trial < 200; ++trial) {
        for (size_t i = 0; i < weights.size(); ++i) weights[i] = dist(rng);
        for (size_t i = 0; i < x.size(); ++i) x[i] = dist(rng);
        const double* unaligned = x.data() + 1;
        double plain[3], sse2[3];
        dot3Plain(weights.data(), 64, unaligned, 64, plain);
        dot3Sse2(weights.data(), 64, unaligned, 64, sse2);
        for (int p = 0; p < 3; ++p) ASSERT_TRUE(sameBits(plain[p], sse2[p])) << "trial " << trial;
        if (Dot3 avx = dot3Avx()) {
            double wide[3];
            avx(weights.data(), 64, unaligned, 64, wide);
            for (int p = 0; p < 3; ++p) ASSERT_TRUE(sameBits(plain[p], wide[p])) << "trial " << trial;
        }
        ASSERT_TRUE(sameBits(foldedDotPlain(weights.data(), unaligned, 64), foldedDotSse2(weights.data(), unaligned, 64)));
    }
}

#endif

}  // namespace
}  // namespace orv
