// Requantisation through every noise-shaping type at every standard rate, at 16 and 8 bits:
// at full scale the error stays within what the feedback filter can make of rounding errors,
// and below 4 kHz it is quieter than without shaping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "QuantiserHost.h"
#include "dsp/NoiseShapeBank.h"

namespace orvtest {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kSegment = 1024;
constexpr float kRates[orv::NoiseShapeBank::kRates] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};

// Mean power per segment of x below maxHz, from Hann-windowed DFTs of kSegment samples.
class BandPower {
public:
    BandPower() : window_(kSegment), cos_(kSegment), sin_(kSegment) {
        for (size_t n = 0; n < kSegment; ++n) {
            window_[n] = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(n) / kSegment);
            cos_[n] = std::cos(2.0 * kPi * static_cast<double>(n) / kSegment);
            sin_[n] = std::sin(2.0 * kPi * static_cast<double>(n) / kSegment);
        }
    }

    double below(const std::vector<double>& x, double maxHz, double rate) const {
        const size_t lastBin = static_cast<size_t>(maxHz / rate * kSegment);
        std::vector<double> w(kSegment);
        double power = 0.0;
        size_t segments = 0;
        for (size_t start = 0; start + kSegment <= x.size(); start += kSegment, ++segments) {
            for (size_t n = 0; n < kSegment; ++n) w[n] = window_[n] * x[start + n];
            for (size_t bin = 1; bin <= lastBin; ++bin) {
                double re = 0.0, im = 0.0;
                for (size_t n = 0, k = 0; n < kSegment; ++n, k = (k + bin) % kSegment) {
                    re += w[n] * cos_[k];
                    im -= w[n] * sin_[k];
                }
                power += re * re + im * im;
            }
        }
        return power / static_cast<double>(segments);
    }

private:
    std::vector<double> window_, cos_, sin_;
};

struct Outcome {
    double lowBand;       // error power below 4 kHz
    double largestError;  // in steps, either channel
    double largestOutput;
};

class NoiseShaping : public ::testing::Test {
protected:
    // A 997 Hz sine of the given peak through the requantiser; the error is output minus input.
    Outcome requantise(int32_t bitsIndex, int32_t type, float rate, double peak) {
        EXPECT_TRUE(host.setUp({bitsIndex, type, false, rate}));
        const size_t length = static_cast<size_t>(rate) / 4;
        std::vector<double> in(length), outL, outR;
        for (size_t i = 0; i < length; ++i) in[i] = peak * std::sin(2.0 * kPi * 997.0 * static_cast<double>(i) / rate);
        host.runAligned(in, in, outL, outR);
        Outcome run{0.0, 0.0, 0.0};
        std::vector<double> error(length);
        const double steps = QuantiserHost::steps(bitsIndex);
        for (size_t i = 0; i < length; ++i) {
            error[i] = outL[i] - in[i];
            // Each channel has its own dither and error history; both must stay bounded.
            const double errorR = outR[i] - in[i];
            run.largestError = std::max({run.largestError, std::fabs(error[i]) * steps, std::fabs(errorR) * steps});
            run.largestOutput = std::max({run.largestOutput, std::fabs(outL[i]), std::fabs(outR[i])});
        }
        run.lowBand = band.below(error, 4000.0, rate);
        return run;
    }

    QuantiserHost host;
    BandPower band;
    orv::NoiseShapeBank bank;
};

// Every stored error is a rounding error of at most 1.5 steps (dither included), and the
// filter adds at most sum |c[j]| of them: that bounds the output error at full scale, where
// the final clip can only make it smaller. A full-scale sine leaves the shaped noise no room,
// and what the clip cuts off is not shaped, so the spectrum is checked on the loudest sine the
// bound keeps clear of the clip.
TEST_F(NoiseShaping, EveryTypeAtEveryRateStaysBoundedAndQuietsTheLowBand) {
    ASSERT_TRUE(bank.valid());
    for (int32_t bitsIndex : {2, 0}) {
        const double steps = QuantiserHost::steps(bitsIndex);
        for (int rateIndex = 0; rateIndex < orv::NoiseShapeBank::kRates; ++rateIndex) {
            const float rate = kRates[rateIndex];
            const Outcome plain = requantise(bitsIndex, 0, rate, 1.0 - 1.5 / steps);
            EXPECT_LE(plain.largestError, 1.5);
            for (int32_t type = 1; type <= orv::NoiseShapeBank::kTypes; ++type) {
                SCOPED_TRACE(testing::Message() << (bitsIndex == 2 ? 16 : 8) << " bits, " << rate << " Hz, type "
                                                << static_cast<char>('A' + type - 1));
                const double* c = bank.set(type, rateIndex);
                double bound = 1.0;
                for (int j = 0; j < orv::NoiseShapeBank::tapCount(type); ++j) bound += std::fabs(c[j]);
                bound *= 1.5;

                const Outcome fullScale = requantise(bitsIndex, type, rate, 1.0);
                EXPECT_LE(fullScale.largestError, bound);
                EXPECT_LE(fullScale.largestOutput, 1.0);

                const Outcome clear = requantise(bitsIndex, type, rate, 1.0 - bound / steps);
                EXPECT_LT(clear.largestOutput, 1.0);
                EXPECT_LT(10.0 * std::log10(clear.lowBand / plain.lowBand), -2.0);
            }
        }
    }
}

}  // namespace
}  // namespace orvtest
