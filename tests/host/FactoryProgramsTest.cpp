// The 27 programs a new instance starts with, checked name by name and value by value.
#include <cstdlib>
#include <sstream>

#include "PresetHost.h"

namespace orvtest {
namespace {

// Columns 0..7, 9..11, 13, 14, 16 and 18, as decimals; the other columns are the same in every program.
struct FactoryRow {
    const char* name;
    const char* columns;
};
const FactoryRow kFactoryTable[kPrograms] = {
    {"Default", "1 0.5 0.2 0.7237 0.166667 1 0 0 0.165 1 0 1 0 0.25 0.25"},
    {"Limiter Smooth", "0.999167 0.5625 0.150375 0.723711 0.833333 1 0 0 0.165 1 0 1 0 0.25 0.25"},
    {"Limiter Gentle", "0.999167 0.604167 0.353483 0.656363 0.5 1 0 0 0.165 1 0 1 0 0.25 0.25"},
    {"Limiter Fast", "0.999167 0.625 0.45 0.5 0.5 1 0 0 0.165 1 0 1 0 0.25 0.25"},
    {"Limiter Hard", "0.999167 0.625 0.5 0.656363 0.166667 0.5 0 0 0.165 1 0 1 0 0.25 0.25"},
    {"Loudness 1", "0.999167 0.604167 0.238667 0.656363 0.5 0.5 0 0 0.165 1 0 0.5 0 0.25 0.25"},
    {"Loudness 2", "0.999167 0.625 0.404367 0.656363 0.833333 0.5 0 1 0.165 1 0 0.5 0 0.25 0.25"},
    {"Loudness 3", "0.999167 0.6875 0.5 0.5 0.5 0.33 0 0 0.165 1 0 0.25 0 0.25 0.25"},
    {"CD Master 1", "0.999167 0.583333 0.25 0.723711 0.833333 1 0 0 0.5 0.5 0.354 0.5 0 0.75 0.75"},
    {"CD Master 2", "0.999167 0.625 0.4 0.610005 0.5 1 0 0 0.5 0.5 0.497 0.5 0 0.75 0.75"},
    {"CD Master 3 [recon]", "0.999167 0.625 0.4 0.656363 0.5 1 1 0 0.5 0.5 0.497 0.333333 1 0.75 0.75"},
    {"Game 1 [8bit]", "0.999167 0.625 0.3 0.610005 0.33 0.5 0 0 0.165 0 0.212 0.5 0 0.75 0.25"},
    {"Game 2 [8bit]", "0.999167 0.625 0.5 0.5 0.5 0.5 0 0 0.165 0 0.354 0.5 0 0.75 0.25"},
    {"TV Limiter", "0.166667 0.625 0.4 0.676097 0.5 1 0 0 0.165 1 0 1 0 0.25 0.75"},
    {"TV Loudness", "0.166667 0.625 0.4 0.610005 0.5 1 0 0 0.165 1 0 0.5 0 0.25 0.75"},
    {"TV Hot", "0.166667 0.6875 0.5 0.465453 0.5 0.33 0 0 0.165 1 0 0.5 0 0.25 0.75"},
    {"HiRes Limiter", "0.999167 0.583333 0.15 0.676097 0.833333 1 0 0 0.825 1 0.354 1 0 0.75 0.75"},
    {"HiRes Loudness", "0.999167 0.625 0.3 0.563874 0.833333 0.5 0 0 0.825 1 0.497 0.5 0 0.75 0.75"},
    {"Cine 1", "0.999167 0.583333 0.1 0.723711 0.833333 1 0 0 0.825 1 0.354 1 0 0.75 0.75"},
    {"Cine 2 [recon]", "0.999167 0.625 0.3 0.676097 0.833333 1 1 0 0.825 1 0.497 0.5 1 0.75 0.75"},
    {"Cine 3", "0.999167 0.645833 0.4 0.610005 0.5 1 0 0 0.825 1 0.497 0.25 0 0.75 0.75"},
    {"Loud Love", "0.999167 0.6875 0.6 0.5 0.833333 0.66 0 0 0.165 1 0 0.5 0 0.25 0.25"},
    {"Loud It Up", "0.999167 0.6875 0.5 0.5 0.166667 0.33 0 0 0.165 1 0 0.5 0 0.25 0.25"},
    {"Total Disorder", "0.999167 0.75 0.8 0.436034 0.33 0 0 0 0.165 1 0 0.5 0 0.25 0.25"},
    {"ADAT Limiter", "0.999167 0.583333 0.150375 0.723711 0.833333 1 0 0 0.5 0.7 1 0.5 0 0.75 0.25"},
    {"DVD Master 1", "0.999167 0.583333 0.25 0.723711 0.833333 1 0 0 0.5 1 0.8 0.5 0 0.75 0.75"},
    {"DVD Master 2 [recon]", "0.999167 0.625 0.4 0.656363 0.5 1 1 0 0.5 1 0.7 0.333333 1 0.75 0.75"},
};
const int kTableColumns[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 13, 14, 16, 18};
// Power 1, AttShow 0.9375, resvd-vid 0.025; Calibrate, AutoOut, Autoblack, AttZoom, PostMeter and the dummies 0.
const std::pair<int, float> kSharedColumns[] = {{8, 1.0f}, {20, 0.9375f}, {25, 0.025f}};

TestProgram tableProgram(const FactoryRow& row) {
    TestProgram p{row.name, {}};
    for (const auto& [index, value] : kSharedColumns) p.values[index] = value;
    std::istringstream columns(row.columns);
    for (int index : kTableColumns) {
        std::string decimal;
        columns >> decimal;
        p.values[index] = std::strtof(decimal.c_str(), nullptr);
    }
    return p;
}

class FactoryProgramsTest : public PresetHostTest {};

TEST_F(FactoryProgramsTest, NewInstanceHoldsTheFactoryTable) {
    open();
    const std::vector<TestProgram> programs = host.programs();
    ASSERT_EQ(programs.size(), static_cast<size_t>(kPrograms));
    for (int p = 0; p < kPrograms; ++p) {
        SCOPED_TRACE(kFactoryTable[p].name);
        const TestProgram expected = tableProgram(kFactoryTable[p]);
        EXPECT_EQ(programs[p].name, expected.name);
        for (int k = 0; k < kParams; ++k) EXPECT_EQ(programs[p].values[k], expected.values[k]) << "value " << k;
        EXPECT_EQ(host.text(effGetProgramNameIndexed, p), expected.name);
    }
    EXPECT_EQ(host.currentProgram(), 0);
    EXPECT_EQ(host.programName(), "Default");
    host.expectParametersOf(tableProgram(kFactoryTable[0]));
}

}  // namespace
}  // namespace orvtest
