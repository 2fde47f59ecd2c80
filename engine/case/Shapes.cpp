#include "engine/case/Shapes.h"

namespace flexara {

namespace {
constexpr const char* no = nullptr; // a hidden field
constexpr ShapeFamily Families[8] = {
    {4, {"B", "H", no, no, no, no}},            // rectangle
    {4, {"B1", "B2", no, "H", no, no}},         // trapezoid
    {8, {"B1", "B2", no, "H1", "H2", no}},      // T
    {6, {"B1", "B2", no, "H1", "H2", no}},      // L
    {8, {"B1", "B2", "B3", "H1", "H2", no}},    // U
    {10, {"B1", "B2", "B3", "H1", "H2", "H3"}}, // box
    {1, {"X", "Y", no, no, no, no}},            // free polygon: the vertex being edited
    {12, {"B1", "B2", "B3", "H1", "H2", "H3"}}, // H
};
} // namespace

const ShapeFamily& ShapeFamilyOf(std::uint8_t shapeKind)
{
    return shapeKind < 8 ? Families[shapeKind] : Families[ShapeRectangle];
}

void BuildSectionPolygon(AnalysisState& s)
{
    const auto& d = s.ShapeDims;
    auto& v = s.Section.Vertices;
    auto set = [&](std::initializer_list<Point> points) {
        std::size_t i = 0;
        for (const Point& p : points)
            v[i++] = p;
    };
    // Plain double arithmetic: each coordinate is evaluated and stored as a double.
    switch (s.Section.ShapeKind) {
    case ShapeRectangle: {
        const double b = d[0], hh = d[1];
        set({{0, 0}, {b, 0}, {b, hh}, {0, hh}});
        break;
    }
    case ShapeTrapezoid: {
        const double b1 = d[0], b2 = d[1], hh = d[3];
        set({{0, 0}, {b2, 0}, {b2 / 2 + b1 / 2, hh}, {b2 / 2 - b1 / 2, hh}});
        break;
    }
    case ShapeT: {
        const double b1 = d[0], b2 = d[1], h1 = d[3], h2 = d[4];
        set({{b1 / 2 - b2 / 2, 0},
             {b1 / 2 + b2 / 2, 0},
             {b1 / 2 + b2 / 2, h2},
             {b1, h2},
             {b1, h1 + h2},
             {0, h1 + h2},
             {0, h2},
             {b1 / 2 - b2 / 2, h2}});
        break;
    }
    case ShapeL: {
        const double b1 = d[0], b2 = d[1], h1 = d[3], h2 = d[4];
        set({{0, 0}, {b2, 0}, {b2, h2}, {b1, h2}, {b1, h1}, {0, h1}});
        break;
    }
    case ShapeU: {
        const double b1 = d[0], b2 = d[1], b3 = d[2], h1 = d[3], h2 = d[4];
        set({{0, 0}, {b3, 0}, {b3, h1}, {b3 - b2, h1}, {b3 - b2, h2}, {b1, h2}, {b1, h1}, {0, h1}});
        break;
    }
    case ShapeBox: {
        // One polygon without holes: it enters the hole through a slit in the
        // right wall just under the top slab and walks the hole clockwise.
        const double b1 = d[0], b2 = d[1], b3 = d[2], h1 = d[3], h2 = d[4], h3 = d[5];
        const double e = BoxSlitHeight;
        set({{0, 0},
             {b3, 0},
             {b3, h1 - h2 - e},
             {b3 - b2, h1 - h2 - e},
             {b3 - b2, h3},
             {b1, h3},
             {b1, h1 - h2},
             {b3, h1 - h2},
             {b3, h1},
             {0, h1}});
        break;
    }
    case ShapeH: {
        const double b1 = d[0], b2 = d[1], b3 = d[2], h1 = d[3], h2 = d[4], h3 = d[5];
        set({{0, 0},
             {b2, 0},
             {b2, h3},
             {b1 - b3, h3},
             {b1 - b3, 0},
             {b1, 0},
             {b1, h1},
             {b1 - b3, h1},
             {b1 - b3, h1 - h2},
             {b2, h1 - h2},
             {b2, h1},
             {0, h1}});
        break;
    }
    default: // the free polygon has no formula: its vertices are those entered
        break;
    }
}

void ClearShapeDims(AnalysisState& s)
{
    s.ShapeDims.fill(0.0);
}

} // namespace flexara
