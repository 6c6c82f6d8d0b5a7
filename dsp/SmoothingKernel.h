#pragma once

namespace orv {

// The n taps of the brickwall envelope's smoothing kernel: the positive main lobe of
// sin(x)/x sampled symmetrically over [-pi, pi], scaled to unit sum so that a constant
// passes with gain 1. The end taps are zero up to rounding. n >= 2.
void smoothingKernel(int n, double* taps);

}  // namespace orv
