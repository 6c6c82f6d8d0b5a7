#pragma once

#include <cmath>

#include "engine/OnePole.h"

namespace orv {

// The coefficients set up at each rate change that no limiter stage derives itself.

// The requantiser's auto-black fade: a 10 ms one-pole.
inline double autoblackCoefficient(double fs) { return onePoleCoefficient(10.0, fs); }

// The meters' mean square: falls to 1 % in 600 ms.
inline double meterCoefficient(double fs) { return 1.0 - std::pow(0.01, 1000.0 / (600.0 * fs)); }

}  // namespace orv
