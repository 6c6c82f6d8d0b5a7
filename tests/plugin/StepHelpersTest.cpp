#include <gtest/gtest.h>

#include <limits>

#include "plugin/base/StepHelpers.h"

namespace {

TEST(StepIndex, BucketsClampOnlyFromAbove) {
    struct Case {
        float v;
        int32_t n;
        int32_t index;
    } cases[] = {
        {1.0f, 2, 1}, {0.5f, 2, 1}, {0.49f, 2, 0}, {1.0f, 7, 6}, {0.0f, 3, 0}, {0.9999f, 5, 4},
        {2.5f, 4, 3}, {-0.1f, 2, 0},  // truncation toward zero: -0.2 is bucket 0
        {-0.6f, 2, -1}, {0.025f, 100, 2}, {0.0f, 100, 0}, {0.015f, 100, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(orv::stepIndex(c.v, c.n), c.index) << c.v << " " << c.n;
}

TEST(StepIndex, NonFiniteAndHugeValuesStayDefined) {
    EXPECT_EQ(orv::stepIndex(std::numeric_limits<float>::quiet_NaN(), 7), 0);
    EXPECT_EQ(orv::stepIndex(std::numeric_limits<float>::infinity(), 7), 6);
    EXPECT_LT(orv::stepIndex(-std::numeric_limits<float>::infinity(), 7), 0);
    EXPECT_LT(orv::stepIndex(-1e30f, 7), 0);
    for (float v : {-1e30f, -5.0f, -0.6f, std::numeric_limits<float>::quiet_NaN(), 1e30f}) {
        const int32_t i = orv::clampedStepIndex(v, 7);
        EXPECT_GE(i, 0);
        EXPECT_LE(i, 6);
    }
}

TEST(StepValue, BucketCentres) {
    EXPECT_EQ(orv::stepValue(1, 3), 0.5f);
    EXPECT_EQ(orv::stepValue(7, 8), 0.9375f);
    EXPECT_EQ(orv::stepValue(0, 2), 0.25f);
    for (int32_t n = 2; n <= 8; ++n)
        for (int32_t i = 0; i < n; ++i) EXPECT_EQ(orv::stepIndex(orv::stepValue(i, n), n), i);
}

}  // namespace
