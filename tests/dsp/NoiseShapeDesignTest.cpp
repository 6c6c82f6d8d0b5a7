#include "dsp/NoiseShapeDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace orv {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTypeCount = 6;  // A .. F
constexpr int kRateCount = 6;
constexpr int kSlots = 32;
const char kTypeNames[] = "ABCDEF";

const double* shapeSet(int type, int rate) {
    return type == 0 ? kNoiseShapeTypeA[rate] : kNoiseShapeDesigned[type - 1][rate];
}

// |1 - sum c[j] z^-j| at hz, in dB.
double gainDb(const double* c, double hz, double rateHz) {
    std::complex<double> h = 1.0;
    for (int j = 1; j <= kSlots; ++j) h -= c[j - 1] * std::polar(1.0, -2.0 * kPi * hz * j / rateHz);
    return 20.0 * std::log10(std::abs(h));
}

// Schur-Cohn step-down: every zero of 1 - sum c[j] z^-j lies strictly inside the unit circle
// exactly when every reflection coefficient has magnitude below one.
bool minimumPhase(const double* c, int count) {
    std::vector<double> a(count + 1);
    a[0] = 1.0;
    for (int j = 1; j <= count; ++j) a[j] = -c[j - 1];
    for (int m = count; m >= 1; --m) {
        const double k = a[m];
        if (!(std::fabs(k) < 1.0)) return false;
        std::vector<double> lower(m);
        for (int i = 0; i < m; ++i) lower[i] = (a[i] - k * a[m - i]) / (1.0 - k * k);
        a.swap(lower);
    }
    return true;
}

TEST(NoiseShapeDesign, MinimumPhaseCheckRejectsZerosOnOrOutsideTheCircle) {
    const double outside[] = {2.5, -1.0};  // zeros at 2 and 0.5
    const double onCircle[] = {0.0, -1.0};  // zeros at +-j
    const double inside[] = {1.0, -0.25};   // double zero at 0.5
    EXPECT_FALSE(minimumPhase(outside, 2));
    EXPECT_FALSE(minimumPhase(onCircle, 2));
    EXPECT_TRUE(minimumPhase(inside, 2));
}

TEST(NoiseShapeDesign, ShapeAt44100FollowsTheTable) {
    const double hz[8] = {100, 1000, 4000, 8000, 12000, 16000, 20000, 22050};
    const double table[kTypeCount][8] = {
        {-9.9, -9.7, -7.7, -5.3, 1.5, 6.9, 9.4, 9.7},        {-8.8, -10.1, -16.0, -4.6, -6.3, 3.2, 26.6, 29.1},
        {-11.3, -13.0, -24.0, -2.4, -6.8, 13.8, 23.9, 23.7}, {-3.8, -3.8, -3.8, -3.7, -3.8, 1.7, 11.0, 13.3},
        {-8.2, -8.0, -7.6, -7.5, -7.6, 5.3, 21.5, 24.2},     {-12.0, -10.3, -12.7, -13.2, -12.5, 15.2, 28.2, 28.8},
    };
    for (int type = 0; type < kTypeCount; ++type) {
        // Type A's given set must land on its table row to the table's rounding: that proves the evaluation.
        const double tolerance = type == 0 ? 0.05 + 1e-9 : 1.0;
        for (int i = 0; i < 8; ++i)
            EXPECT_NEAR(gainDb(shapeSet(type, 0), hz[i], 44100.0), table[type][i], tolerance)
                << "type " << kTypeNames[type] << " at " << hz[i] << " Hz";
    }
}

TEST(NoiseShapeDesign, LeadingCoefficientsAt44100AreExact) {
    const double leading[5][4] = {
        {1.98998, -2.815903, 3.59874, -4.14422}, {2.373123, -3.202127, 3.536373, -3.495827},
        {0.77428, -0.821506, 0.720961, -0.52114}, {1.544917, -2.180221, 2.537494, -2.497578},
        {2.280548, -4.003778, 5.49504, -6.161694},
    };
    for (int type = 0; type < 5; ++type)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(kNoiseShapeDesigned[type][0][j], leading[type][j]) << "type " << kTypeNames[type + 1];
}

