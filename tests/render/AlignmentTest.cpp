#include <gtest/gtest.h>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

struct AlignmentCase {
    const char* plugin;
    int channels;
    int64_t frames;
    int64_t impulseAt;
    int blockSize;
    bool doublePrecision;
};

std::string describe(const testing::TestParamInfo<AlignmentCase>& info) {
    const AlignmentCase& c = info.param;
    return std::string(std::string(c.plugin) == ORV_PLUGIN_PATH ? "Ours" : "Delay") + (c.channels == 1 ? "Mono" : "Stereo") +
           "Frames" + std::to_string(c.frames) + "Block" + std::to_string(c.blockSize) + (c.doublePrecision ? "Double" : "Float");
}

class LatencyAlignment : public testing::TestWithParam<AlignmentCase> {
protected:
    ScratchFolder folder;
    std::string input = folder.path("in.wav"), output = folder.path("out.wav"), json = folder.path("report.json");

    RunResult render(bool compensate) {
        const AlignmentCase& c = GetParam();
        writeSound(input, impulse(c.channels, c.frames, c.impulseAt));
        std::vector<std::string> arguments = {"--plugin", c.plugin, "--block", std::to_string(c.blockSize), "--json", json};
        if (c.doublePrecision) arguments.push_back("--double");
        if (!compensate) arguments.push_back("--no-latency-compensation");
        arguments.insert(arguments.end(), {input, output});
        return runRenderer(arguments);
    }
};

TEST_P(LatencyAlignment, ImpulseComesOutWhereItWentIn) {
    const RunResult run = render(true);
    ASSERT_EQ(run.status, 0) << run.err;
    const Sound out = readSound(output);
    ASSERT_EQ(out.channels, 2) << "mono feeds both inputs and both outputs are written";
    ASSERT_EQ(out.frames(), GetParam().frames);
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(out.loudestFrame(channel), GetParam().impulseAt) << "channel " << channel;
        EXPECT_GT(std::abs(out.at(GetParam().impulseAt, channel)), 0.1);
    }
}

TEST_P(LatencyAlignment, WithoutCompensationTheDelayStaysAndTheLengthIsKept) {
    const AlignmentCase& c = GetParam();
    const RunResult run = render(false);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string report = readText(json);
    const auto latency = static_cast<int64_t>(reportNumber(report, "latency_samples"));
    EXPECT_GT(latency, 0);
    const Sound out = readSound(output);
    ASSERT_EQ(out.frames(), c.frames);
    if (c.impulseAt + latency < c.frames) {
        EXPECT_EQ(out.loudestFrame(0), c.impulseAt + latency);
    } else {
        // The impulse is still inside the plug-in when the input ends.
        EXPECT_LT(out.at(out.loudestFrame(0), 0), 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LatencyAlignment,
    testing::Values(AlignmentCase{ORV_PLUGIN_PATH, 2, 3000, 1234, 512, false},
                    AlignmentCase{ORV_PLUGIN_PATH, 2, 3000, 1234, 1, false},
                    AlignmentCase{ORV_PLUGIN_PATH, 2, 3000, 1234, 100, true},
                    AlignmentCase{ORV_PLUGIN_PATH, 2, 3000, 2999, 4096, false},
                    AlignmentCase{ORV_PLUGIN_PATH, 1, 3000, 0, 64, true},
                    AlignmentCase{ORV_PLUGIN_PATH, 2, 120, 60, 512, false},
                    AlignmentCase{ORV_DELAY_EFFECT_PATH, 2, 3000, 1234, 333, false},
                    AlignmentCase{ORV_DELAY_EFFECT_PATH, 1, 500, 499, 512, true}),
    describe);

// Through an exact delay, whatever the block size and file length, and whether the plug-in
// reports its latency at once or only after its first frame, the output is the input.
class ExactDelay : public testing::TestWithParam<const char*> {};

TEST_P(ExactDelay, GivesBackTheInputSampleForSample) {
    ScratchFolder folder;
    const std::string input = folder.path("in.wav"), output = folder.path("out.wav"), json = folder.path("r.json");
    for (const int channels : {1, 2}) {
        for (const int64_t frames : {int64_t{1}, int64_t{699}, int64_t{700}, int64_t{701}, int64_t{5000}}) {
            Sound in = sine(channels, frames, 997.0, 0.5);
            if (channels == 2)
                for (int64_t i = 0; i < frames; ++i) in.samples[static_cast<size_t>(2 * i + 1)] *= -0.25;
            writeSound(input, in);
            in = readSound(input);  // as stored: single precision
            const RunResult run = runRenderer({"--plugin", GetParam(), "--block", "256", "--json", json, input, output});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(reportNumber(readText(json), "latency_samples"), 700);
            const Sound out = readSound(output);
            ASSERT_EQ(out.frames(), frames);
            for (int64_t i = 0; i < frames; ++i)
                for (int c = 0; c < 2; ++c)
                    ASSERT_EQ(out.at(i, c), in.at(i, channels == 1 ? 0 : c)) << "frame " << i << " channel " << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Plugins, ExactDelay, testing::Values(ORV_DELAY_EFFECT_PATH, ORV_LATE_LATENCY_EFFECT_PATH));

}  // namespace
}  // namespace rendertest
