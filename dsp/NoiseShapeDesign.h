#pragma once

namespace orv {

// Rates in table order.
inline constexpr int kNoiseShapeRates[6] = {44100, 48000, 88200, 96000, 176400, 192000};
// Type A sets (c[1..3], rest zero) exactly as given by the design tables.
extern const double kNoiseShapeTypeA[6][32];
// Designed sets of types B..F (index 0 = B ... 4 = F) per rate; c[j] for j = 1..32 stored at [j-1].
extern const double kNoiseShapeDesigned[5][6][32];

}  // namespace orv
