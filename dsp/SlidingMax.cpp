#include "dsp/SlidingMax.h"

namespace orv {

SlidingMax::SlidingMax() : tree_(kRoom) { reset(); }

void SlidingMax::setWindow(int window) {
    if (window < 1 || window > kMaxWindow) return;
    window_ = window;
    position_ = 0;
}

void SlidingMax::reset() {
    position_ = 0;
    if (!tree_.valid()) return;
    tree_.clear();
    tree_[0] = kSentinel;
}

double SlidingMax::push(double v) {
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

}  // namespace orv
