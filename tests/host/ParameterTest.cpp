// The 26 parameters as a host sees them: names, labels, displays, step metadata, automation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/VstHost.h"

using orvtest::TestHost;

namespace {

class Parameters : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.open()); }
    TestHost host;
};

TEST_F(Parameters, NamesAndLabels) {
    const char* names[26] = {"Output",   "Drive",    "Transient", "Release",   "TransShape", "L/R Link", "Oversample",
                             "DetectorOrder", "Power", "Scale",   "Bits",      "NoiseShape", "Calibrate", "Leveller",
                             "MeterOvs", "AutoOut",  "Quantize",  "Autoblack", "MeterType",  "AttZoom",  "AttShow",
                             "PostMeter", "dummy",   "dummy",     "dummy",     "resvd-vid"};
    for (int32_t i = 0; i < 26; ++i) EXPECT_EQ(host.parameterName(i), names[i]) << i;
    for (int32_t i : {0, 1, 13}) EXPECT_EQ(host.parameterLabel(i), "dB") << i;
    for (int32_t i : {2, 3}) EXPECT_EQ(host.parameterLabel(i), "ms") << i;
    for (int32_t i = 4; i < 26; ++i) {
        if (i != 13) EXPECT_EQ(host.parameterLabel(i), "<untouched>") << i;
    }
    for (int32_t i : {-1, 26, 1000}) {
        EXPECT_EQ(host.parameterName(i), "<untouched>");
        EXPECT_EQ(host.parameterLabel(i), "<untouched>");
        EXPECT_EQ(host.parameterDisplay(i), "<untouched>");
    }
}

struct DisplayCase {
    int32_t index;
    float value;
    const char* text;
};

TEST_F(Parameters, DisplaysFollowTheStoredValue) {
    const DisplayCase cases[] = {
        {1, 0.5f, "0.000000"},  {0, 0.0f, "-12.0411"},  {0, 1.0f, "0.000000"},   {13, 0.5f, "-6.02059"},
        {3, 0.5f, "50.00000"},  {3, 0.0f, "1.000000"},  {3, 1.0f, "1000.000"},   {5, 1.0f, "100.0000"},
        {2, 1.0f, "0.500000"},  {2, 0.0f, "0.000000"},  {1, 1.0f, "24.08239"},   {1, 0.0f, "-24.0823"},
        {4, 0.1f, "hard"},      {4, 0.5f, "med"},       {4, 1.0f, "soft"},       {6, 0.25f, "off"},
        {6, 0.75f, "on"},       {7, 0.75f, "II"},       {7, 0.0f, "I"},          {8, 0.0f, "off"},
        {9, 0.165f, "K-12"},    {9, 0.5f, "K-14"},      {9, 0.825f, "K-20"},     {10, 0.0f, "8"},
        {10, 0.3f, "12"},       {10, 0.5f, "16"},       {10, 0.7f, "20"},        {10, 1.0f, "24"},
        {11, 0.0f, "off"},      {11, 0.212f, "type A"}, {11, 0.354f, "type B"},  {11, 0.497f, "type C"},
        {11, 0.7f, "type D"},   {11, 0.8f, "type E"},   {11, 1.0f, "type F"},    {12, 0.0f, "off"},
        {12, 0.3f, "left"},     {12, 0.6f, "l+r uncor"}, {12, 0.9f, "right"},    {18, 0.25f, "peak"},
        {18, 0.75f, "k-system"}, {19, 0.25f, "24dB"},   {19, 0.75f, "12dB"},     {20, 0.6875f, "1L"},
        {20, 0.0625f, ""},      {20, 0.9375f, "12L"},   {20, 0.3125f, "2"},      {21, 0.25f, "pre"},
        {21, 0.75f, "post"},    {14, 1.0f, "on"},       {15, 0.0f, "off"},       {16, 0.75f, "on"},
        {17, 0.75f, "on"},
        // Outside 0..1 the texts stay inside their tables.
        {11, -3.0f, "off"},     {11, 7.5f, "type F"},   {20, -1.0f, ""},         {10, 99.0f, "24"},
    };
    for (const DisplayCase& c : cases) {
        host.setParameter(c.index, c.value);
        EXPECT_EQ(host.parameterDisplay(c.index), c.text) << "index " << c.index << " value " << c.value;
    }
    for (int32_t i = 22; i < 26; ++i) EXPECT_EQ(host.parameterDisplay(i), "<untouched>") << i;
}

TEST_F(Parameters, GetParameterReturnsWhatWasSet) {
    for (int32_t i = 0; i < 22; ++i) {
        if (i == 4) continue;  // TransShape resizes the engine; covered elsewhere
        const float v = 0.01f + 0.045f * static_cast<float>(i);
        host.setParameter(i, v);
        EXPECT_EQ(host.getParameter(i), v) << i;
    }
    host.setParameter(22, 0.3f);
    EXPECT_EQ(host.getParameter(22), 0.3f);
    EXPECT_EQ(host.getParameter(25), 0.025f);
    host.setParameter(25, 0.9f);
    EXPECT_EQ(host.getParameter(25), 0.025f);
    EXPECT_EQ(host.getParameter(26), -1.0f);
    EXPECT_EQ(host.getParameter(-5), -1.0f);
    // Out of range values are kept as they came (not clamped).
    host.setParameter(1, 1.5f);
    EXPECT_EQ(host.getParameter(1), 1.5f);
}

