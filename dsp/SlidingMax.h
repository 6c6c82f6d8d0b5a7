#pragma once

#include "dsp/AlignedBuffer.h"

namespace orv {

// Maximum of the last W values pushed (1 <= W <= 512), kept in a binary max tree:
// slot 1 is the root, slots W .. 2W-1 the leaves, slot 0 a sentinel that stops every
// upward walk. A push walks up only while the new or the departing value decides a maximum.
class SlidingMax {
public:
    static constexpr int kMaxWindow = 512;
    static constexpr int kRoom = 1024;
    static constexpr double kSentinel = 1e10;

    SlidingMax();

    bool valid() const { return tree_.valid(); }
    int window() const { return window_; }
    // A window outside 1 .. 512 is ignored. The caller resets afterwards.
    void setWindow(int window);
    // As if the window were full of zeros.
    void reset();
    // Enters v, drops the value pushed W calls earlier, returns the maximum of the last W.
    double push(double v) {
        double* tree = tree_.data();
        int i = window_ + position_;
        const double old = tree[i];
        tree[i] = v;
        if (v > old) {
            while (v > tree[i ^ 1]) {
                i >>= 1;
                tree[i] = v;
            }
        } else {
            while (old > tree[i ^ 1]) {
                i >>= 1;
                const double a = tree[2 * i];
                const double b = tree[2 * i + 1];
                // The exact larger one: (|a-b| + (a-b))/2 + b can land an ulp off and break the invariant.
                tree[i] = a > b ? a : b;
            }
        }
        if (++position_ == window_) position_ = 0;
        return tree[1];
    }

    // The whole tree, for checking its invariant.
    const double* tree() const { return tree_.data(); }

private:
    AlignedBuffer tree_;
    int window_ = 1;
    int position_ = 0;
};

}  // namespace orv
