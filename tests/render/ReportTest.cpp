#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

// A figure the signal fixes; nullopt: the report must say null; kAnyLevel: not checked.
struct Expected {
    std::optional<double> samplePeak;
    std::optional<double> loudness;
};

const double kAnyLevel = std::nan("");

struct KnownSignal {
    const char* name;
    Sound sound;
    Expected input;
};

class ReportFigures : public testing::TestWithParam<KnownSignal> {
protected:
    ScratchFolder folder;
    std::string input = folder.path("in.wav"), output = folder.path("out.wav"), json = folder.path("report.json");
};

void expectLevel(const std::optional<double>& reported, const std::optional<double>& expected, double tolerance,
                 const char* what) {
    if (expected && std::isnan(*expected)) return;
    ASSERT_EQ(reported.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_NEAR(*reported, *expected, tolerance) << what;
    }
}

double peakDb(const Sound& sound) {
    double peak = 0.0;
    for (const double s : sound.samples) peak = std::max(peak, std::abs(s));
    return 20.0 * std::log10(peak);
}

TEST_P(ReportFigures, InputFiguresMatchTheSignalAndOutputFiguresMatchTheFile) {
    const KnownSignal& signal = GetParam();
    writeSound(input, signal.sound);
    const RunResult run = runRenderer({"--json", json, input, output});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string report = readText(json);

    EXPECT_NEAR(reportNumber(report, "duration_seconds"), static_cast<double>(signal.sound.frames()) / signal.sound.sampleRate, 1e-6);
    EXPECT_EQ(reportNumber(report, "sample_rate"), signal.sound.sampleRate);
    EXPECT_GT(reportNumber(report, "realtime_factor"), 0.0);

    const auto in = reportLevels(report, "input");
    expectLevel(in.at("sample_peak_dbfs"), signal.input.samplePeak, 1e-4, "input sample peak");
    expectLevel(in.at("integrated_lufs"), signal.input.loudness, 0.1, "input loudness");
    if (signal.input.samplePeak) {
        EXPECT_GE(*in.at("true_peak_dbtp"), *in.at("sample_peak_dbfs") - 1e-6);
        EXPECT_LT(*in.at("true_peak_dbtp"), *in.at("sample_peak_dbfs") + 0.7) << "a sine has no large inter-sample peak";
    } else {
        EXPECT_FALSE(in.at("true_peak_dbtp").has_value());
    }

    const auto out = reportLevels(report, "output");
    const Sound written = readSound(output);
    if (out.at("sample_peak_dbfs")) {
        EXPECT_NEAR(*out.at("sample_peak_dbfs"), peakDb(written), 1e-4);
        EXPECT_GE(*out.at("true_peak_dbtp"), *out.at("sample_peak_dbfs") - 1e-6);
    } else {
        EXPECT_TRUE(std::all_of(written.samples.begin(), written.samples.end(), [](double s) { return s == 0.0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportFigures,
    testing::Values(
        // 441 Hz at 44.1 kHz lands exactly on its crests: the sample peak is full scale.
        KnownSignal{"FullScaleSine", sine(2, 44100, 441.0, 1.0), {0.0, kAnyLevel}},
        // A stereo 997 Hz sine reads its level in LUFS (BS.1770 calibration), here at 48 kHz.
        KnownSignal{"SineAtMinus20", sine(2, 3 * 48000, 997.0, 0.1, 48000), {-20.0, -20.0}},
        KnownSignal{"MonoFeedsBothChannels", sine(1, 3 * 44100, 997.0, 0.1), {-20.0, -20.0}},
        KnownSignal{"Silence", silence(2, 44100), {std::nullopt, std::nullopt}}),
    [](const testing::TestParamInfo<KnownSignal>& info) { return std::string(info.param.name); });

TEST(Report, TextGoesToStandardErrorUnlessQuiet) {
    ScratchFolder folder;
    const std::string input = folder.path("in.wav"), output = folder.path("out.wav");
    writeSound(input, sine(2, 4410, 997.0, 0.5));
    const RunResult loud = runRenderer({input, output});
    ASSERT_EQ(loud.status, 0) << loud.err;
    for (const char* line : {"sample peak", "true peak", "loudness", "latency", "x realtime"})
        EXPECT_NE(loud.err.find(line), std::string::npos) << line << " in\n" << loud.err;
    EXPECT_EQ(loud.err.find('\r'), std::string::npos) << "no progress bar when standard error is not a terminal";
    EXPECT_TRUE(loud.out.empty());

    const RunResult quiet = runRenderer({"--quiet", input, output});
    ASSERT_EQ(quiet.status, 0);
    EXPECT_TRUE(quiet.err.empty()) << quiet.err;
}

TEST(Report, LatencyIsTheEffectsInitialDelay) {
    ScratchFolder folder;
    const std::string input = folder.path("in.wav"), json = folder.path("r.json");
    writeSound(input, sine(2, 1000, 997.0, 0.5));
    ASSERT_EQ(runRenderer({"--plugin", ORV_DELAY_EFFECT_PATH, "--json", json, input, folder.path("out.wav")}).status, 0);
    EXPECT_EQ(reportNumber(readText(json), "latency_samples"), 700);
}

}  // namespace
}  // namespace rendertest
