// Every follower kernel the build and processor offer computes the same bits as the plain one.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/FollowerKernels.h"

namespace {

using orv::FollowerBanks;
using orv::FollowerKernel;
using orv::StereoPair;

// Levels that rise, hold, fall and tie with the states, over banks of several release times.
std::vector<StereoPair> levels(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jump(1e-5, 8.0);
    std::vector<StereoPair> x(3000);
    StereoPair held{1e-5, 1e-5};
    for (size_t i = 0; i < x.size(); ++i) {
        if (rng() % 40 == 0) held = {jump(rng), jump(rng)};
        if (rng() % 300 == 0) held = {1e-5, held.l};
        x[i] = held;
    }
    return x;
}

std::vector<StereoPair> runKernel(FollowerKernel kernel, const std::vector<StereoPair>& in, const FollowerBanks& banks,
                                  double* state) {
    std::vector<StereoPair> out(in.size());
    // Uneven runs, so state carries over between calls as in the engine.
    for (size_t at = 0, run = 1; at < in.size(); at += run, run = run % 64 + 7) {
        const size_t n = std::min(run, in.size() - at);
        kernel(state, in.data() + at, out.data() + at, static_cast<int>(n), banks);
    }
    return out;
}

TEST(FollowerKernels, WiderKernelsGiveThePlainKernelsBits) {
    const FollowerKernel kernels[] = {orv::followersSse2(), orv::followersAvx(), orv::bestFollowerKernel()};
    for (double releaseMs : {1.0, 37.5, 1000.0}) {
        FollowerBanks banks;
        banks.compute(releaseMs, 44100.0);
        const std::vector<StereoPair> in = levels(static_cast<unsigned>(releaseMs));
        double plainState[16] = {};
        const std::vector<StereoPair> expected = runKernel(&orv::followersPlain, in, banks, plainState);
        for (FollowerKernel kernel : kernels) {
            if (!kernel) continue;
            double state[16] = {};
            const std::vector<StereoPair> out = runKernel(kernel, in, banks, state);
            ASSERT_EQ(std::memcmp(out.data(), expected.data(), out.size() * sizeof(StereoPair)), 0) << releaseMs;
            ASSERT_EQ(std::memcmp(state, plainState, sizeof state), 0) << releaseMs;
        }
    }
}

TEST(FollowerKernels, ReleaseLevelIsTheLargestFollowerAndNeverBelowOne) {
    FollowerBanks banks;
    banks.compute(50.0, 48000.0);
    double state[16] = {};
    const std::vector<StereoPair> in(2000, StereoPair{4.0, 0.5});
    std::vector<StereoPair> out(in.size());
    orv::bestFollowerKernel()(state, in.data(), out.data(), 2000, banks);
    // The left followers approach 4 (the fastest first), the right ones stay below 1.
    EXPECT_GT(out.back().l, 3.99);
    EXPECT_LE(out.back().l, 4.0);
    double largest = 0.0;
    for (int k = 0; k < 8; ++k) largest = std::max(largest, state[2 * k]);
    EXPECT_EQ(out.back().l, largest);
    for (const StereoPair& p : out) ASSERT_EQ(p.r, 1.0);
}

}  // namespace
