#include <gtest/gtest.h>

#include <vector>

#include "plugin/ParameterMigration.h"
#include "plugin/ParameterTable.h"
#include "plugin/base/StepHelpers.h"

namespace {

// Records the migration's changes on a plain array of values.
class FakeParameters : public orv::ParameterAccess {
public:
    explicit FakeParameters(std::vector<float> start) : values(std::move(start)) { values.resize(orv::kParameterCount); }
    float storedValue(int32_t index) override { return values[index]; }
    void setParameter(int32_t index, float value) override {
        values[index] = value;
        changes.push_back(index);
    }
    std::vector<float> values;
    std::vector<int32_t> changes;
};

struct MigrationCase {
    const char* what;
    int32_t version;
    float bits, scale, noiseShape;
    float expectBits, expectScale, expectMeterType, expectQuantize, expectNoiseShape;
};

TEST(ParameterMigration, OldLayoutsMapToCurrentChoices) {
    using orv::stepValue;
    const MigrationCase cases[] = {
        // Version 0: Bits had "none" then 8/16/24 bits; Scale had "peak" then K-12/14/20.
        {"v0 no requantisation", 0, stepValue(0, 4), stepValue(0, 4), 0.0f, stepValue(2, 5), stepValue(1, 3),
         stepValue(0, 2), stepValue(0, 2), stepValue(0, 7)},
        {"v0 8 bits, K-12", 0, stepValue(1, 4), stepValue(1, 4), 0.0f, stepValue(0, 5), stepValue(0, 3),
         stepValue(1, 2), stepValue(1, 2), stepValue(0, 7)},
        {"v0 24 bits, K-20", 0, stepValue(3, 4), stepValue(3, 4), stepValue(2, 4), stepValue(4, 5), stepValue(2, 3),
         stepValue(1, 2), stepValue(1, 2), stepValue(2, 7)},
        {"v1 16 bits, type C", 1, stepValue(1, 3), 0.5f, stepValue(3, 4), stepValue(2, 5), 0.5f, 0.9f, 0.9f,
         stepValue(3, 7)},
    };
    for (const MigrationCase& c : cases) {
        std::vector<float> start(orv::kParameterCount, 0.9f);
        start[orv::kBits] = c.bits;
        start[orv::kScale] = c.scale;
        start[orv::kNoiseShape] = c.noiseShape;
        FakeParameters p(start);
        orv::migrateParameterLayout(c.version, p);
        EXPECT_EQ(p.values[orv::kBits], c.expectBits) << c.what;
        EXPECT_EQ(p.values[orv::kScale], c.expectScale) << c.what;
        EXPECT_EQ(p.values[orv::kMeterType], c.expectMeterType) << c.what;
        EXPECT_EQ(p.values[orv::kQuantize], c.expectQuantize) << c.what;
        EXPECT_EQ(p.values[orv::kNoiseShape], c.expectNoiseShape) << c.what;
        if (c.version == 0) {
            EXPECT_EQ(p.values[orv::kAutoblack], stepValue(0, 2)) << c.what;
            EXPECT_EQ(p.values[orv::kAttShow], stepValue(7, 8)) << c.what;
            EXPECT_EQ(p.values[orv::kAttZoom], stepValue(0, 2)) << c.what;
            EXPECT_EQ(p.values[orv::kPostMeter], stepValue(1, 2)) << c.what;
        }
    }
}

TEST(ParameterMigration, CurrentAndUnknownVersionsChangeNothing) {
    for (int32_t version : {2, 3, 99, -1, -1000}) {
        FakeParameters p(std::vector<float>(orv::kParameterCount, 0.3f));
        orv::migrateParameterLayout(version, p);
        EXPECT_TRUE(p.changes.empty()) << version;
    }
}

TEST(ParameterMigration, SameOldSetMigratesIdenticallyEveryTime) {
    std::vector<float> start(orv::kParameterCount, 0.4f);
    FakeParameters first(start), second(start);
    orv::migrateParameterLayout(0, first);
    orv::migrateParameterLayout(0, second);
    EXPECT_EQ(first.values, second.values);
    EXPECT_EQ(first.changes, second.changes);
}

TEST(ParameterMigration, OutOfRangeValuesNeverIndexOutsideTheDepthTable) {
    for (float bits : {-5.0f, -0.5f, 7.0f, 1e30f}) {
        std::vector<float> start(orv::kParameterCount, 0.0f);
        start[orv::kBits] = bits;
        FakeParameters p(start);
        orv::migrateParameterLayout(1, p);
        const int32_t depth = orv::stepIndex(p.values[orv::kBits], 5);
        EXPECT_GE(depth, 0) << bits;
        EXPECT_LE(depth, 4) << bits;
    }
}

}  // namespace
