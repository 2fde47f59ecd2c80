// The axes of the interaction chart: from the extent of what an axis must show
// (the curve and the design point, or the notice's square) to its bounds and
// the interval between its labels. The window's chart, the batch tool's SVG and
// the drawings of the report all lay their axes out with it, so that every
// finite value gets an axis that holds it and a bounded number of labels.
#pragma once

#include "engine/case/UVariav.h"

#include <optional>
#include <span>
#include <string>

namespace flexara {

// Room left on each side of the data, as a share of its extent: a tip of the
// curve or a design point never sits on the frame.
constexpr double AxisRoom = 0.04;
// The data fill at least this share of an axis.
constexpr double AxisMinimumFill = 0.85;
// No axis carries more labels than this.
constexpr int MaxAxisLabels = 16;
// Minor ticks between two labels.
constexpr int AxisMinorTicks = 4;

struct AxisScale {
    double low = -100.0;
    double high = 100.0;
    // Between two labels: 1, 2 or 5 times a power of ten, at least 1, since
    // the labels are whole numbers.
    double interval = 50.0;
    // Labels stand at anchor + k·interval: at the whole multiples of the
    // interval, but for bounds so near the end of the double range that the
    // multiple below them is beyond it, where they start at the low bound.
    double anchor = 0.0;
};

// The scale of an axis that must show dataLow..dataHigh (kN·m). With room the
// data get AxisRoom of their extent on each side and fill at least
// AxisMinimumFill of the axis; the bounds are rounded out to a label or a minor
// tick where that keeps the fill. A single value gets a tenth of itself (at
// least 1) on each side. Throws EngineError ("Floating point overflow") when
// the extent itself is beyond the double range.
AxisScale ScaleAxis(double dataLow, double dataHigh, bool room);

// The two axes of the interaction chart: to the curve and the design point
// with room around them, to the notice's square (-100 to 100 kN·m, with room)
// when it is shown, or to that square without room for an empty chart.
struct ChartAxes {
    AxisScale x;
    AxisScale y;
};
ChartAxes ScaleChart(std::span<const Point> curve, std::optional<Point> designPoint, bool noticeShown);

// Half the side of the notice's square, kN·m.
constexpr double NoticeHalfSize = 100.0;

// The labels of a range the user zoomed or scrolled to, the bounds kept: about
// five intervals, at least 1, and never so small beside the bounds that adding
// it to a label would not reach the next one.
AxisScale LabelsForRange(double low, double high);

// The labels of a scale: the whole multiples of the interval from low to high.
int AxisLabelCount(const AxisScale& scale);
double AxisLabelValue(const AxisScale& scale, int i);

// The printf format of the labels: whole numbers ("%.0f"), or six significant
// digits for bounds of ten million and more, whose whole digits no label has
// room for.
const char* AxisLabelFormat(const AxisScale& scale);
std::string AxisLabelText(const AxisScale& scale, double value);

} // namespace flexara
