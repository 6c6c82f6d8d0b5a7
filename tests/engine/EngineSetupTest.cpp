// The engine's set-up calls: latency, clearing of signal history, and the delay of the audio.
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace orv {
namespace {

// The final clip, (|x + 1| - |x - 1|) / 2, rounds a sample to within 2^-53 of full scale.
constexpr double kClipRounding = 0x1p-53;

class EngineSetup : public ::testing::Test {
protected:
    void SetUp() override {
        engine = std::make_unique<Engine>();
        ASSERT_TRUE(engine->valid());
        engine->settings().powerOn = 0;  // bypass: the input delayed by the latency
    }

    std::vector<double> run(const std::vector<double>& in) {
        std::vector<double> outL(in.size()), outR(in.size());
        engine->process(in.data(), in.data(), outL.data(), outR.data(), static_cast<int32_t>(in.size()));
        return outL;
    }

    static std::vector<double> tone(size_t n) {
        std::vector<double> v(n);
        for (size_t i = 0; i < n; ++i) v[i] = 0.5 * std::sin(0.05 * static_cast<double>(i + 1));
        return v;
    }

    static bool silent(const std::vector<double>& v) {
        for (double x : v) {
            if (x != 0.0) return false;
        }
        return true;
    }

    std::unique_ptr<Engine> engine;
};

TEST_F(EngineSetup, AudioIsDelayedByTheLatencyOfEachRateClass) {
    for (float rate : {44100.0f, 96000.0f, 192000.0f, 48000.0f}) {
        engine->setSampleRate(rate);
        const int32_t latency = engine->latency();
        const std::vector<double> in = tone(3000);
        const std::vector<double> out = run(in);
        for (size_t i = 0; i < out.size(); ++i) {
            const double expected = i >= static_cast<size_t>(latency) ? in[i - latency] : 0.0;
            ASSERT_NEAR(out[i], expected, kClipRounding) << "rate " << rate << " sample " << i;
        }
    }
}

TEST_F(EngineSetup, SameRateStillClearsTheSignalHistory) {
    run(tone(1000));
    engine->setSampleRate(44100.7f);  // truncates to the rate already in use
    EXPECT_EQ(engine->geometry().rateHz, 44100);
    EXPECT_TRUE(silent(run(std::vector<double>(600, 0.0))));
}

TEST_F(EngineSetup, SuspendClearsTheSignalHistory) {
    run(tone(1000));
    engine->suspend();
    EXPECT_TRUE(silent(run(std::vector<double>(600, 0.0))));
}

TEST_F(EngineSetup, TransShapeClearsOnlyWhenTheIndexChanges) {
    run(tone(1000));
    engine->setTransShape(2);  // the index in use
    EXPECT_FALSE(silent(run(std::vector<double>(600, 0.0))));
    run(tone(1000));
    engine->setTransShape(0);
    EXPECT_EQ(engine->geometry().shapeLength, 8);
    EXPECT_EQ(engine->latency(), 159);
    EXPECT_TRUE(silent(run(std::vector<double>(600, 0.0))));
}

TEST_F(EngineSetup, RateChangeKeepsTheTransShapeChoice) {
    engine->setTransShape(1);
    engine->setSampleRate(176400.0f);
    EXPECT_EQ(engine->geometry().shapeLength, 64);
    EXPECT_EQ(engine->geometry().envelopeDelay, 386);
    EXPECT_EQ(engine->latency(), 543);
    engine->setSampleRate(std::nanf(""));
    EXPECT_EQ(engine->geometry().rateHz, 44100);
    EXPECT_EQ(engine->geometry().shapeLength, 16);
    EXPECT_EQ(engine->latency(), 159);
}

TEST_F(EngineSetup, SharedOutputBufferCarriesTheLeftResult) {
    const std::vector<double> left = tone(500);
    std::vector<double> right(500, -0.25), out(500);
    engine->process(left.data(), right.data(), out.data(), out.data(), 500);
    for (size_t i = 159; i < out.size(); ++i) ASSERT_NEAR(out[i], left[i - 159], kClipRounding) << i;
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

enum NoiseShape : int32_t { kOff = 0, kB = 2, kC = 3, kD = 4 };

class EngineNoiseShape : public ::testing::Test {
protected:
    void expectSelection(int32_t type, int rateIndex, int32_t taps) {
        const NoiseShapeBank& bank = engine.noiseShapes();
        EXPECT_EQ(bank.shapeSet(), bank.set(type, rateIndex));
        EXPECT_EQ(bank.shapeTaps(), taps);
    }
    Engine engine;
};

TEST_F(EngineNoiseShape, TypeAndRateMeetInEitherOrder) {
    engine.setNoiseShapeType(kC);
    engine.setSampleRate(176400.0f);
    expectSelection(kC, 4, 12);

    Engine other;
    other.setSampleRate(176400.0f);
    other.setNoiseShapeType(kC);
    EXPECT_EQ(other.noiseShapes().shapeSet(), other.noiseShapes().set(kC, 4));
}

TEST_F(EngineNoiseShape, OtherRatesKeepThePreviousSet) {
    engine.setSampleRate(32000.0f);
    engine.setNoiseShapeType(kB);
    expectSelection(kOff, 0, 12);

    engine.setSampleRate(44100.0f);
    engine.setNoiseShapeType(kD);
    engine.setSampleRate(32000.0f);
    expectSelection(kD, 0, 32);

    engine.setNoiseShapeType(kOff);
    expectSelection(kOff, 0, 12);
}

}  // namespace
}  // namespace orv
