#pragma once

#include <cfloat>

namespace orv {

// A host sample as it enters the chain. A NaN or an infinity would poison every state it
// reaches until the next suspend, so it becomes silence; a finite value beyond the float range
// (possible only through the double entry) is held at its edge, so drive, squares and sums
// of the chain stay finite.
inline double guardedInput(double x) {
    if (!(x - x == 0.0)) return 0.0;  // NaN and both infinities
    if (x > FLT_MAX) return FLT_MAX;
    if (x < -FLT_MAX) return -FLT_MAX;
    return x;
}

// The final clip to -1 .. 1, in the branch-free form (|x + 1| - |x - 1|) / 2.
inline double clippedOutput(double x) {
    const double above = x + 1.0;
    const double below = x - 1.0;
    return ((above < 0 ? -above : above) - (below < 0 ? -below : below)) * 0.5;
}

}  // namespace orv
