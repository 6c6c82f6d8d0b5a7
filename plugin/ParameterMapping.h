#pragma once

#include <cmath>

namespace orv {

// Normalised values to engine quantities. Values outside 0..1 extrapolate.
inline double outputTargetFor(float v) { return std::pow(2.0, 2.0 * (static_cast<double>(v) - 1.0)); }
inline double driveTargetFor(float v) { return std::pow(2.0, 8.0 * (static_cast<double>(v) - 0.5)); }
inline double levellerTargetFor(float v) { return outputTargetFor(v); }
inline double transientMixFor(float v) {
    const double x = 1.4142136 * static_cast<double>(v);
    return 0.25 * x * x;
}
// 1 ms at 0, 50 ms at 0.5, 1000 ms at 1. A fractional power of a negative value has no
// real result, so values below 0 give the 1 ms of 0.
inline double releaseMsFor(float v) {
    const double x = v > 0.0f ? static_cast<double>(v) : 0.0;
    return std::pow(10.0, 3.0 * std::pow(x, 0.82030212));
}

}  // namespace orv
