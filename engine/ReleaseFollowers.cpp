#include "engine/ReleaseFollowers.h"

namespace orv {

void ReleaseFollowers::reset() {
    for (int k = 0; k < kCount; ++k) {
        for (int c = 0; c < 2; ++c) {
            first_[k][c] = 0.0;
            second_[k][c] = 0.0;
        }
    }
    secondFollowsFirst_ = false;
}

void ReleaseFollowers::run(const StereoPair* level, StereoPair* release, int count, const FollowerBanks& banks,
                           bool secondOrder) {
    if (!secondOrder) {
        kernel_(&first_[0][0], level, release, count, banks);
        secondFollowsFirst_ = true;
        return;
    }
    if (secondFollowsFirst_) {
        for (int k = 0; k < kCount; ++k) {
            second_[k][0] = first_[k][0];
            second_[k][1] = first_[k][1];
        }
        secondFollowsFirst_ = false;
    }
    for (int i = 0; i < count; ++i) release[i] = stepSecondOrder(level[i], banks);
}

StereoPair ReleaseFollowers::stepSecondOrder(StereoPair level, const FollowerBanks& banks) {
    const double in[2] = {level.l, level.r};
    double release[2] = {1.0, 1.0};
    for (int k = 0; k < kCount; ++k) {
        const double attack = banks.attack[k];
        const double decay = banks.release[k];
        for (int c = 0; c < 2; ++c) {
            double s = first_[k][c];
            s = s + (in[c] - s) * (in[c] >= s ? attack : decay);
            first_[k][c] = s;
            double t = second_[k][c];
            t = t + (s - t) * (s > t ? attack : decay);
            second_[k][c] = t;
            if (t > release[c]) release[c] = t;
        }
    }
    return {release[0], release[1]};
}

}  // namespace orv
