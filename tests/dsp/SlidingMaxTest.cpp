#include "dsp/SlidingMax.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>

namespace orv {
namespace {

SlidingMax makeWindow(int window) {
    SlidingMax max;
    max.setWindow(window);
    max.reset();
    return max;
}

// Every inner slot holds the larger of its two children.
void expectTreeInvariant(const SlidingMax& max) {
    const double* tree = max.tree();
    for (int i = 1; i < max.window(); ++i) ASSERT_EQ(tree[i], std::max(tree[2 * i], tree[2 * i + 1])) << "slot " << i;
}

TEST(SlidingMax, StartsAsAWindowOfZeros) {
    SlidingMax max = makeWindow(16);
    EXPECT_EQ(max.push(-0.5), 0.0);
    EXPECT_EQ(max.push(0.25), 0.25);
    SlidingMax fresh = makeWindow(16);
    EXPECT_EQ(fresh.push(3.0), 3.0);
}

TEST(SlidingMax, LargeValueHoldsForExactlyWindowPushes) {
    for (int window : {1, 2, 3, 8, 100, 128, 512}) {
        SlidingMax max = makeWindow(window);
        for (int i = 0; i < 5; ++i) max.push(0.1 * i);  // fill a little, to start mid-window
        EXPECT_EQ(max.push(10.0), 10.0) << "window " << window;
        for (int i = 1; i < window; ++i) ASSERT_EQ(max.push(1.0), 10.0) << "window " << window << " push " << i;
        EXPECT_EQ(max.push(0.5), window == 1 ? 0.5 : 1.0) << "window " << window;
    }
}

TEST(SlidingMax, MatchesBruteForceAndKeepsTheTreeInvariant) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(1e-5, 2.0);
    for (int window : {1, 5, 8, 64, 127, 256, 512}) {
        SlidingMax max = makeWindow(window);
        std::deque<double> recent(window, 0.0);
        for (int n = 0; n < 4 * window + 50; ++n) {
            // Runs of falling values make departing maxima walk the tree.
            const double v = (n % 37 < 20) ? dist(rng) : 2.0 - 0.01 * (n % 37);
            recent.push_back(v);
            recent.pop_front();
            ASSERT_EQ(max.push(v), *std::max_element(recent.begin(), recent.end())) << "window " << window << " push " << n;
        }
        expectTreeInvariant(max);
    }
}

TEST(SlidingMax, ValueAboveTheSentinelIsStillTheMaximum) {
    SlidingMax max = makeWindow(4);
    EXPECT_EQ(max.push(3e10), 3e10);
    EXPECT_EQ(max.push(1.0), 3e10);
    EXPECT_EQ(max.push(5e10), 5e10);
    max.push(2.0);
    max.push(1.0);
    EXPECT_EQ(max.push(1.0), 5e10);
    EXPECT_EQ(max.push(1.0), 2.0);  // 5e10 left the window
    EXPECT_EQ(max.push(1.0), 1.0);
}

TEST(SlidingMax, WindowOutsideTheRangeIsIgnored) {
    SlidingMax max = makeWindow(8);
    for (int window : {0, -3, 513, 1024}) {
        max.setWindow(window);
        EXPECT_EQ(max.window(), 8);
    }
}

}  // namespace
}  // namespace orv
