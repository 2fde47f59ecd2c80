// Area, centroid, rotation, clipping and the bars-inside test.
#include "engine/section/Curve.h"
#include "engine/section/Uproced.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace flexara {
namespace {

constexpr Point Square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
constexpr Point SquareClockwise[4] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};

TEST(PolygonAreaCentroid, SignedAreaAndCentroid)
{
    struct Case {
        const char* name;
        std::vector<Point> vertices;
        double area;
        Point centroid;
    };
    const Case cases[] = {
        {"counter-clockwise square", {Square, Square + 4}, 100, {5, 5}},
        {"clockwise square keeps its centroid", {SquareClockwise, SquareClockwise + 4}, -100, {5, 5}},
        {"two vertices have no area", {{0, 0}, {10, 0}}, 0, {0, 0}},
        {"one vertex", {{3, 4}}, 0, {0, 0}},
        {"zero-area outline (all on a line)", {{0, 0}, {5, 0}, {10, 0}}, 0, {0, 0}},
        // A bridge walked once each way adds nothing: two 2 x 2 squares joined along y = 0.
        {"bridge between two pieces",
         {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}, {10, 0}, {12, 0}, {12, 2}, {10, 2}, {10, 0}},
         8,
         {6, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double area = -1;
        Point centroid{-1, -1};
        PolygonAreaCentroid(static_cast<int>(c.vertices.size()), c.vertices.data(), area, centroid);
        EXPECT_DOUBLE_EQ(area, c.area);
        EXPECT_NEAR(centroid.x, c.centroid.x, 1e-12);
        EXPECT_NEAR(centroid.y, c.centroid.y, 1e-12);
    }
}

TEST(RotatePoints, QuarterTurnIsClockwiseAndUndoable)
{
    Point p[2] = {{1, 0}, {0, 1}};
    RotatePoints(2, p, std::acos(-1.0) / 2, p); // in place
    EXPECT_NEAR(p[0].x, 0, 1e-15);
    EXPECT_NEAR(p[0].y, -1, 1e-15);
    EXPECT_NEAR(p[1].x, 1, 1e-15);
    EXPECT_NEAR(p[1].y, 0, 1e-15);
    RotatePoints(2, p, -std::acos(-1.0) / 2, p);
    EXPECT_NEAR(p[0].x, 1, 1e-15);
    EXPECT_NEAR(p[1].y, 1, 1e-15);
}

TEST(TranslatePoints, SubtractsTheOriginInPlace)
{
    Point p[2] = {{1, 2}, {-3, 4}};
    TranslatePoints(2, p, Point{1, 1}, p);
    EXPECT_EQ(p[0].x, 0);
    EXPECT_EQ(p[0].y, 1);
    EXPECT_EQ(p[1].x, -4);
    EXPECT_EQ(p[1].y, 3);
}

std::vector<Point> Clip(const std::vector<Point>& v, double c)
{
    Point out[MaxCompressedVertices];
    int m = -1;
    ClipAtLevel(v.data(), static_cast<int>(v.size()), c, out, m);
    return {out, out + m};
}

TEST(ClipAtLevel, KeepsThePartOnOrAboveTheLevel)
{
    const std::vector<Point> square(Square, Square + 4);
    const auto at4 = Clip(square, 4);
    const std::vector<Point> expected = {{10, 4}, {10, 10}, {0, 10}, {0, 4}};
    ASSERT_EQ(at4.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(at4[i].x, expected[i].x, 1e-12);
        EXPECT_EQ(at4[i].y, expected[i].y);
    }
    EXPECT_TRUE(Clip(square, 11).empty());
    const auto whole = Clip(square, -1);
    ASSERT_EQ(whole.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(whole[static_cast<std::size_t>(i)].x, Square[i].x);
        EXPECT_EQ(whole[static_cast<std::size_t>(i)].y, Square[i].y);
    }
}

TEST(ClipAtLevel, VertexOnTheLevelStaysAndOutputMayBeInput)
{
    // A diamond with its left and right vertices on the level.
    Point v[MaxCompressedVertices] = {{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    int m = 0;
    ClipAtLevel(v, 4, 5, v, m);
    double area = 0;
    Point centroid{};
    PolygonAreaCentroid(m, v, area, centroid);
    EXPECT_NEAR(area, 25, 1e-12);
    EXPECT_NEAR(centroid.y, 5 + 10.0 / 3 * 0.5, 1e-12);
}

TEST(ClipAtLevel, UThroughBothLegsIsBridgedAndAddsTheLegs)
{
    // U: B1 = B2 = 10, B3 = 40, H1 = 30, H2 = 10; clipped at y = 20 leaves two 10 x 10 legs.
    auto s = std::make_unique<AnalysisState>();
    s->Section.ShapeKind = ShapeU;
    s->ShapeDims = {10, 10, 40, 30, 10, 0};
    BuildSectionPolygon(*s);
    const std::vector<Point> u(s->Section.Vertices.begin(), s->Section.Vertices.begin() + 8);
    const auto legs = Clip(u, 20);
    double area = 0;
    Point centroid{};
    PolygonAreaCentroid(static_cast<int>(legs.size()), legs.data(), area, centroid);
    EXPECT_NEAR(area, 200, 1e-9);
    EXPECT_NEAR(centroid.x, 20, 1e-9);
    EXPECT_NEAR(centroid.y, 25, 1e-9);
}

TEST(ClipAtLevel, ZigzagOutlineNeverOverflows)
{
    // 100 vertices alternating above and below the level: n + n/2 vertices at most.
    std::vector<Point> zigzag;
    for (int i = 0; i < 98; ++i)
        zigzag.push_back({static_cast<double>(i), i % 2 == 0 ? 10.0 : 0.0});
    zigzag.push_back({97, -10});
    zigzag.push_back({0, -10});
    const auto clipped = Clip(zigzag, 5);
    EXPECT_LE(clipped.size(), static_cast<std::size_t>(MaxCompressedVertices));
    EXPECT_GT(clipped.size(), 100u);
}

// The bars-inside test on a case built from user coordinates.
bool Inside(AnalysisState& s)
{
    LayOutBars(s);
    TranslatePoints(s.Section.VertexCount, s.Section.Vertices.data(), Point{}, s.Section.CentroidalVertices.data());
    for (int k = 0; k < s.LineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        TranslatePoints(line.BarCount, line.Bars.data(), Point{}, line.CentroidalBars.data());
    }
    return BarsInsideSection(s);
}

TEST(BarsInsideSection, StrictlyInsideOnly)
{
    struct Case {
        const char* name;
        double x, y;
        bool inside;
    };
    const Case cases[] = {
        {"centre of the rectangle", 10, 20, true},
        {"near a corner", 0.5, 0.5, true},
        {"on the bottom edge", 10, 0, false},
        {"on the left edge", 0, 20, false},
        {"on a vertex", 20, 40, false},
        {"outside to the right", 25, 20, false},
        {"outside below", 10, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(20, 40, {{1, 10, c.x, c.y, c.x, c.y}});
        EXPECT_EQ(Inside(*s), c.inside);
    }
}

TEST(BarsInsideSection, NoBarsIsInsideAndOneBadBarSpoilsAll)
{
    auto none = testing::MakeRectangleCase(20, 40, {{0, 10, 50, 50, 50, 50}});
    EXPECT_TRUE(Inside(*none));
    auto mixed = testing::MakeRectangleCase(20, 40, {{1, 10, 30, 30, 30, 30}, {2, 10, 4, 4, 16, 4}});
    EXPECT_FALSE(Inside(*mixed));
}

TEST(BarsInsideSection, BarLevelWithTheTipOfAVNotchIsInside)
{
    // The ray to the left of the bar only grazes the notch's tip at (10, 10).
    struct Case {
        const char* name;
        std::initializer_list<Point> outline;
        double bx, by;
        bool inside;
    };
    const Case cases[] = {
        {"notch from the top, bar right of the tip",
         {{0, 0}, {20, 0}, {20, 20}, {12, 20}, {10, 10}, {8, 20}, {0, 20}},
         15,
         10,
         true},
        {"notch from the top, bar in the notch",
         {{0, 0}, {20, 0}, {20, 20}, {12, 20}, {10, 10}, {8, 20}, {0, 20}},
         10,
         15,
         false},
        {"notch from the right, bar above the tip",
         {{0, 0}, {20, 0}, {20, 8}, {10, 10}, {20, 12}, {20, 20}, {0, 20}},
         10,
         15,
         true},
        {"crossing through a vertex of a diamond", {{10, 0}, {20, 10}, {10, 20}, {0, 10}}, 15, 10, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(20, 40, {{1, 10, c.bx, c.by, c.bx, c.by}});
        testing::SetFreePolygon(*s, c.outline);
        EXPECT_EQ(Inside(*s), c.inside);
    }
}

} // namespace
} // namespace flexara
