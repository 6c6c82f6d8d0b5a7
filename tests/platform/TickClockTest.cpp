#include "platform/TickClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// Milliseconds, advancing: a clock in other units or a stuck one fails. The bounds are loose
// because the Windows tick is coarse (about 16 ms) and a loaded machine oversleeps.
TEST(TickClock, CountsMillisecondsAsTimePasses) {
    const uint32_t before = orv::tickCountMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const uint32_t elapsed = orv::tickCountMs() - before;  // unsigned difference survives the wrap
    EXPECT_GE(elapsed, 100u);
    EXPECT_LT(elapsed, 10000u);
}

}  // namespace