TEST(NoiseShapeDesign, EverySetIsMinimumPhase) {
    for (int type = 0; type < kTypeCount; ++type)
        for (int rate = 0; rate < kRateCount; ++rate)
            EXPECT_TRUE(minimumPhase(shapeSet(type, rate), kSlots))
                << "type " << kTypeNames[type] << " at " << kNoiseShapeRates[rate];
}

TEST(NoiseShapeDesign, NonZeroCoefficientsFillTheLeadingTaps) {
    const int taps[kTypeCount] = {12, 12, 12, 32, 32, 32};
    const int nonZero[kTypeCount][kRateCount] = {
        {3, 3, 3, 3, 3, 3},           {12, 12, 12, 12, 12, 12},     {12, 12, 11, 11, 11, 11},
        {30, 30, 32, 32, 32, 32},     {30, 30, 32, 32, 32, 32},     {32, 32, 31, 31, 32, 32},
    };
    for (int type = 0; type < kTypeCount; ++type)
        for (int rate = 0; rate < kRateCount; ++rate) {
            const double* c = shapeSet(type, rate);
            const int expected = nonZero[type][rate];
            ASSERT_LE(expected, taps[type]);
            for (int j = 0; j < kSlots; ++j)
                EXPECT_EQ(c[j] != 0.0, j < expected)
                    << "type " << kTypeNames[type] << " at " << kNoiseShapeRates[rate] << ", c[" << j + 1 << "]";
        }
}

TEST(NoiseShapeDesign, OnlyDEAndFShareSetsBetweenPairedRates) {
    for (int type = 0; type < kTypeCount; ++type) {
        const bool shared = type >= 3;
        for (int a = 0; a < kRateCount; ++a)
            for (int b = a + 1; b < kRateCount; ++b) {
                const bool pair = b == a + 1 && a % 2 == 0;
                const double* x = shapeSet(type, a);
                const double* y = shapeSet(type, b);
                EXPECT_EQ(std::equal(x, x + kSlots, y), shared && pair)
                    << "type " << kTypeNames[type] << ": " << kNoiseShapeRates[a] << " and " << kNoiseShapeRates[b];
            }
    }
}

TEST(NoiseShapeDesign, HigherRateSetsAreFlatAndLowToTwentyKilohertzAndRiseAbove) {
    for (int type = 1; type < kTypeCount; ++type)
        for (int rate = 2; rate < kRateCount; ++rate) {
            const double* c = shapeSet(type, rate);
            const double rateHz = kNoiseShapeRates[rate];
            double low = 1e9, high = -1e9;
            for (double hz = 0.0; hz <= 20000.0; hz += 50.0) {
                low = std::min(low, gainDb(c, hz, rateHz));
                high = std::max(high, gainDb(c, hz, rateHz));
            }
            double lowestAbove = 1e9;
            for (double hz = 20000.0 + rateHz / 8; hz <= rateHz / 2; hz += 50.0)
                lowestAbove = std::min(lowestAbove, gainDb(c, hz, rateHz));
            const auto where = ::testing::Message() << "type " << kTypeNames[type] << " at " << rateHz;
            EXPECT_LE(high - low, 1.5) << where;
            EXPECT_LT(high, -6.0) << where;
            EXPECT_GT(lowestAbove, high + 6.0) << where;
        }
}

TEST(NoiseShapeDesign, TypeDAudioBandLevelsAtHigherRates) {
    const struct {
        int rate;
        double levelDb;
    } cases[] = {{2, -7.6}, {3, -7.6}, {4, -11.1}, {5, -11.1}};
    for (const auto& k : cases)
        for (double hz = 0.0; hz <= 12000.0; hz += 100.0)
            EXPECT_NEAR(gainDb(kNoiseShapeDesigned[2][k.rate], hz, kNoiseShapeRates[k.rate]), k.levelDb, 0.5)
                << hz << " Hz at " << kNoiseShapeRates[k.rate];
}

}  // namespace
}  // namespace orv
