#pragma once

namespace orv {

// Attack and release coefficients of the eight release-path followers, from slow attack with
// slow release (k = 0) to fast attack with fast release (k = 7).
struct FollowerBanks {
    static constexpr int kCount = 8;

    alignas(16) double attack[kCount] = {};
    alignas(16) double release[kCount] = {};

    // Attack times 32 .. 1 ms; release times releaseMs .. 2 ms.
    void compute(double releaseMs, double fs);
};

}  // namespace orv
