#include "engine/diagrams/ChartScale.h"

#include "engine/Faults.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

namespace flexara {

namespace {

using Real = long double;

constexpr Real LargestDouble = std::numeric_limits<double>::max();
// A label interval is never below this share of the bounds' magnitude: a
// double near the bounds must still change when the interval is added to it.
constexpr Real SmallestRelativeInterval = 1.0L / 1099511627776.0L; // 2^-40
// About this many intervals on an axis of the chart's size.
constexpr Real LabelIntervals = 5.0L;
// An axis with fewer labels than this is hard to read off.
constexpr int MinimumLabels = 4;
// Bounds from which labels switch from whole numbers to significant digits.
constexpr Real WholeLabelLimit = 1e7L;

// The smallest of 1, 2 and 5 times a power of ten that is at least x (and at
// least 1: the labels are whole numbers).
Real NiceAtLeast(Real x)
{
    if (!(x > 1.0L))
        return 1.0L;
    Real power = std::pow(10.0L, std::floor(std::log10(x)));
    // log10 may land one power too high or too low at exact powers of ten.
    while (power > x)
        power /= 10.0L;
    while (power * 10.0L <= x)
        power *= 10.0L;
    for (const Real factor : {1.0L, 2.0L, 5.0L})
        if (factor * power >= x)
            return factor * power;
    return 10.0L * power;
}

// The next smaller nice interval: 5 to 2, 2 to 1, 1 to 0.5 (and so on).
Real NiceBelow(Real interval)
{
    const Real power = std::pow(10.0L, std::floor(std::log10(interval) + 1e-9L));
    const Real factor = interval / power;
    if (factor > 4.0L)
        return 2.0L * power;
    if (factor > 1.5L)
        return power;
    return power / 2.0L;
}

Real MagnitudeGuard(Real low, Real high)
{
    return NiceAtLeast(std::max(std::fabs(low), std::fabs(high)) * SmallestRelativeInterval);
}

bool FitsDouble(Real value)
{
    return std::fabs(value) <= LargestDouble;
}

// The labels of a chart axis run from the multiple of the interval at or below
// its low bound: where that multiple is beyond the double range, they start at
// the low bound itself.
AxisScale Labelled(Real low, Real high, Real interval)
{
    const bool multipleFits = FitsDouble(std::floor(low / interval) * interval);
    return AxisScale{static_cast<double>(low), static_cast<double>(high), static_cast<double>(interval),
                     multipleFits ? 0.0 : static_cast<double>(low)};
}

} // namespace

AxisScale ScaleAxis(double dataLow, double dataHigh, bool room)
{
    Real low = dataLow;
    Real high = dataHigh;
    if (low > high)
        std::swap(low, high);
    const Real extent = high - low;
    if (extent > LargestDouble)
        throw EngineError(Fault{FaultKind::Overflow});
    const bool single = !(extent > 0.0L);
    if (single) {
        const Real margin = std::max(1.0L, std::fabs(low) * 0.1L);
        low -= margin;
        high += margin;
    } else if (room) {
        low -= extent * static_cast<Real>(AxisRoom);
        high += extent * static_cast<Real>(AxisRoom);
    }
    // Room that does not fit the double range is given up, the data never.
    low = std::max(low, -LargestDouble);
    high = std::min(high, LargestDouble);
    if (high - low > LargestDouble) {
        low = std::min<Real>(dataLow, dataHigh);
        high = std::max<Real>(dataLow, dataHigh);
    }

    const Real guard = MagnitudeGuard(low, high);
    const Real coarse = std::max(NiceAtLeast((high - low) / LabelIntervals), guard);
    Real intervals[2] = {coarse, NiceBelow(coarse)};
    const int candidates = intervals[1] >= 1.0L && intervals[1] >= guard ? 2 : 1;
    // The first bounds that keep the fill and show enough labels; failing
    // those, the first that keep the fill.
    std::optional<AxisScale> keepsTheFill;
    for (int c = 0; c < candidates; ++c) {
        const Real interval = intervals[c];
        // Bounds on a label first, on a minor tick if that leaves too much room.
        for (const Real step : {interval, interval / (AxisMinorTicks + 1)}) {
            const Real roundedLow = std::floor(low / step) * step;
            const Real roundedHigh = std::ceil(high / step) * step;
            if (!FitsDouble(roundedLow) || !FitsDouble(roundedHigh) || roundedHigh - roundedLow > LargestDouble ||
                !FitsDouble(std::floor(roundedLow / interval) * interval))
                continue;
            if (!single && extent / (roundedHigh - roundedLow) < static_cast<Real>(AxisMinimumFill))
                continue;
            const AxisScale scale = Labelled(roundedLow, roundedHigh, interval);
            if (single || AxisLabelCount(scale) >= MinimumLabels)
                return scale;
            if (!keepsTheFill)
                keepsTheFill = scale;
        }
    }
    return keepsTheFill ? *keepsTheFill : Labelled(low, high, coarse);
}

ChartAxes ScaleChart(std::span<const Point> curve, std::optional<Point> designPoint, bool noticeShown)
{
    const bool data = !noticeShown && (!curve.empty() || designPoint);
    double minX = -NoticeHalfSize, maxX = NoticeHalfSize, minY = -NoticeHalfSize, maxY = NoticeHalfSize;
    if (data) {
        const Point first = curve.empty() ? *designPoint : curve.front();
        minX = maxX = first.x;
        minY = maxY = first.y;
        auto take = [&](Point p) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        };
        for (const Point& p : curve)
            take(p);
        if (designPoint)
            take(*designPoint);
    }
    const bool room = data || noticeShown;
    return ChartAxes{ScaleAxis(minX, maxX, room), ScaleAxis(minY, maxY, room)};
}

AxisScale LabelsForRange(double low, double high)
{
    const Real span = std::fabs(static_cast<Real>(high) - low);
    return Labelled(low, high, std::max(NiceAtLeast(span / LabelIntervals), MagnitudeGuard(low, high)));
}

namespace {
Real FirstLabelIndex(const AxisScale& scale)
{
    return std::ceil((static_cast<Real>(scale.low) - scale.anchor) / scale.interval);
}
} // namespace

int AxisLabelCount(const AxisScale& scale)
{
    if (!(scale.interval > 0.0) || !(scale.high >= scale.low))
        return 0;
    const Real count =
        std::floor((static_cast<Real>(scale.high) - scale.anchor) / scale.interval) - FirstLabelIndex(scale) + 1.0L;
    if (!(count > 0.0L))
        return 0;
    return count > MaxAxisLabels ? MaxAxisLabels : static_cast<int>(count);
}

double AxisLabelValue(const AxisScale& scale, int i)
{
    return static_cast<double>(scale.anchor + (FirstLabelIndex(scale) + i) * static_cast<Real>(scale.interval));
}

const char* AxisLabelFormat(const AxisScale& scale)
{
    const Real magnitude = std::max(std::fabs(static_cast<Real>(scale.low)), std::fabs(static_cast<Real>(scale.high)));
    return magnitude < WholeLabelLimit ? "%.0f" : "%.6g";
}

std::string AxisLabelText(const AxisScale& scale, double value)
{
    char text[40];
    // A label that rounds to zero is written without its sign.
    std::snprintf(text, sizeof text, AxisLabelFormat(scale), std::fabs(value) < 0.5 ? 0.0 : value);
    return text;
}

} // namespace flexara
