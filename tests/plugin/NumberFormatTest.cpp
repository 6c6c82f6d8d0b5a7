#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "plugin/base/NumberFormat.h"

namespace {

struct FormatCase {
    float value;
    const char* text;
};

std::string formatted(void (*format)(float, char*, int), float value, int maxLen = 12) {
    char text[64];
    std::memset(text, 'x', sizeof(text));
    format(value, text, maxLen);
    return text;
}

TEST(Float2String, EightPositionsDigitsCut) {
    const FormatCase cases[] = {
        {0.0f, "0.000000"},      {0.125f, "0.125000"},   {100.0f, "100.0000"},  {-6.0206f, "-6.02059"},
        {-0.5f, "-0.50000"},     {1.0f, "1.000000"},     {1000.0f, "1000.000"}, {50.0f, "50.00000"},
        {1234567.0f, "1234567."}, {-999999.0f, "-999999."}, {1e9f, "Huge!"},
        {-1e7f, "Huge!"},        {-12.041199f, "-12.0411"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(formatted(orv::float2string, c.value), c.text) << c.value;
}

TEST(Float2String, LimitsAreStrict) {
    EXPECT_EQ(formatted(orv::float2string, 99999999.0f), "Huge!");  // rounds to 1e8 in float
    EXPECT_EQ(formatted(orv::float2string, 9999999.0f), "9999999.");
    EXPECT_EQ(formatted(orv::float2string, -9999999.0f), "-999999.");  // six digits fit beside the sign
    EXPECT_EQ(formatted(orv::float2string, -10000000.0f), "Huge!");
}

TEST(Float2String, NonFiniteIsAWordNotUndefinedBehaviour) {
    EXPECT_EQ(formatted(orv::float2string, std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(formatted(orv::float2string, -std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(formatted(orv::float2string, std::numeric_limits<float>::quiet_NaN()), "Huge!");
}

TEST(Float2String, CutToMaxLenAndTerminated) {
    EXPECT_EQ(formatted(orv::float2string, 0.125f, 4), "0.12");
    EXPECT_EQ(formatted(orv::float2string, -6.0206f, 2), "-6");
    EXPECT_EQ(formatted(orv::float2string, 1e9f, 3), "Hug");
    char text[4] = {'a', 'b', 'c', 'd'};
    orv::float2string(1.0f, text, 0);  // nothing may be written
    EXPECT_EQ(text[0], 'a');
    orv::float2string(1.0f, nullptr, 12);
}

TEST(DB2String, DecibelsOfAmplitude) {
    const FormatCase cases[] = {
        {0.0f, "-oo"},       {-1.0f, "-oo"},     {0.5f, "-6.02059"}, {1.0f, "0.000000"},
        {0.25f, "-12.0411"}, {16.0f, "24.08239"}, {2.0f, "6.020599"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(formatted(orv::dB2string, c.value), c.text) << c.value;
    EXPECT_EQ(formatted(orv::dB2string, std::numeric_limits<float>::quiet_NaN()), "Huge!");
}

}  // namespace
