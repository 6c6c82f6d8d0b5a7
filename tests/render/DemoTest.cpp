#include <gtest/gtest.h>

#include <cmath>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

TEST(Demo, WritesTheProgrammeAndItsRenderingSideBySide) {
    ScratchFolder folder;
    const std::string demo = folder.path("demo");
    const std::string json = folder.path("demo.json");
    const RunResult run = runRenderer({"--demo", demo, "--json", json});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("loudness"), std::string::npos) << "the report is printed";

    const Sound in = readSound(demo + "/demo-input.wav");
    const Sound out = readSound(demo + "/demo-output.wav");
    EXPECT_EQ(in.channels, 2);
    EXPECT_GE(in.frames(), 3 * in.sampleRate) << "a few seconds";
    EXPECT_EQ(out.frames(), in.frames());
    EXPECT_EQ(out.sampleRate, in.sampleRate);

    const auto levels = reportLevels(readText(json), "input");
    EXPECT_NEAR(*levels.at("sample_peak_dbfs"), 20.0 * std::log10(2.0), 1e-3) << "+6 dBFS, loud enough to need limiting";
    EXPECT_GT(*levels.at("integrated_lufs"), -14.0);
}

TEST(Demo, IsTheSameOnEveryRun) {
    ScratchFolder folder;
    ASSERT_EQ(runRenderer({"--demo", folder.path("a"), "--quiet"}).status, 0);
    ASSERT_EQ(runRenderer({"--demo", folder.path("b"), "--quiet"}).status, 0);
    EXPECT_EQ(readBytes(folder.path("a/demo-input.wav")), readBytes(folder.path("b/demo-input.wav")));
    EXPECT_EQ(readBytes(folder.path("a/demo-output.wav")), readBytes(folder.path("b/demo-output.wav")));
}

}  // namespace
}  // namespace rendertest
