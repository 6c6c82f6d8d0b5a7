#pragma once

#include "dsp/AlignedBuffer.h"
#include "dsp/StereoPair.h"

namespace orv {

// A delay line for both channels with one shared ring position: each push returns the
// pair pushed `length` calls earlier. Room for up to maxLength samples, fixed at construction.
class StereoDelay {
public:
    explicit StereoDelay(int maxLength);

    bool valid() const { return left_.valid() && right_.valid(); }
    int maxLength() const { return maxLength_; }
    int length() const { return length_; }
    // A length outside 1 .. maxLength is ignored. The caller resets afterwards.
    void setLength(int length);
    // Zeros over the whole room, position 0.
    void reset();

    StereoPair push(StereoPair in) {
        const StereoPair out = {left_[position_], right_[position_]};
        left_[position_] = in.l;
        right_[position_] = in.r;
        if (++position_ == length_) position_ = 0;
        return out;
    }

private:
    AlignedBuffer left_, right_;
    int maxLength_;
    int length_;
    int position_ = 0;
};

}  // namespace orv
