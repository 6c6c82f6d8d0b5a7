#include "dsp/NoiseShapeBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

enum Type : int32_t { kOff = 0, kA = 1, kB = 2, kC = 3, kD = 4, kE = 5, kF = 6 };

bool allZero(const double* set) {
    for (int j = 0; j < NoiseShapeBank::kTaps; ++j) {
        if (set[j] != 0.0) return false;
    }
    return true;
}

class NoiseShapeBankTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bank.valid()); }
    NoiseShapeBank bank;
};

TEST_F(NoiseShapeBankTest, StartsWithTheAllZeroSetAndTwelveTaps) {
    EXPECT_EQ(bank.shapeSet(), bank.set(kOff, 0));
    EXPECT_TRUE(allZero(bank.shapeSet()));
    EXPECT_EQ(bank.shapeTaps(), 12);
}

TEST_F(NoiseShapeBankTest, HoldsTypeAInFullAndTheDesignedSets) {
    const double typeA[6][3] = {
        {1.14927, -0.690052, 0.222153},  {1.320576, -0.900871, 0.3339},    {2.295096, -2.083295, 0.751798},
        {2.361518, -2.150189, 0.758101}, {1.974841, -1.131472, 0.120763}, {1.830033, -0.827539, -0.038527},
    };
    for (int r = 0; r < 6; ++r) {
        const double* set = bank.set(kA, r);
        for (int j = 0; j < 3; ++j) EXPECT_EQ(set[j], typeA[r][j]) << "rate " << r << " c" << j + 1;
        for (int j = 3; j < NoiseShapeBank::kTaps; ++j) EXPECT_EQ(set[j], 0.0) << "rate " << r << " c" << j + 1;
    }
    const double first44100[5][4] = {
        {1.98998, -2.815903, 3.59874, -4.14422},   {2.373123, -3.202127, 3.536373, -3.495827},
        {0.77428, -0.821506, 0.720961, -0.52114},  {1.544917, -2.180221, 2.537494, -2.497578},
        {2.280548, -4.003778, 5.49504, -6.161694},
    };
    for (int type = kB; type <= kF; ++type) {
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(bank.set(type, 0)[j], first44100[type - kB][j], 5e-7) << type;
    }
}

TEST_F(NoiseShapeBankTest, TwelveTapTypesHaveNothingBeyondTheirTaps) {
    for (int type = kA; type <= kC; ++type) {
        for (int r = 0; r < 6; ++r) {
            for (int j = 12; j < NoiseShapeBank::kTaps; ++j) EXPECT_EQ(bank.set(type, r)[j], 0.0) << type << " " << r;
        }
    }
}

TEST_F(NoiseShapeBankTest, SelectsByTypeAndExactStandardRate) {
    const struct {
        int32_t type;
        int32_t rateHz;
        int rateIndex;
        int32_t taps;
    } cases[] = {
        {kA, 44100, 0, 12}, {kB, 48000, 1, 12}, {kC, 176400, 4, 12}, {kD, 88200, 2, 32},
        {kE, 96000, 3, 32}, {kF, 192000, 5, 32}, {kOff, 96000, 0, 12},
    };
    for (const auto& c : cases) {
        bank.select(c.type, c.rateHz);
        EXPECT_EQ(bank.shapeSet(), bank.set(c.type, c.rateIndex)) << "type " << c.type << " rate " << c.rateHz;
        EXPECT_EQ(bank.shapeTaps(), c.taps) << "type " << c.type;
    }
}

TEST_F(NoiseShapeBankTest, OtherRateKeepsTheSetAndFollowsTheTapCount) {
    bank.select(kB, 32000);
    EXPECT_EQ(bank.shapeSet(), bank.set(kOff, 0));
    EXPECT_EQ(bank.shapeTaps(), 12);

    bank.select(kD, 44100);
    bank.select(kD, 32000);
    EXPECT_EQ(bank.shapeSet(), bank.set(kD, 0));
    EXPECT_EQ(bank.shapeTaps(), 32);
    bank.select(kA, 44101);
    EXPECT_EQ(bank.shapeSet(), bank.set(kD, 0));
    EXPECT_EQ(bank.shapeTaps(), 12);

    bank.select(kOff, 32000);
    EXPECT_EQ(bank.shapeSet(), bank.set(kOff, 0));
}

TEST_F(NoiseShapeBankTest, TypeOutsideTheRangeChangesNothing) {
    bank.select(kC, 48000);
    for (int32_t type : {-1, 7, 100}) {
        bank.select(type, 44100);
        EXPECT_EQ(bank.shapeSet(), bank.set(kC, 1));
        EXPECT_EQ(bank.shapeTaps(), 12);
    }
}

TEST_F(NoiseShapeBankTest, FillWritesTheSameValuesAgain) {
    const double before = bank.set(kE, 4)[17];
    bank.fill();
    EXPECT_EQ(bank.set(kE, 4)[17], before);
    EXPECT_TRUE(allZero(bank.set(kOff, 0)));
}

}  // namespace
}  // namespace orv
