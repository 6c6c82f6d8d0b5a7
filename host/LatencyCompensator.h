// Lines the plug-in's output up with its input: the first `latency` output frames are dropped
// and the input is followed by as many zeros, so the result has the input's length.
#pragma once

#include <algorithm>
#include <cstdint>

namespace orvrender {

class LatencyCompensator {
public:
    LatencyCompensator(int64_t latency, bool enabled) : toDrop_(enabled ? std::max<int64_t>(latency, 0) : 0) {
        tail_ = toDrop_;
    }

    // Zero frames still to feed once the input has ended, at most `room`; counts them as fed.
    int64_t takeTail(int64_t room) {
        const int64_t n = std::min(room, tail_);
        tail_ -= n;
        return n;
    }

    // Of `produced` output frames, how many leading ones are dropped.
    int64_t dropFrom(int64_t produced) {
        const int64_t n = std::min(produced, toDrop_);
        toDrop_ -= n;
        return n;
    }

private:
    int64_t toDrop_;
    int64_t tail_;
};

}  // namespace orvrender
