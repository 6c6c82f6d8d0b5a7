#pragma once

#include "dsp/BlockConvolver.h"
#include "dsp/SlidingMax.h"
#include "dsp/StereoPair.h"
#include "dsp/StereoDelay.h"

namespace orv {

// The short envelope that guarantees the ceiling: the unlinked detector peak over the
// shape window, smoothed by the convolver and delayed so that every window it averages
// contains the audio sample it meets.
class BrickwallPath {
public:
    static constexpr int kMaxEnvelopeDelay = 512;

    BrickwallPath();

    bool valid() const;
    // shapeLength a power of two 8 .. 128, envelopeDelay = lookAhead - 2 * shapeLength + 2.
    // The caller resets afterwards.
    void setGeometry(int shapeLength, int envelopeDelay);
    void reset();
    // Returns the brickwall level J per channel.
    StereoPair step(StereoPair magnitude) {
        const StereoPair smoothed = convolver_.process(left_.push(magnitude.l), right_.push(magnitude.r));
        return envelope_.push(smoothed);
    }
    void run(const StereoPair* magnitude, StereoPair* level, int count) {
        for (int i = 0; i < count; ++i) level[i] = step(magnitude[i]);
    }

private:
    SlidingMax left_, right_;
    BlockConvolver convolver_;
    StereoDelay envelope_;
};

}  // namespace orv
