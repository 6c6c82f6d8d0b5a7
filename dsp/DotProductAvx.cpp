#include "dsp/DotProduct.h"
#include "dsp/Simd.h"

namespace orv {

#ifdef ORV_AVX
namespace {
// Lanes 0 .. 3 in one register; its halves added give (0 + 2, 1 + 3), as the other versions.
ORV_TARGET_AVX void dot3AvxKernel(const double* weights, int stride, const double* x, int n, double out[3]) {
    __m256d acc0 = _mm256_setzero_pd(), acc1 = _mm256_setzero_pd(), acc2 = _mm256_setzero_pd();
    for (int i = 0; i < n; i += 4) {
        const __m256d v = _mm256_loadu_pd(x + i);
        acc0 = _mm256_add_pd(acc0, _mm256_mul_pd(_mm256_loadu_pd(weights + i), v));
        acc1 = _mm256_add_pd(acc1, _mm256_mul_pd(_mm256_loadu_pd(weights + stride + i), v));
        acc2 = _mm256_add_pd(acc2, _mm256_mul_pd(_mm256_loadu_pd(weights + 2 * stride + i), v));
    }
    const __m256d acc[3] = {acc0, acc1, acc2};
    for (int p = 0; p < 3; ++p) {
        const __m128d pairs = _mm_add_pd(_mm256_castpd256_pd128(acc[p]), _mm256_extractf128_pd(acc[p], 1));
        out[p] = _mm_cvtsd_f64(pairs) + _mm_cvtsd_f64(_mm_unpackhi_pd(pairs, pairs));
    }
}
}  // namespace
Dot3 dot3Avx() { return processorHasAvx() ? &dot3AvxKernel : nullptr; }
#else
Dot3 dot3Avx() { return nullptr; }
#endif

Dot3 bestDot3() {
    if (Dot3 avx = dot3Avx()) return avx;
#ifdef ORV_SSE2
    return &dot3Sse2;
#else
    return &dot3Plain;
#endif
}

}  // namespace orv
