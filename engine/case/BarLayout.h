// The bar positions of a reinforcement line, from its two end points and its
// bar count: equally spaced, the first bar at (X1, Y1) and the last at (X2, Y2).
// The same arithmetic as the layout the curve generation does, so that the
// drawing shows every bar where the calculation puts it.
#pragma once

#include "engine/case/UVariav.h"

namespace flexara {

// The bars a line really has: a count below 0 is none, one above the capacity
// of the position arrays is cut to it.
inline int BarsInLine(const BarLine& line)
{
    return line.BarCount < 0 ? 0 : (line.BarCount > MaxBarsPerLine ? MaxBarsPerLine : line.BarCount);
}

// Bar j (1-based) of the line; a line of one bar has it at (X1, Y1).
inline Point BarPosition(const BarLine& line, int j)
{
    const int n = BarsInLine(line);
    if (n < 2 || j <= 1)
        return Point{line.X1, line.Y1};
    // Extended-precision intermediates, rounded once when stored.
    using Real = long double;
    return Point{static_cast<double>(line.X1 + (static_cast<Real>(line.X2) - line.X1) * (j - 1) / (n - 1)),
                 static_cast<double>(line.Y1 + (static_cast<Real>(line.Y2) - line.Y1) * (j - 1) / (n - 1))};
}

} // namespace flexara
