// The built-in programme --demo renders: a few bars of drums, bass and a tone, mixed to peak
// at +6 dBFS so that it needs limiting. Generated in code, the same on every run.
#pragma once

#include <vector>

namespace orvrender {

inline constexpr int kDemoSampleRate = 44100;
inline constexpr double kDemoPeak = 2.0;  // +6.02 dBFS

// Interleaved stereo at kDemoSampleRate.
std::vector<double> demoProgramme();

}  // namespace orvrender
