#include "engine/CalibrationGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace orv {
namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kK12 = 0, kK14 = 1, kK20 = 2;

class CalibrationGeneratorTest : public ::testing::Test {
protected:
    CalibrationGeneratorTest() {
        meters.setCoefficient(1.0 - std::pow(0.01, 1000.0 / (600.0 * kRate)));
        restart();
    }

    void restart() {
        noise.reset();
        generator.reset();
        meters.reset();
    }

    // One block through both outputs (or only the left when right is false).
    void run(int32_t mode, int32_t scale, int frames, bool right = true) {
        left.assign(frames, -9.0);
        rightOut.assign(frames, -9.0);
        generator.process(left.data(), right ? rightOut.data() : nullptr, frames, mode, scale, meters);
    }

    float reading(int index) {
        float v[Meters::kValueCount];
        meters.read(v);
        return v[index];
    }

    static double rms(const std::vector<double>& x) {
        double sum = 0.0;
        for (double v : x) sum += v * v;
        return std::sqrt(sum / x.size());
    }

    NoiseGenerator noise;
    CalibrationGenerator generator{noise};
    Meters meters;
    std::vector<double> left, rightOut;
};

TEST_F(CalibrationGeneratorTest, FirstValuesFollowTheSeeds) {
    // Worked out from the generator's seeds and the eight-row pink scheme.
    const double expected[] = {-0.03221248151923224, 0.03616008856072956, 0.04211951441406548, 0.05179779347470904};
    run(CalibrationGenerator::kLeft, kK20, 4);
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(left[i], expected[i]) << i;
    restart();
    run(CalibrationGenerator::kLeft, kK20, 4);
    EXPECT_EQ(left[0], expected[0]);
}

TEST_F(CalibrationGeneratorTest, LeftAtK20IsMinus23DecibelsRmsAndReadsMinus20) {
    run(CalibrationGenerator::kLeft, kK20, 10 * 44100);
    for (double r : rightOut) ASSERT_EQ(r, 0.0);
    EXPECT_NEAR(rms(left), 0.1 / std::sqrt(2.0), 0.004);
    // input peak L R, output peak L R, input RMS L R, output RMS L R, gain reduction L R
    EXPECT_NEAR(reading(4), 0.1, 0.015);
    EXPECT_EQ(reading(4), reading(6)) << "the input meters show the generated signal";
    EXPECT_EQ(reading(0), reading(2));
    EXPECT_EQ(reading(5), 0.0f);
    EXPECT_EQ(reading(7), 0.0f);
    EXPECT_EQ(reading(3), 0.0f);
    EXPECT_EQ(reading(8), 1.0f);
}

TEST_F(CalibrationGeneratorTest, ScalesLiftTheSameNoiseToTheirReferenceLevel) {
    run(CalibrationGenerator::kLeft, kK20, 4096);
    const std::vector<double> k20 = left;
    for (auto [scale, factor] : {std::pair{kK14, 2.0}, std::pair{kK12, 2.5118864315}}) {
        restart();
        run(CalibrationGenerator::kLeft, scale, 4096);
        for (int i = 0; i < 4096; ++i) ASSERT_EQ(left[i], k20[i] * factor) << i;
    }
}

TEST_F(CalibrationGeneratorTest, RightModeRunsTheLeftGeneratorOnTheRight) {
    run(CalibrationGenerator::kLeft, kK20, 1000);
    const std::vector<double> fromLeft = left;
    restart();
    run(CalibrationGenerator::kRight, kK20, 1000);
    EXPECT_EQ(rightOut, fromLeft);
    for (double l : left) ASSERT_EQ(l, 0.0);
    EXPECT_EQ(reading(0), 0.0f);
    EXPECT_GT(reading(1), 0.0f);
}

TEST_F(CalibrationGeneratorTest, RightModeWithoutARightOutputWritesZerosToTheLeftOnly) {
    run(CalibrationGenerator::kRight, kK20, 512, false);
    for (double l : left) ASSERT_EQ(l, 0.0);
    for (double r : rightOut) ASSERT_EQ(r, -9.0);
}

TEST_F(CalibrationGeneratorTest, BothChannelsAreUncorrelatedNoiseOfEqualLevel) {
    run(CalibrationGenerator::kBothUncorrelated, kK14, 10 * 44100);
    const double l = rms(left), r = rms(rightOut);
    EXPECT_NEAR(l, 0.2 / std::sqrt(2.0), 0.008);
    EXPECT_NEAR(r / l, 1.0, 0.05);
    double cross = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i) cross += left[i] * rightOut[i];
    EXPECT_LT(std::fabs(cross / left.size()) / (l * r), 0.03);
    EXPECT_NEAR(reading(4), 0.2, 0.03);
    EXPECT_NEAR(reading(5), 0.2, 0.03);
}

// Pink: equal power per octave, so the power density falls 6 dB for every factor of four.
TEST_F(CalibrationGeneratorTest, SpectrumFallsThreeDecibelsPerOctave) {
    constexpr int kSegment = 1024;
    constexpr int kSegments = 400;
    run(CalibrationGenerator::kLeft, kK20, kSegment * kSegments);
    auto density = [&](int firstBin, int lastBin) {
        double power = 0.0;
        for (int s = 0; s < kSegments; ++s) {
            const double* x = left.data() + s * kSegment;
            for (int bin = firstBin; bin <= lastBin; ++bin) {
                std::complex<double> sum = 0.0;
                for (int n = 0; n < kSegment; ++n) {
                    const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * n / kSegment);
                    sum += window * x[n] * std::polar(1.0, -2.0 * kPi * bin * n / kSegment);
                }
                power += std::norm(sum);
            }
        }
        return power / (lastBin - firstBin + 1);
    };
    // Around 215 Hz, 860 Hz and 3.4 kHz.
    const double low = density(4, 6), mid = density(19, 21), high = density(79, 81);
    EXPECT_NEAR(10.0 * std::log10(low / mid), 6.0, 1.5);
    EXPECT_NEAR(10.0 * std::log10(mid / high), 6.0, 1.5);
}

TEST_F(CalibrationGeneratorTest, ReadOutStartsANewIntervalHereToo) {
    run(CalibrationGenerator::kLeft, kK20, 4410);
    const float peak = reading(2);
    EXPECT_GT(peak, 0.0f);
    run(CalibrationGenerator::kLeft, kK20, 1);
    EXPECT_EQ(reading(2), static_cast<float>(std::fabs(left[0])));
}

}  // namespace
}  // namespace orv
