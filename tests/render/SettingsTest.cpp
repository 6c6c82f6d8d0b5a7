#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <sstream>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

struct Listing {
    std::vector<std::string> names;
    int current = -1;
};

// "*  3  Name" lines of --list-programs.
Listing programs(const std::string& text) {
    Listing listing;
    std::istringstream lines(text);
    std::string line;
    const std::regex row(R"(([ *]) *([0-9]+)  (.*))");
    while (std::getline(lines, line)) {
        std::smatch match;
        if (!std::regex_match(line, match, row)) continue;
        if (match[1] == "*") listing.current = static_cast<int>(listing.names.size());
        listing.names.push_back(match[3]);
    }
    return listing;
}

// The value column of one --list-params row.
std::string parameterValue(const std::string& text, const std::string& name) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(" " + name + " +([0-9.]+)  "))) return "missing";
    return match[1];
}

// The bank chunk names its current program in its stream header, 25 bytes in.
int32_t chunkCurrentProgram(const std::vector<uint8_t>& chunk) {
    int32_t index = -1;
    if (chunk.size() >= 29) std::memcpy(&index, chunk.data() + 25, sizeof(index));
    return index;
}

class Settings : public testing::Test {
protected:
    ScratchFolder folder;
    std::string input = folder.path("in.wav");
    void SetUp() override { writeSound(input, sine(2, 4410, 997.0, 0.9)); }
};

TEST_F(Settings, ProgramIsSelectedByNameAsARestoredSessionWould) {
    const RunResult listed = runRenderer({"--list-programs"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    const Listing all = programs(listed.out);
    ASSERT_EQ(all.names.size(), 27u);
    EXPECT_EQ(all.current, 0);
    for (const int index : {26, 4, 0}) {
        const std::string& name = all.names[static_cast<size_t>(index)];
        const std::string state = folder.path("state.bin");
        const RunResult run = runRenderer({"--program", name, "--list-programs", "--save-state", state, "--quiet", input,
                                           folder.path("out.wav")});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(programs(run.out).current, index) << name;
        EXPECT_EQ(chunkCurrentProgram(readBytes(state)), index) << name;
    }
}

TEST_F(Settings, ParametersAreSetAfterTheProgramWhateverTheirOrderOnTheLine) {
    const RunResult run = runRenderer({"--set", "Release=0.3", "--program", programs(runRenderer({"--list-programs"}).out).names[4],
                                       "--set", "l/r link=0.125", "--list-params"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(parameterValue(run.out, "Release"), "0.300000");
    EXPECT_EQ(parameterValue(run.out, "L/R Link"), "0.125000");
}

TEST_F(Settings, SavedStateRestoresTheSameSettingsAndTheSameSound) {
    const std::string first = folder.path("first.bin"), second = folder.path("second.bin");
    const std::string name = programs(runRenderer({"--list-programs"}).out).names[3];
    const RunResult saved = runRenderer({"--program", name, "--set", "Release=0.3", "--set", "Drive=0.75", "--save-state",
                                         first, "--quiet", input, folder.path("first.wav")});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const RunResult restored = runRenderer({"--state", first, "--save-state", second, "--list-params", "--list-programs",
                                            "--quiet", input, folder.path("second.wav")});
    ASSERT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(readBytes(first), readBytes(second));
    EXPECT_EQ(parameterValue(restored.out, "Release"), "0.300000");
    EXPECT_EQ(parameterValue(restored.out, "Drive"), "0.750000");
    EXPECT_EQ(programs(restored.out).current, 3);
    EXPECT_EQ(readSound(folder.path("first.wav")).samples, readSound(folder.path("second.wav")).samples);
}

TEST_F(Settings, StateCanBeEditedWithoutRendering) {
    const std::string state = folder.path("state.bin");
    ASSERT_EQ(runRenderer({"--set", "Release=0.3", "--save-state", state}).status, 0);
    ASSERT_EQ(runRenderer({"--state", state, "--set", "Drive=0.25", "--save-state", state}).status, 0);
    const RunResult run = runRenderer({"--state", state, "--list-params"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(parameterValue(run.out, "Release"), "0.300000");
    EXPECT_EQ(parameterValue(run.out, "Drive"), "0.250000");
}

}  // namespace
}  // namespace rendertest
