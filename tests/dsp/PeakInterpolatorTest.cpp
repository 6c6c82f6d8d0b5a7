#include "dsp/PeakInterpolator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace orv {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Quarter-table weight of the sample of a given age.
double quarterWeight(int point, int age) { return InterpolatorTables::instance().quarter[point][63 - age]; }

TEST(InterpolatorTables, TellingValuesComeOutExactly) {
    EXPECT_EQ(quarterWeight(0, 31), 0.9001807);
    EXPECT_EQ(quarterWeight(0, 32), 0.2996989);
    EXPECT_EQ(quarterWeight(0, 30), -0.1793862);
    EXPECT_EQ(quarterWeight(1, 31), 0.6362364);
    EXPECT_EQ(quarterWeight(1, 32), 0.6362364);
    // The two-times centre pair (ages 31 and 32) is the entry j = 31 of the folded table.
    EXPECT_NEAR(InterpolatorTables::instance().halfway[31], 0.6357317598066, 5e-14);
}

TEST(InterpolatorTables, QuarterPointsMirrorAndHalfwayPointIsSymmetric) {
    const InterpolatorTables& tables = InterpolatorTables::instance();
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(tables.quarter[0][k], tables.quarter[2][63 - k]) << k;
        EXPECT_EQ(tables.quarter[1][k], tables.quarter[1][63 - k]) << k;
    }
}

TEST(InterpolatorTables, CoefficientsSumToOne) {
    const InterpolatorTables& tables = InterpolatorTables::instance();
    for (int p = 0; p < 3; ++p) {
        double sum = 0.0;
        for (double c : tables.quarter[p]) sum += c;
        EXPECT_NEAR(sum, 1.0, 6e-6) << "point " << p;
    }
    double halfway = 0.0;
    for (double c : tables.halfway) halfway += 2.0 * c;
    EXPECT_NEAR(halfway, 1.0, 3e-7);
}

class PeakInterpolatorTest : public ::testing::Test {
protected:
    void push(int count, double (*signal)(int)) {
        for (int n = 0; n < count; ++n) interpolator.push(signal(n), -0.5 * signal(n));
    }
    PeakInterpolator interpolator;
};

double quarterRateSineAt45Degrees(int n) { return std::sin(kPi / 2.0 * n + kPi / 4.0); }

TEST_F(PeakInterpolatorTest, QuarterRateSineAt45DegreesPeaksBetweenSamples) {
    // Samples at +-0.7071; the crest of 1.0 lies half-way between two samples of equal sign.
    for (int mode : {0, 1, 2}) {
        interpolator.reset();
        interpolator.setMode(mode);
        double centre = 0.0, left = 0.0, right = 0.0, halfway = 0.0;
        for (int n = 0; n < 200; ++n) {
            interpolator.push(quarterRateSineAt45Degrees(n), -0.5 * quarterRateSineAt45Degrees(n));
            if (n < 100) continue;
            double points[3];
            const int count = interpolator.points(0, points);
            if (count > 0) halfway = std::max(halfway, std::fabs(count == 1 ? points[0] : points[1]));
            centre = std::max(centre, std::fabs(interpolator.centre(0)));
            left = std::max(left, interpolator.largestMagnitude(0));
            right = std::max(right, interpolator.largestMagnitude(1));
        }
        EXPECT_NEAR(centre, 0.70710678, 1e-8);
        const double crest = mode == 0 ? 0.70710678 : 1.0;
        if (mode != 0) {
            EXPECT_NEAR(halfway, 1.0, 2e-3) << "mode " << mode;
        }
        EXPECT_NEAR(left, crest, 2e-3) << "mode " << mode;
        EXPECT_NEAR(right, 0.5 * crest, 1e-3) << "mode " << mode;
    }
}

TEST_F(PeakInterpolatorTest, PointsMatchTheDirectSumOverAges) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> history;
    const InterpolatorTables& tables = InterpolatorTables::instance();
    for (int n = 0; n < 150; ++n) {
        const double v = dist(rng);
        history.push_back(v);
        interpolator.push(v, 2.0 * v);
        auto age = [&](int a) { return a < static_cast<int>(history.size()) ? history[history.size() - 1 - a] : 0.0; };
        ASSERT_EQ(interpolator.centre(0), age(31));
        double points[3];
        interpolator.setMode(2);
        ASSERT_EQ(interpolator.points(0, points), 3);
        for (int p = 0; p < 3; ++p) {
            double expected = 0.0;
            for (int a = 0; a < 64; ++a) expected += quarterWeight(p, a) * age(a);
            ASSERT_NEAR(points[p], expected, 1e-14) << "push " << n << " point " << p;
        }
        interpolator.setMode(1);
        ASSERT_EQ(interpolator.points(1, points), 1);
        double expected = 0.0;
        for (int j = 0; j < 32; ++j) expected += tables.halfway[j] * (age(63 - j) + age(j));
        ASSERT_NEAR(points[0], 2.0 * expected, 2e-14) << "push " << n;
    }
}

TEST_F(PeakInterpolatorTest, AfterResetCentreWaitsThirtyOnePushes) {
    push(100, quarterRateSineAt45Degrees);
    interpolator.reset();
    for (int mode : {1, 2}) {
        interpolator.reset();
        interpolator.setMode(mode);
        for (int n = 0; n < 31; ++n) {
            interpolator.push(0.25 + n, 0.0);
            EXPECT_EQ(interpolator.centre(0), 0.0) << "push " << n;
            double points[3];
            interpolator.points(0, points);
            EXPECT_NE(points[0], 0.0) << "push " << n;
        }
        interpolator.push(99.0, 0.0);
        EXPECT_EQ(interpolator.centre(0), 0.25);
    }
}

TEST_F(PeakInterpolatorTest, ConstantSignalIsReproduced) {
    push(64, [](int) { return 0.8; });
    for (int mode : {1, 2}) {
        interpolator.setMode(mode);
        double points[3];
        const int count = interpolator.points(0, points);
        for (int i = 0; i < count; ++i) EXPECT_NEAR(points[i], 0.8, 0.8 * 6e-6) << "mode " << mode;
    }
}

TEST_F(PeakInterpolatorTest, ModeOutsideTheRangeIsIgnored) {
    interpolator.setMode(1);
    interpolator.setMode(3);
    interpolator.setMode(-1);
    EXPECT_EQ(interpolator.mode(), 1);
}

}  // namespace
}  // namespace orv
