#include "dsp/NoiseShapeBank.h"

#include <algorithm>

#include "dsp/NoiseShapeDesign.h"

namespace orv {
namespace {
// Stands in for the sets when their allocation failed, so the selection is never null.
alignas(16) constexpr double kSilentSet[NoiseShapeBank::kTaps] = {};
}  // namespace

NoiseShapeBank::NoiseShapeBank() : sets_(kSets * kTaps), shapeSet_(kSilentSet) {
    if (!valid()) return;
    shapeSet_.store(set(0, 0), std::memory_order_relaxed);
    fill();
}

void NoiseShapeBank::fill() {
    if (!valid()) return;
    for (int r = 0; r < kRates; ++r) {
        std::copy(kNoiseShapeTypeA[r], kNoiseShapeTypeA[r] + kTaps, sets_.data() + offset(1, r));
        for (int type = 2; type <= kTypes; ++type) {
            const double* designed = kNoiseShapeDesigned[type - 2][r];
            std::copy(designed, designed + kTaps, sets_.data() + offset(type, r));
        }
    }
}

void NoiseShapeBank::select(int32_t type, int32_t rateHz) {
    if (type < 0 || type > kTypes || !valid()) return;
    const int r = rateIndex(rateHz);
    if (type == 0) {
        shapeSet_.store(set(0, 0), std::memory_order_relaxed);
    } else if (r >= 0) {
        shapeSet_.store(set(type, r), std::memory_order_relaxed);
    }
    shapeTaps_.store(tapCount(type), std::memory_order_relaxed);
}

int32_t NoiseShapeBank::tapCount(int32_t type) { return type >= 4 ? 32 : 12; }

int NoiseShapeBank::rateIndex(int32_t rateHz) {
    for (int r = 0; r < kRates; ++r) {
        if (kNoiseShapeRates[r] == rateHz) return r;
    }
    return -1;
}

const double* NoiseShapeBank::set(int32_t type, int rateIndex) const {
    if (!valid()) return kSilentSet;
    return sets_.data() + offset(type, rateIndex);
}

std::size_t NoiseShapeBank::offset(int32_t type, int rateIndex) {
    return type == 0 ? 0 : kTaps * (1 + (type - 1) * kRates + rateIndex);
}

}  // namespace orv
