#include "numbertext.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kestrava;

TEST(NumberText, IntegerTextIsPlainDecimal) {
    EXPECT_EQ(integerText(60), "60");
    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(-12), "-12");
    EXPECT_EQ(integerText(2147483647), "2147483647");
}

struct FloatTextRow {
    float value;
    const char* separator;
    const char* text;
};

class FloatText : public testing::TestWithParam<FloatTextRow> {};

TEST_P(FloatText, SevenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(floatText(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatText,
    testing::Values(FloatTextRow{4.0f, ".", "4"}, FloatTextRow{100.0f, ".", "100"},
                    FloatTextRow{2.5f, ".", "2.5"}, FloatTextRow{0.8f, ".", "0.8"},
                    FloatTextRow{95.2381f, ".", "95.2381"}, FloatTextRow{2.7211f, ".", "2.7211"},
                    FloatTextRow{2.7211f, ",", "2,7211"}, FloatTextRow{2000.0f, ".", "2000"},
                    FloatTextRow{0.0001f, ".", "0.0001"}, FloatTextRow{0.0f, ".", "0"},
                    FloatTextRow{1234.567f, ".", "1234.567"},
                    FloatTextRow{3.9867f, ".", "3.9867"}));

TEST(NumberText, ClockPatternHasTwoDecimals) {
    EXPECT_EQ(clockText(0.05, "."), "0.05");
    EXPECT_EQ(clockText(1.0, "."), "1.00");
    EXPECT_EQ(clockText(100.0, ","), "100,00");
    EXPECT_EQ(clockText(1000.0, "."), "1000.00"); // no grouping
}

TEST(NumberText, ParsesWithTheSameSeparatorOnly) {
    EXPECT_EQ(parseNumber("0", "."), 0.0);
    EXPECT_EQ(parseNumber("15.00", "."), 15.0);
    EXPECT_EQ(parseNumber("15,00", ","), 15.0);
    EXPECT_EQ(parseNumber("7,35", ","), 7.35);
    EXPECT_EQ(parseNumber("1000.00", "."), 1000.0);
    EXPECT_FALSE(parseNumber("", "."));
    EXPECT_FALSE(parseNumber("15,00", "."));
    EXPECT_FALSE(parseNumber("15.00", ","));
    EXPECT_FALSE(parseNumber("1x", "."));
    EXPECT_EQ(parseNumber("-1.5", "."), -1.5);
}

TEST(NumberText, RoundsTheExactBinaryValueWithTiesToEven) {
    EXPECT_EQ(roundToDecimals(0.03125, 4), 0.0312); // exact tie, down to even
    EXPECT_EQ(roundToDecimals(0.09375, 4), 0.0938); // exact tie, up to even
    EXPECT_EQ(roundToDecimals(2.5, 0), 2.0);
    EXPECT_EQ(roundToDecimals(3.5, 0), 4.0);
    // 0.15 is really 0.1499999999999999944..., so it is no tie and goes down.
    EXPECT_EQ(roundToDecimals(0.15, 1), 0.1);
    EXPECT_EQ(roundToDecimals(static_cast<double>(20.0f / 7.35f), 4), 2.7211);
    EXPECT_EQ(roundToDecimals(0.00004, 4), 0.0);
    EXPECT_TRUE(std::isinf(roundToDecimals(INFINITY, 4)));
}
