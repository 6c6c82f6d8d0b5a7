#include "dsp/StereoDelay.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(StereoDelay, DelaysEachChannelByExactlyItsLength) {
    StereoDelay delay(544);
    for (int length : {1, 2, 31, 159, 287, 543, 544}) {
        delay.setLength(length);
        delay.reset();
        for (int t = 0; t < 3 * length + 7; ++t) {
            const StereoPair out = delay.push({t + 1.0, -(t + 1.0) * 0.5});
            const double expected = t >= length ? t - length + 1.0 : 0.0;
            ASSERT_EQ(out.l, expected) << "length " << length << " t " << t;
            ASSERT_EQ(out.r, -0.5 * expected) << "length " << length << " t " << t;
        }
    }
}

TEST(StereoDelay, LengthOutsideTheRoomIsIgnored) {
    StereoDelay delay(32);
    delay.setLength(31);
    for (int length : {0, -1, 33}) {
        delay.setLength(length);
        EXPECT_EQ(delay.length(), 31);
    }
}

}  // namespace
}  // namespace orv
