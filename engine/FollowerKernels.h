#pragma once

#include "dsp/StereoPair.h"
#include "engine/FollowerBanks.h"

namespace orv {

// The first stages of the eight attack/release followers of both channels, run over a run of
// samples. state holds follower k of channel c at [2k + c]. For each sample, every follower
// moves toward the channel's level (attack coefficient when the level is at or above it,
// release otherwise), and the release level is the largest follower, at least 1.0.
//
// Every kernel performs the same operations on each value in the same order, so all of them
// give the same bits; the wider ones only do more values at once.
using FollowerKernel = void (*)(double* state, const StereoPair* level, StereoPair* release, int count,
                                const FollowerBanks& banks);

void followersPlain(double* state, const StereoPair* level, StereoPair* release, int count, const FollowerBanks& banks);
// Null where the build or the processor lacks the instructions.
FollowerKernel followersSse2();
FollowerKernel followersAvx();
// The widest kernel this processor runs.
FollowerKernel bestFollowerKernel();

}  // namespace orv
