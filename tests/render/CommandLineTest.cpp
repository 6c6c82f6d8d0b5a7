#include <gtest/gtest.h>

#include "host/CommandLine.h"
#include "host/RenderError.h"

namespace orvrender {
namespace {

TEST(CommandLine, ReadsEveryOptionInBothSpellings) {
    const RenderOptions o = parseCommandLine({"--plugin", "x.so", "--block=64", "--double", "--format", "pcm24",
                                              "--no-latency-compensation", "--program", "Limiter Hard", "--set",
                                              "L/R Link=0.25", "--set=Drive=1", "--state", "a.bin", "--save-state",
                                              "b.bin", "--json", "r.json", "--quiet", "in.wav", "out.flac"});
    EXPECT_EQ(o.pluginPath, "x.so");
    EXPECT_EQ(o.blockSize, 64);
    EXPECT_TRUE(o.doublePrecision);
    EXPECT_EQ(o.format, SampleFormat::Pcm24);
    EXPECT_FALSE(o.compensateLatency);
    EXPECT_EQ(o.program, "Limiter Hard");
    ASSERT_EQ(o.assignments.size(), 2u);
    EXPECT_EQ(o.assignments[0].name, "L/R Link");
    EXPECT_FLOAT_EQ(o.assignments[0].value, 0.25f);
    EXPECT_EQ(o.assignments[1].name, "Drive");
    EXPECT_FLOAT_EQ(o.assignments[1].value, 1.0f);
    EXPECT_EQ(o.stateFile, "a.bin");
    EXPECT_EQ(o.saveStateFile, "b.bin");
    EXPECT_EQ(o.jsonFile, "r.json");
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.input, "in.wav");
    EXPECT_EQ(o.output, "out.flac");
}

TEST(CommandLine, DefaultsAndOptionalPositionals) {
    const RenderOptions plain = parseCommandLine({"in.wav", "out.wav"});
    EXPECT_EQ(plain.blockSize, 512);
    EXPECT_FALSE(plain.doublePrecision);
    EXPECT_FALSE(plain.format.has_value());
    EXPECT_TRUE(plain.compensateLatency);
    EXPECT_TRUE(plain.pluginPath.empty());

    EXPECT_EQ(parseCommandLine({"--demo"}).demoFolder, ".");
    EXPECT_EQ(parseCommandLine({"--demo", "build/demo"}).demoFolder, "build/demo");
    EXPECT_FALSE(parseCommandLine({"--list-params"}).rendersAudio());
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"-h"}).help);
    EXPECT_EQ(parseCommandLine({"--", "-odd.wav", "out.wav"}).input, "-odd.wav");
}

struct BadLine {
    std::vector<std::string> arguments;
    const char* message;
};

class CommandLineMistake : public testing::TestWithParam<BadLine> {};

TEST_P(CommandLineMistake, IsAUsageErrorNamingTheProblem) {
    try {
        parseCommandLine(GetParam().arguments);
        FAIL() << "accepted";
    } catch (const UsageError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos) << error.what();
        EXPECT_EQ(error.exitStatus(), kExitUsage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineMistake,
    testing::Values(BadLine{{}, "missing INPUT and OUTPUT"}, BadLine{{"in.wav"}, "missing OUTPUT"},
                    BadLine{{"a", "b", "c"}, "too many arguments"}, BadLine{{"--frobnicate", "a", "b"}, "unknown option"},
                    BadLine{{"a", "b", "--block"}, "needs a value"}, BadLine{{"--block", "0", "a", "b"}, "--block"},
                    BadLine{{"--block", "65537", "a", "b"}, "--block"}, BadLine{{"--block", "12x", "a", "b"}, "--block"},
                    BadLine{{"--format", "mp3", "a", "b"}, "--format"}, BadLine{{"--set", "Drive", "a", "b"}, "NAME=VALUE"},
                    BadLine{{"--set", "=0.5", "a", "b"}, "NAME=VALUE"}, BadLine{{"--set", "Drive=1.5", "a", "b"}, "outside 0..1"},
                    BadLine{{"--set", "Drive=-0.01", "a", "b"}, "outside 0..1"}, BadLine{{"--set", "Drive=nan", "a", "b"}, "needs a number"},
                    BadLine{{"--set", "Drive=half", "a", "b"}, "needs a number"}, BadLine{{"--set", "Drive=", "a", "b"}, "needs a number"},
                    BadLine{{"--quiet=yes", "a", "b"}, "takes no value"}, BadLine{{"--demo", "x", "y"}, "at most one FOLDER"}));

}  // namespace
}  // namespace orvrender
