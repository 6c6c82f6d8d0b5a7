#pragma once

namespace orv {

// Combines the brickwall level J and the release level F of a channel into its gain.
// transientMix T (0 .. 0.5) is the share that follows the brickwall envelope alone.
// Both divisors are at least 1 and at least J, which is at least the magnitude of the audio
// sample the gain meets, so |gain * sample| <= 1.
inline double limiterGain(double brickwall, double release, double transientMix) {
    const double brickwallOnly = brickwall > 1.0 ? brickwall : 1.0;
    const double both = brickwall > release ? brickwall : release;
    return transientMix / brickwallOnly + (1.0 - transientMix) / both;
}

// The release path's gain alone, for the meters.
inline double releaseStageGain(double release, double transientMix) {
    return transientMix + (1.0 - transientMix) / release;
}

}  // namespace orv
