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

StereoPair ReleasePath::step(StereoPair magnitude, double linkAmount, const FollowerBanks& banks, bool secondOrder) {
    const double peakL = left_.push(magnitude.l);
    const double peakR = right_.push(magnitude.r);
    // At link 1 both channels follow the louder one, at 0 each follows itself.
    const double shared = (peakL > peakR ? peakL : peakR) * linkAmount;
    const double own = 1.0 - linkAmount;
    return followers_.step({own * peakL + shared, own * peakR + shared}, banks, secondOrder);
}

}  // namespace orv
