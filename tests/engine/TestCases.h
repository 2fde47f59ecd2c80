// Cases shared by the engine tests: states built by hand, as the editors would
// leave them.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/Shapes.h"
#include "engine/case/UVariav.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace flexara::testing {

struct LineSpec {
    int bars;
    double diameter;
    double x1, y1, x2, y2;
};

inline std::unique_ptr<AnalysisState> MakeRectangleCase(double b, double h, const std::vector<LineSpec>& lines)
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    s->ShapeDims[0] = b;
    s->ShapeDims[1] = h;
    BuildSectionPolygon(*s);
    s->LineCount = 0;
    for (const LineSpec& l : lines) {
        BarLine& line = s->BarLines[static_cast<std::size_t>(s->LineCount++)];
        line.BarCount = l.bars;
        line.Diameter = l.diameter;
        line.X1 = l.x1;
        line.Y1 = l.y1;
        line.X2 = l.x2;
        line.Y2 = l.y2;
        line.Orientation = OrientationAny;
    }
    UpdateReinforcementRatio(*s);
    return s;
}

// The 20 x 40 cm column: two lines of two 20 mm bars, C-30, CA-50 A.
inline std::unique_ptr<AnalysisState> MakeColumn20x40()
{
    return MakeRectangleCase(20, 40, {{2, 20, 4, 4, 16, 4}, {2, 20, 4, 36, 16, 36}});
}

inline void SetFreePolygon(AnalysisState& s, std::initializer_list<Point> vertices)
{
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = 0;
    for (const Point& p : vertices)
        s.Section.Vertices[static_cast<std::size_t>(s.Section.VertexCount++)] = p;
    UpdateReinforcementRatio(s);
}

} // namespace flexara::testing
