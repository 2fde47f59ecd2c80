// The axes of the interaction chart: they hold the data, leave room around them,
// and never carry more labels than a chart can show, whatever the values.
#include "engine/diagrams/ChartScale.h"
#include "engine/Faults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace flexara {
namespace {

constexpr double Huge = std::numeric_limits<double>::max();

TEST(ChartScale, ColumnAxesAreTightAndRound)
{
    // The 20 x 40 column at Nd = -500: Mx from -153.105 to 153.105, My from
    // -65.06 to 65.06 kN·m (the curve's points at theta = 0 and pi/2).
    const struct {
        const char* name;
        double low, high;
        AxisScale expected;
    } cases[] = {
        // Labels every 100 would leave 76 % on a label and give only three on
        // a minor tick: labels every 50, bounds on 10, 90 %.
        {"Mx", -153.105, 153.105, {-170, 170, 50}},
        // 50 leaves 65 % even on a minor tick: labels every 20, bounds on 4.
        {"My", -65.06, 65.06, {-72, 72, 20}},
        // The notice's square keeps its four edges inside the frame.
        {"notice", -100, 100, {-110, 110, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AxisScale scale = ScaleAxis(c.low, c.high, true);
        EXPECT_EQ(scale.low, c.expected.low);
        EXPECT_EQ(scale.high, c.expected.high);
        EXPECT_EQ(scale.interval, c.expected.interval);
        EXPECT_GE((c.high - c.low) / (scale.high - scale.low), AxisMinimumFill);
    }
}

TEST(ChartScale, WithoutRoomTheBoundsMayTouchTheData)
{
    // The empty chart's frame around the origin.
    const AxisScale scale = ScaleAxis(-100, 100, false);
    EXPECT_EQ(scale.low, -100);
    EXPECT_EQ(scale.high, 100);
    EXPECT_EQ(scale.interval, 50);
}

TEST(ChartScale, SingleValueGetsATenthOnEachSide)
{
    const struct {
        double value, low, high;
    } cases[] = {{0, -1, 1}, {50, 44, 56}, {-2000, -2200, -1800}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const AxisScale scale = ScaleAxis(c.value, c.value, true);
        EXPECT_LE(scale.low, c.low);
        EXPECT_GE(scale.high, c.high);
        EXPECT_LT(scale.low, c.value);
        EXPECT_GT(scale.high, c.value);
    }
}

void ExpectLabelsStepThrough(const AxisScale& scale)
{
    const long double below =
        scale.anchor +
        std::floor((static_cast<long double>(scale.low) - scale.anchor) / scale.interval) * scale.interval;
    EXPECT_LE(std::fabs(below), Huge);
    EXPECT_NE(scale.low + scale.interval, scale.low);
}

// Every scale of every finite extent holds its data with finite bounds, a
// bounded number of labels that really advance, and the fill it promises.
void ExpectSoundScale(double a, double b, bool room)
{
    const AxisScale scale = ScaleAxis(a, b, room);
    const double low = std::min(a, b), high = std::max(a, b);
    ASSERT_TRUE(std::isfinite(scale.low));
    ASSERT_TRUE(std::isfinite(scale.high));
    ASSERT_TRUE(std::isfinite(scale.high - scale.low));
    EXPECT_LE(scale.low, low);
    EXPECT_GE(scale.high, high);
    EXPECT_GE(scale.interval, 1.0);
    const int labels = AxisLabelCount(scale);
    EXPECT_LE(labels, MaxAxisLabels);
    // The chart lays its labels out from the interval itself: that must not
    // give more than the limit either.
    EXPECT_LE((static_cast<long double>(scale.high) - scale.low) / scale.interval, MaxAxisLabels);
    for (int i = 1; i < labels; ++i)
        EXPECT_GT(AxisLabelValue(scale, i), AxisLabelValue(scale, i - 1));
    // The chart starts its labels at the label at or below the low bound and
    // steps up from there: that label must be a double, or the stepping never
    // ends.
    ExpectLabelsStepThrough(scale);
    if (room && high > low) {
        EXPECT_GE((static_cast<long double>(high) - low) / (static_cast<long double>(scale.high) - scale.low),
                  AxisMinimumFill);
    }
    for (int i = 0; i < labels; ++i) {
        const std::string text = AxisLabelText(scale, AxisLabelValue(scale, i));
        EXPECT_LE(text.size(), 13u) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos);
        EXPECT_EQ(text.find("nan"), std::string::npos);
    }
}

TEST(ChartScale, ExtremeValuesGiveSoundScales)
{
    const double values[] = {0,    1e-300, -1e-300,  4.9e-324, 1,    -1,    153.1,    1e7,    1e15,
                             1e17, 1e20,   1.66e308, 1.7e308,  Huge, -Huge, -1.7e308, 8.9e307};
    for (double a : values)
        for (double b : values) {
            if (std::fabs(static_cast<long double>(a) - b) > Huge)
                continue;
            SCOPED_TRACE(::testing::Message() << a << " .. " << b);
            ExpectSoundScale(a, b, true);
            ExpectSoundScale(a, b, false);
        }
}

TEST(ChartScale, RandomExtentsGiveSoundScales)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-320, 308.25);
    std::uniform_int_distribution<int> sign(0, 1);
    for (int i = 0; i < 20000; ++i) {
        const double a = (sign(random) ? -1 : 1) * std::pow(10.0, exponent(random));
        const double b = (sign(random) ? -1 : 1) * std::pow(10.0, exponent(random));
        if (!std::isfinite(a) || !std::isfinite(b) || std::fabs(static_cast<long double>(a) - b) > Huge)
            continue;
        SCOPED_TRACE(::testing::Message() << a << " .. " << b);
        ExpectSoundScale(a, b, true);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(ChartScale, AnExtentBeyondTheDoubleRangeIsAnOverflow)
{
    try {
        ScaleAxis(-Huge, Huge, true);
        FAIL() << "no fault";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), OverflowMessage);
    }
}

TEST(ChartScale, ZoomedRangesGetLabelsThatAdvance)
{
    const struct {
        double low, high, atLeast;
    } cases[] = {
        {-180, 180, 100}, {0, 3, 1}, {1e20, 1e20 + 100, 0}, {-Huge, Huge, 1e307}, {5, 5, 1}, {-Huge, 24, 1e307},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.low << " .. " << c.high);
        const AxisScale scale = LabelsForRange(c.low, c.high);
        EXPECT_EQ(scale.low, c.low);
        EXPECT_EQ(scale.high, c.high);
        EXPECT_GE(scale.interval, c.atLeast);
        EXPECT_TRUE(std::isfinite(scale.interval));
        EXPECT_LE((static_cast<long double>(c.high) - c.low) / scale.interval, 5.0L);
        ExpectLabelsStepThrough(scale);
    }
    // The labels start at the low bound only where the multiples do not fit.
    EXPECT_EQ(LabelsForRange(-180, 180).anchor, 0.0);
    EXPECT_EQ(LabelsForRange(-Huge, 24).anchor, -Huge);
}

TEST(ChartScale, LabelsAreWholeNumbersUntilTheyGetTooLong)
{
    const AxisScale column{-180, 180, 100};
    EXPECT_EQ(AxisLabelText(column, -100), "-100");
    EXPECT_EQ(AxisLabelText(column, 0), "0");
    const AxisScale huge{0, 1e308, 2e307};
    EXPECT_EQ(AxisLabelText(huge, 4e307), "4e+307");
}

} // namespace
} // namespace flexara
