#pragma once

#include <cmath>

namespace orv {

// Coefficient of a one-pole smoother with a time constant of ms milliseconds at fs Hz.
inline double onePoleCoefficient(double ms, double fs) { return 1.0 - std::exp(-1000.0 / (ms * fs)); }

}  // namespace orv
