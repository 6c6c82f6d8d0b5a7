// Lines the plug-in's output up with its input: the first `latency` output frames are dropped
// and the input is followed by as many zeros, so the result has the input's length.
// Some plug-ins report their latency only once they have processed audio; a new latency is
// taken as long as no output frame has been kept yet.
#pragma once

#include <algorithm>
#include <cstdint>

namespace orvrender {

class LatencyCompensator {
public:
    LatencyCompensator(int64_t latency, bool enabled) : enabled_(enabled), latency_(enabled ? std::max<int64_t>(latency, 0) : 0) {}

    // False when output has already been kept under the old latency, or more dropped than the new one.
    bool updateLatency(int64_t latency) {
        if (!enabled_) return true;
        latency = std::max<int64_t>(latency, 0);
        if (kept_ > 0 || dropped_ > latency) return false;
        latency_ = latency;
        return true;
    }

    // Zero frames still to feed once the input has ended, at most `room`; counts them as fed.
    int64_t takeTail(int64_t room) {
        const int64_t n = std::max<int64_t>(0, std::min(room, latency_ - tailFed_));
        tailFed_ += n;
        return n;
    }

    // Of `produced` output frames, how many leading ones are dropped.
    int64_t dropFrom(int64_t produced) {
        const int64_t n = std::min(produced, latency_ - dropped_);
        dropped_ += n;
        kept_ += produced - n;
        return n;
    }

private:
    bool enabled_;
    int64_t latency_;
    int64_t dropped_ = 0;
    int64_t kept_ = 0;
    int64_t tailFed_ = 0;
};

}  // namespace orvrender
