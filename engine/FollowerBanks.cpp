#include "engine/FollowerBanks.h"

#include "engine/OnePole.h"

namespace orv {

void FollowerBanks::compute(double releaseMs, double fs) {
    constexpr double kSlowestAttackMs = 32.0;
    constexpr double kAttackStepMs = 4.428571428571429;  // 31/7: down to 1 ms
    constexpr double kFastestReleaseMs = 2.0;
    const double releaseStep = (releaseMs - kFastestReleaseMs) / 7.0;
    for (int k = 0; k < kCount; ++k) {
        attack[k] = onePoleCoefficient(kSlowestAttackMs - k * kAttackStepMs, fs);
        release[k] = onePoleCoefficient(releaseMs - k * releaseStep, fs);
    }
}

}  // namespace orv
