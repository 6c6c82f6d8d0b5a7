#include <gtest/gtest.h>

#include <cmath>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

// What is true of any brickwall limiter, checked on the demo programme (peaks at +6 dBFS).
class Limiting : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new ScratchFolder;
        ASSERT_EQ(runRenderer({"--demo", folder_->path("demo"), "--quiet"}).status, 0);
    }
    static void TearDownTestSuite() { delete folder_; }

    // Output levels of the demo rendered with this ceiling ("Output") and inter-sample detection.
    static std::map<std::string, std::optional<double>> render(const std::string& output, bool oversample) {
        const std::string json = folder_->path("report.json");
        const RunResult run = runRenderer({"--set", "Output=" + output, "--set", oversample ? "Oversample=0.75" : "Oversample=0.25",
                                           "--json", json, "--quiet", folder_->path("demo/demo-input.wav"),
                                           folder_->path("out.wav")});
        EXPECT_EQ(run.status, 0) << run.err;
        return reportLevels(readText(json), "output");
    }

    static ScratchFolder* folder_;
};

ScratchFolder* Limiting::folder_ = nullptr;

TEST_F(Limiting, NoSampleExceedsTheCeilingAndInterSampleDetectionLowersTheTruePeak) {
    // "Output" v sets the ceiling 2^(2(v - 1)).
    for (const double v : {0.5, 0.9}) {
        const double ceilingDb = 20.0 * std::log10(std::pow(2.0, 2.0 * (v - 1.0)));
        const auto plain = render(std::to_string(v), false);
        const auto detected = render(std::to_string(v), true);
        for (const auto* levels : {&plain, &detected}) {
            EXPECT_LE(*levels->at("sample_peak_dbfs"), ceilingDb + 1e-3) << "ceiling " << ceilingDb;
            EXPECT_GT(*levels->at("sample_peak_dbfs"), ceilingDb - 1.0) << "limited, not merely attenuated";
        }
        EXPECT_LT(*detected.at("true_peak_dbtp"), *plain.at("true_peak_dbtp") - 0.5);
        EXPECT_LT(*detected.at("true_peak_dbtp"), ceilingDb + 0.5);
    }
}

}  // namespace
}  // namespace rendertest
