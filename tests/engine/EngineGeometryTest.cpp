#include "engine/EngineGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/RateCoefficients.h"

namespace orv {
namespace {

TEST(ValidatedRate, TruncatesAndReplacesRatesOutsideTheRange) {
    const struct {
        float rate;
        int32_t expected;
    } cases[] = {
        {44100.0f, 44100},   {44100.7f, 44100},   {44100.2f, 44100}, {79999.9f, 79999},  {80000.0f, 80000},
        {5000.0f, 5000},     {4999.99f, 44100},   {4999.0f, 44100},  {200000.0f, 200000}, {200000.9f, 200000},
        {200001.0f, 44100},  {0.0f, 44100},       {-48000.0f, 44100}, {3.0e9f, 44100},
        {std::numeric_limits<float>::quiet_NaN(), 44100},           {std::numeric_limits<float>::infinity(), 44100},
        {-std::numeric_limits<float>::infinity(), 44100},
    };
    for (const auto& c : cases) EXPECT_EQ(validatedRate(c.rate), c.expected) << "rate " << c.rate;
}

struct GeometryCase {
    int32_t rateHz;
    int32_t transShape;
    int32_t rateShift, lookAhead, shapeLength, envelopeDelay, interpolationMode, latency;
};

const GeometryCase kGeometryCases[] = {
    {44100, 0, 0, 128, 8, 114, 2, 159},    {44100, 1, 0, 128, 16, 98, 2, 159},
    {44100, 2, 0, 128, 64, 2, 2, 159},     {48000, 2, 0, 128, 64, 2, 2, 159},
    {48001, 0, 0, 128, 8, 114, 1, 159},    {79999, 1, 0, 128, 16, 98, 1, 159},
    {80000, 0, 1, 256, 16, 226, 1, 287},   {96000, 1, 1, 256, 32, 194, 1, 287},
    {96001, 2, 1, 256, 128, 2, 0, 287},    {169999, 2, 1, 256, 128, 2, 0, 287},
    {170000, 0, 2, 512, 32, 450, 0, 543},  {176400, 1, 2, 512, 64, 386, 0, 543},
    {176400, 2, 2, 512, 128, 258, 0, 543}, {200000, 2, 2, 512, 128, 258, 0, 543},
    {5000, 0, 0, 128, 8, 114, 2, 159},
};

void expectGeometry(const EngineGeometry& g, const GeometryCase& c) {
    EXPECT_EQ(g.rateHz, c.rateHz);
    EXPECT_EQ(g.rateShift, c.rateShift) << "rate " << c.rateHz;
    EXPECT_EQ(g.lookAhead, c.lookAhead) << "rate " << c.rateHz;
    EXPECT_EQ(g.shapeLength, c.shapeLength) << "rate " << c.rateHz << " shape " << c.transShape;
    EXPECT_EQ(g.envelopeDelay, c.envelopeDelay) << "rate " << c.rateHz << " shape " << c.transShape;
    EXPECT_EQ(g.interpolationMode, c.interpolationMode) << "rate " << c.rateHz;
    EXPECT_EQ(g.latency(), c.latency) << "rate " << c.rateHz;
}

TEST(EngineGeometry, FollowsRateAndTransShapeInEitherOrder) {
    for (const GeometryCase& c : kGeometryCases) {
        EngineGeometry rateFirst;
        rateFirst.setRate(c.rateHz);
        rateFirst.setTransShape(c.transShape);
        expectGeometry(rateFirst, c);
        EngineGeometry shapeFirst;
        shapeFirst.setTransShape(c.transShape);
        shapeFirst.setRate(c.rateHz);
        expectGeometry(shapeFirst, c);
    }
}

TEST(EngineGeometry, StartsAt44100SoftAndIgnoresUnknownShapes) {
    EngineGeometry g;
    expectGeometry(g, {44100, 2, 0, 128, 64, 2, 2, 159});
    g.setRate(192000);
    for (int32_t index : {-1, 3, 7}) {
        g.setTransShape(index);
        EXPECT_EQ(g.transShape, 2);
        EXPECT_EQ(g.shapeLength, 128);
        EXPECT_EQ(g.envelopeDelay, 258);
    }
    g.setRate(44100);  // back to the lowest class: the window shrinks with it
    EXPECT_EQ(g.shapeLength, 64);
    EXPECT_EQ(g.envelopeDelay, 2);
}

TEST(RateCoefficients, MatchTheirTimeConstants) {
    for (double fs : {44100.0, 96000.0, 192000.0}) {
        // The fade falls to 1/e in 10 ms.
        EXPECT_NEAR(std::pow(1.0 - autoblackCoefficient(fs), 0.010 * fs), std::exp(-1.0), 1e-9) << fs;
        // The mean square falls to 1 % in 600 ms.
        EXPECT_NEAR(std::pow(1.0 - meterCoefficient(fs), 0.600 * fs), 0.01, 1e-9) << fs;
    }
}

}  // namespace
}  // namespace orv
