#pragma once

#include <cmath>
#include <cstdint>

namespace orv {

// Index of the bucket of a stepped parameter: n·v truncated toward zero, clamped only from above.
// NaN and values far outside 0..1 would make the truncation undefined; they give bucket 0 and
// the last bucket, so no caller can index outside its table through a host's value.
inline int32_t stepIndex(float v, int32_t n) {
    const float x = static_cast<float>(n) * v;
    if (!(x < static_cast<float>(n))) return std::isnan(x) ? 0 : n - 1;
    if (x < -1073741824.0f) return -1073741824;
    return static_cast<int32_t>(x);
}

// Centre of bucket i; what the effect stores whenever it sets a stepped parameter itself.
inline float stepValue(int32_t i, int32_t n) {
    const float fn = static_cast<float>(n);
    return static_cast<float>(i) / fn + 0.5f / fn;
}

// stepIndex for a table lookup: never outside 0..n-1.
inline int32_t clampedStepIndex(float v, int32_t n) {
    const int32_t i = stepIndex(v, n);
    return i < 0 ? 0 : i;
}

}  // namespace orv
