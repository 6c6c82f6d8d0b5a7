#pragma once

#include "dsp/SlidingMax.h"
#include "dsp/StereoPair.h"
#include "engine/ReleaseFollowers.h"

namespace orv {

// The program-dependent part of the gain: the detector peak over the look-ahead window,
// linked between the channels, followed by the eight attack/release followers.
class ReleasePath {
public:
    static constexpr int kMaxRun = 64;

    bool valid() const { return left_.valid() && right_.valid(); }
    // The caller resets afterwards.
    void setWindow(int lookAhead);
    void reset();
    // Writes the release level F per channel (>= 1) for count (at most kMaxRun) samples.
    void run(const StereoPair* magnitude, StereoPair* release, int count, double linkAmount,
             const FollowerBanks& banks, bool secondOrder);

    const ReleaseFollowers& followers() const { return followers_; }

private:
    SlidingMax left_, right_;
    ReleaseFollowers followers_;
};

}  // namespace orv
