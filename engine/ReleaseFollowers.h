#pragma once

#include "dsp/StereoPair.h"
#include "engine/FollowerBanks.h"

namespace orv {

// The eight attack/release followers of each channel. Each follower has a second one-pole
// stage fed by the first: with first order it simply takes the first stage's value, with
// second order it smooths it again with the same pair of coefficients.
class ReleaseFollowers {
public:
    static constexpr int kCount = FollowerBanks::kCount;

    void reset();
    // Moves every follower one sample toward its channel's level and returns the release
    // level per channel: the largest follower state, at least 1.0. With second order the
    // states of the second stages count, so the switch changes the release curve.
    StereoPair step(StereoPair level, const FollowerBanks& banks, bool secondOrder);

    // State of follower k of a channel (0 left, 1 right), first or second stage.
    double state(int k, int channel, bool second) const { return (second ? second_ : first_)[k][channel]; }

private:
    alignas(16) double first_[kCount][2] = {};
    alignas(16) double second_[kCount][2] = {};
};

}  // namespace orv
