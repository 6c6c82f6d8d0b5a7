#include "engine/ReleaseFollowers.h"

namespace orv {

void ReleaseFollowers::reset() {
    for (int k = 0; k < kCount; ++k) {
        for (int c = 0; c < 2; ++c) {
            first_[k][c] = 0.0;
            second_[k][c] = 0.0;
        }
    }
}

StereoPair ReleaseFollowers::step(StereoPair level, const FollowerBanks& banks, bool secondOrder) {
    const double in[2] = {level.l, level.r};
    double release[2] = {1.0, 1.0};
    for (int k = 0; k < kCount; ++k) {
        const double attack = banks.attack[k];
        const double decay = banks.release[k];
        for (int c = 0; c < 2; ++c) {
            double s = first_[k][c];
            s += (in[c] - s) * (in[c] >= s ? attack : decay);
            first_[k][c] = s;
            double t = second_[k][c];
            if (secondOrder) {
                t += (s - t) * (s > t ? attack : decay);
            } else {
                t = s;
            }
            second_[k][c] = t;
            const double counted = secondOrder ? t : s;
            if (counted > release[c]) release[c] = counted;
        }
    }
    return {release[0], release[1]};
}

}  // namespace orv
