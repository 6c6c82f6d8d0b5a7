#include "engine/FollowerKernels.h"

#include "dsp/Simd.h"

namespace orv {

namespace {
constexpr int kCount = FollowerBanks::kCount;
}  // namespace

void followersPlain(double* state, const StereoPair* level, StereoPair* release, int count, const FollowerBanks& banks) {
    for (int i = 0; i < count; ++i) {
        const double in[2] = {level[i].l, level[i].r};
        double out[2] = {1.0, 1.0};
        for (int k = 0; k < kCount; ++k) {
            for (int c = 0; c < 2; ++c) {
                double& s = state[2 * k + c];
                const double coef = in[c] >= s ? banks.attack[k] : banks.release[k];
                s = s + (in[c] - s) * coef;
                if (s > out[c]) out[c] = s;
            }
        }
        release[i] = {out[0], out[1]};
    }
}

#ifdef ORV_SSE2
namespace {
// One follower for both channels: lanes are left and right.
void followersSse2Kernel(double* state, const StereoPair* level, StereoPair* release, int count,
                         const FollowerBanks& banks) {
    __m128d s[kCount], attack[kCount], decay[kCount];
    for (int k = 0; k < kCount; ++k) {
        s[k] = _mm_loadu_pd(state + 2 * k);
        attack[k] = _mm_set1_pd(banks.attack[k]);
        decay[k] = _mm_set1_pd(banks.release[k]);
    }
    const __m128d one = _mm_set1_pd(1.0);
    for (int i = 0; i < count; ++i) {
        const __m128d e = _mm_loadu_pd(&level[i].l);
        __m128d out = one;
#pragma GCC unroll 8
        for (int k = 0; k < kCount; ++k) {
            const __m128d rising = _mm_cmpge_pd(e, s[k]);
            const __m128d coef = _mm_or_pd(_mm_and_pd(rising, attack[k]), _mm_andnot_pd(rising, decay[k]));
            s[k] = _mm_add_pd(s[k], _mm_mul_pd(_mm_sub_pd(e, s[k]), coef));
            out = _mm_max_pd(s[k], out);  // s where s > out, as the plain kernel
        }
        _mm_storeu_pd(&release[i].l, out);
    }
    for (int k = 0; k < kCount; ++k) _mm_storeu_pd(state + 2 * k, s[k]);
}
}  // namespace
FollowerKernel followersSse2() { return &followersSse2Kernel; }
#else
FollowerKernel followersSse2() { return nullptr; }
#endif

#ifdef ORV_AVX
namespace {
// Two followers for both channels: lanes are (k, left), (k, right), (k + 1, left), (k + 1, right).
ORV_TARGET_AVX void followersAvxKernel(double* state, const StereoPair* level, StereoPair* release, int count,
                                       const FollowerBanks& banks) {
    constexpr int kQuads = kCount / 2;
    __m256d s[kQuads], attack[kQuads], decay[kQuads];
    for (int q = 0; q < kQuads; ++q) {
        s[q] = _mm256_loadu_pd(state + 4 * q);
        const int k = 2 * q;
        attack[q] = _mm256_set_pd(banks.attack[k + 1], banks.attack[k + 1], banks.attack[k], banks.attack[k]);
        decay[q] = _mm256_set_pd(banks.release[k + 1], banks.release[k + 1], banks.release[k], banks.release[k]);
    }
    const __m256d one = _mm256_set1_pd(1.0);
    for (int i = 0; i < count; ++i) {
        const __m256d e = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(&level[i].l));
        __m256d out = one;
#pragma GCC unroll 4
        for (int q = 0; q < kQuads; ++q) {
            const __m256d rising = _mm256_cmp_pd(e, s[q], _CMP_GE_OQ);
            const __m256d coef = _mm256_or_pd(_mm256_and_pd(rising, attack[q]), _mm256_andnot_pd(rising, decay[q]));
            s[q] = _mm256_add_pd(s[q], _mm256_mul_pd(_mm256_sub_pd(e, s[q]), coef));
            out = _mm256_max_pd(s[q], out);
        }
        // The largest of exact values does not depend on the order they are compared in.
        _mm_storeu_pd(&release[i].l, _mm_max_pd(_mm256_castpd256_pd128(out), _mm256_extractf128_pd(out, 1)));
    }
    for (int q = 0; q < kQuads; ++q) _mm256_storeu_pd(state + 4 * q, s[q]);
}
}  // namespace
FollowerKernel followersAvx() { return processorHasAvx() ? &followersAvxKernel : nullptr; }
#else
FollowerKernel followersAvx() { return nullptr; }
#endif

FollowerKernel bestFollowerKernel() {
    if (FollowerKernel avx = followersAvx()) return avx;
    if (FollowerKernel sse2 = followersSse2()) return sse2;
    return &followersPlain;
}

}  // namespace orv