TEST_F(Parameters, NonFiniteValuesAreIgnored) {
    host.setParameter(1, 0.7f);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()}) {
        for (int32_t i = 0; i < 30; ++i) host.setParameter(i, bad);
        EXPECT_EQ(host.getParameter(1), 0.7f);
    }
    EXPECT_EQ(host.parameterDisplay(11), "off");
}

TEST_F(Parameters, ConstructionAppliesProgramZero) {
    const float defaults[22] = {1, 0.5f, 0.2f, 0.7237f, 0.166667f, 1, 0, 0, 1, 0.165f, 1,
                                0, 0, 1, 0, 0, 0.25f, 0, 0.25f, 0, 0.9375f, 0};
    for (int32_t i = 0; i < 22; ++i) EXPECT_EQ(host.getParameter(i), defaults[i]) << i;
    EXPECT_EQ(host.parameterDisplay(3), "199.9867");  // 0.7237 is "about 200 ms"
    EXPECT_EQ(host.parameterDisplay(4), "hard");
}

struct PropertyCase {
    int32_t index;
    int32_t flags;
    float step, small, large;
};

TEST_F(Parameters, StepMetadata) {
    const int32_t f = kVstParameterUsesFloatStep;
    const int32_t s = kVstParameterIsSwitch | kVstParameterUsesFloatStep;
    const PropertyCase cases[] = {
        {0, f, 0.041666668f, 0.004166667f, 0.041666668f}, {13, f, 0.041666668f, 0.004166667f, 0.041666668f},
        {1, f, 0.010416667f, 0.0010416667f, 0.010416667f}, {2, f, 5, 5, 5}, {3, f, 5, 5, 5}, {5, f, 5, 5, 5},
        {4, f, 0.5f, 0.5f, 0.5f}, {9, f, 0.5f, 0.5f, 0.5f}, {10, f, 0.25f, 0.25f, 0.25f},
        {11, f, 0.16666667f, 0.16666667f, 0.16666667f}, {12, f, 3.3333333f, 3.3333333f, 3.3333333f},
        {20, f, 1.4285715f, 1.4285715f, 1.4285715f},
        {6, s, 1, 1, 1}, {7, s, 1, 1, 1}, {8, s, 1, 1, 1}, {14, s, 1, 1, 1}, {15, s, 1, 1, 1},
        {16, s, 1, 1, 1}, {17, s, 1, 1, 1}, {18, s, 1, 1, 1}, {19, s, 1, 1, 1}, {21, s, 1, 1, 1},
    };
    for (const PropertyCase& c : cases) {
        VstParameterProperties p{};
        ASSERT_EQ(host.dispatch(effGetParameterProperties, c.index, 0, &p), 1) << c.index;
        EXPECT_EQ(p.flags, c.flags) << c.index;
        EXPECT_EQ(p.stepFloat, c.step) << c.index;
        EXPECT_EQ(p.smallStepFloat, c.small) << c.index;
        EXPECT_EQ(p.largeStepFloat, c.large) << c.index;
        const std::string name = host.parameterName(c.index);
        EXPECT_EQ(std::string(p.label), name);
        EXPECT_EQ(std::string(p.shortLabel), name.substr(0, 7));
    }
    VstParameterProperties version{};
    ASSERT_EQ(host.dispatch(effGetParameterProperties, 25, 0, &version), 1);
    EXPECT_EQ(version.stepFloat, 0.0001f);
    EXPECT_EQ(version.label[0], 0);
    for (int32_t i : {22, 23, 24, 26, -1, 500}) {
        VstParameterProperties p{};
        EXPECT_EQ(host.dispatch(effGetParameterProperties, i, 0, &p), 0) << i;
    }
}

TEST_F(Parameters, LayoutVersionZeroMigratesTheBitsChoice) {
    host.setParameter(10, 0.625f);  // stepValue(2, 4): the second depth of the oldest layout
    host.setParameter(25, 0.0f);
    EXPECT_EQ(host.getParameter(16), 0.75f);   // Quantize on
    EXPECT_EQ(host.getParameter(10), 0.5f);    // stepValue(2, 5): 16 bits
    EXPECT_EQ(host.parameterDisplay(10), "16");
    EXPECT_EQ(host.getParameter(17), 0.25f);   // Autoblack off
    EXPECT_EQ(host.getParameter(20), 0.9375f);
    EXPECT_EQ(host.getParameter(25), 0.025f);
}

TEST_F(Parameters, LayoutVersionOneMigratesDepthAndNoiseShape) {
    host.setParameter(10, 0.8333333f);  // third of three depths: 24 bits
    host.setParameter(11, 0.375f);      // second of four shapes: type A
    host.setParameter(25, 0.015f);
    EXPECT_EQ(host.parameterDisplay(10), "24");
    EXPECT_EQ(host.parameterDisplay(11), "type A");
    // Current-layout sets are left alone.
    host.setParameter(25, 0.025f);
    EXPECT_EQ(host.parameterDisplay(10), "24");
    EXPECT_EQ(host.parameterDisplay(11), "type A");
}

}  // namespace
