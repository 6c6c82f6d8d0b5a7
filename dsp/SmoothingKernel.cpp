#include "dsp/SmoothingKernel.h"

#include <cmath>

namespace orv {

void smoothingKernel(int n, double* taps) {
    constexpr double kPi = 3.14159265358979323846;
    const double step = 2.0 * kPi / (n - 1);
    double x = -kPi;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        taps[i] = x == 0.0 ? 1.0 : std::sin(x) / x;
        sum += taps[i];
        x += step;  // accumulated, not i * step: the end taps land within rounding of zero
    }
    for (int i = 0; i < n; ++i) taps[i] /= sum;
}

}  // namespace orv
