// Number text of the window's fields.
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace flexara {
namespace {

TEST(NumberText, FormatsTheShortestGeneralFormWithAComma)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {30, "30"},
        {12.5, "12,5"},
        {1.4, "1,4"},
        {-150, "-150"},
        {0, "0"},
        {-0.0, "0"},
        {0.85, "0,85"},
        {30.0 / 14, "2,14285714285714"},
        {1e20, "1E20"},
        {1.5e-7, "1,5E-7"},
        {123456789012345, "123456789012345"},
        {0.1 + 0.2, "0,3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatGeneral(c.value), c.text);
    }
}

TEST(NumberText, ParsesBrazilianDecimalsOnly)
{
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"2,5", true, 2.5},     {"-150", true, -150},     {"+3", true, 3},       {",5", true, 0.5},   {"5,", true, 5},
        {" 12,5 ", true, 12.5}, {"1,5E-7", true, 1.5e-7}, {"2e3", true, 2000},   {"2.5", false, 0},   {"", false, 0},
        {" ", false, 0},        {"abc", false, 0},        {"1.000,5", false, 0}, {"1,2,3", false, 0}, {",", false, 0},
        {"-", false, 0},        {"1e", false, 0},         {"1e400", false, 0},   {"inf", false, 0},   {"nan", false, 0},
        {"0x10", false, 0},     {"12,5x", false, 0},      {"1e-400", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -99;
        EXPECT_EQ(ParseReal(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(NumberText, ParsesDecimalIntegersWithinRange)
{
    const struct {
        const char* text;
        bool ok;
        std::int32_t value;
    } cases[] = {
        {"3", true, 3},
        {"-3", true, -3},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2,5", false, 0},
        {"2147483648", false, 0},
        {"", false, 0},
        {"$10", false, 0},
        {"1e2", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t value = -99;
        EXPECT_EQ(ParseInteger(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(NumberText, FifteenDigitTextReadsBackToTheSameDouble)
{
    // Values written with at most 15 significant digits survive a field.
    for (double v : {1.23456789012345e-3, 98765.4321, -0.000123, 4.0 / 3.0, 1e300}) {
        SCOPED_TRACE(v);
        const double once = ThroughFieldText(v);
        EXPECT_EQ(ThroughFieldText(once), once);
        EXPECT_NEAR(once, v, std::fabs(v) * 1e-14);
    }
}

TEST(NumberText, ExtremeValuesSurviveAField)
{
    // The 15-digit text of the largest double is beyond it ("1,79769313486232E308"):
    // it must still read back, as the largest double.
    const double max = std::numeric_limits<double>::max();
    const double cases[] = {max,
                            -max,
                            std::numeric_limits<double>::min(),
                            -std::numeric_limits<double>::min(),
                            std::numeric_limits<double>::denorm_min(),
                            -0.0,
                            1.7e308};
    for (double v : cases) {
        SCOPED_TRACE(FormatGeneral(v));
        double reread = -1;
        ASSERT_TRUE(ParseReal(FormatGeneral(v), reread));
        EXPECT_EQ(ThroughFieldText(reread), reread);
        EXPECT_NEAR(reread, v, std::fabs(v) * 1e-14);
    }
    EXPECT_EQ(ThroughFieldText(max), max);
    EXPECT_EQ(ThroughFieldText(-max), -max);
    // One more unit in the 15th digit is beyond every double.
    double value = 0;
    EXPECT_FALSE(ParseReal("1,79769313486233E308", value));
    EXPECT_FALSE(ParseReal("-1,8E308", value));
    EXPECT_TRUE(ParseReal("1,79769313486232E308", value));
    EXPECT_EQ(value, max);
}

// A number at a count of decimals, rounded half up: as the batch tool writes
// it (FixedHalfUp), and as the column's messages do, with a decimal comma
// below a million and two significant digits and a three-digit exponent from
// there on.
TEST(NumberText, DecimalsRoundHalfUp)
{
    using Writer = std::string (*)(double, int);
    const Writer fixed = [](double value, int decimals) { return FixedHalfUp(value, decimals); };
    const Writer message = [](double value, int decimals) {
        return DecimalCommaText(value, decimals, MessageEngineeringFrom);
    };
    const struct {
        Writer write;
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {fixed, 1.125, 2, "1.13"}, // an exact tie rounds up, where printf rounds it to even
        {fixed, 1.5708, 2, "1.57"},
        {fixed, 0.005, 2, "0.01"}, // 0.005 is a little above the tie as a double
        {fixed, 0.0049999, 2, "0.00"},
        {fixed, 9.995, 2, "9.99"}, // 9.995 is a little below the tie as a double
        {fixed, 99.999, 2, "100.00"},
        {fixed, 12.5, 2, "12.50"},
        {fixed, 0, 2, "0.00"},
        {fixed, -1.125, 2, "-1.13"},
        {fixed, 2.5, 0, "3"},
        {fixed, 1e20, 2, "100000000000000000000.00"},
        {message, 999999.994, 2, "999999,99"},
        {message, 1e6, 2, "1,0E+006"},
        {message, -2.5e7, 2, "-2,5E+007"},
        {message, 9.96e6, 2, "1,0E+007"},
        {message, 1e308, 2, "1,0E+308"},
        {message, -1.66e308, 2, "-1,7E+308"},
        {message, 280.0, 2, "280,00"},
        {message, -0.004, 2, "0,00"},
        {message, 0.021676, 5, "0,02168"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.write(c.value, c.decimals), c.text);
    }
    // The report's tables keep their digits up to 1e15.
    EXPECT_EQ(DecimalCommaText(1e10, 2, TableEngineeringFrom), "10000000000,00");
}

TEST(NumberText, SignificantDigitsRoundHalfUp)
{
    const struct {
        double value;
        const char* digits;
        int exponent;
    } cases[] = {
        {1.4, "140000000000000", 0},
        {std::numeric_limits<double>::max(), "179769313486232", 308},
        {9.999999999999999, "100000000000000", 1},
        {0.125, "125000000000000", -1},
        {std::numeric_limits<double>::denorm_min(), "494065645841247", -324},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        const DecimalDigits d = SignificantDigitsHalfUp(c.value, 15);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.exponent, c.exponent);
    }
}

} // namespace
} // namespace flexara
