#pragma once

namespace orv {

// Coefficients of the inter-sample peak interpolator, indexed by ring order: entry k weighs
// the sample of age 63 - k (k = 0 is the oldest of the 64 samples, k = 63 the newest).
// Built once; shared read-only by every interpolator.
struct InterpolatorTables {
    static constexpr int kTaps = 64;
    static constexpr int kPoints = 3;

    // Two times: h(31.5 - j) for j = 0 .. 31 with the four-term Blackman-Harris window,
    // applied to the symmetric pairs (k = j, k = 63 - j).
    alignas(16) double halfway[kTaps / 2];
    // Four times: the points at ages 31.25, 31.5 and 31.75, Hann window, 7 decimals.
    // Rows are contiguous (stride kTaps).
    alignas(16) double quarter[kPoints][kTaps];

    static const InterpolatorTables& instance();
};

}  // namespace orv
