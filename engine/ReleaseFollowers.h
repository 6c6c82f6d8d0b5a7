#pragma once

#include "dsp/StereoPair.h"
#include "engine/FollowerBanks.h"
#include "engine/FollowerKernels.h"

namespace orv {

// The eight attack/release followers of each channel. Each follower has a second one-pole
// stage fed by the first: with first order it simply takes the first stage's value, with
// second order it smooths it again with the same pair of coefficients.
class ReleaseFollowers {
public:
    static constexpr int kCount = FollowerBanks::kCount;

    ReleaseFollowers() : kernel_(bestFollowerKernel()) {}

    void reset();
    // Moves every follower count samples toward its channel's levels and writes the release
    // level per channel and sample: the largest follower state, at least 1.0. With second
    // order the states of the second stages count, so the switch changes the release curve.
    void run(const StereoPair* level, StereoPair* release, int count, const FollowerBanks& banks, bool secondOrder);

    // State of follower k of a channel (0 left, 1 right), first or second stage.
    double state(int k, int channel, bool second) const {
        return (second && !secondFollowsFirst_ ? second_ : first_)[k][channel];
    }

private:
    StereoPair stepSecondOrder(StereoPair level, const FollowerBanks& banks);

    FollowerKernel kernel_;
    alignas(16) double first_[kCount][2] = {};
    alignas(16) double second_[kCount][2] = {};
    // With first order the second stages equal the first ones; they are copied only when
    // second order starts, instead of on every sample.
    bool secondFollowsFirst_ = false;
};

}  // namespace orv
