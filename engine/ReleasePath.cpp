#include "engine/ReleasePath.h"

namespace orv {

void ReleasePath::setWindow(int lookAhead) {
    left_.setWindow(lookAhead);
    right_.setWindow(lookAhead);
}

void ReleasePath::reset() {
    left_.reset();
    right_.reset();
    followers_.reset();
}

void ReleasePath::run(const StereoPair* magnitude, StereoPair* release, int count, double linkAmount,
                      const FollowerBanks& banks, bool secondOrder) {
    StereoPair level[kMaxRun];
    const double own = 1.0 - linkAmount;
    for (int i = 0; i < count; ++i) {
        const double peakL = left_.push(magnitude[i].l);
        const double peakR = right_.push(magnitude[i].r);
        // At link 1 both channels follow the louder one, at 0 each follows itself.
        const double shared = (peakL > peakR ? peakL : peakR) * linkAmount;
        level[i] = {own * peakL + shared, own * peakR + shared};
    }
    followers_.run(level, release, count, banks, secondOrder);
}

}  // namespace orv
