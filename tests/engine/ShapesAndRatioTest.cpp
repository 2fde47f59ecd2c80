// The polygons of the section families, the default case and the ratio label.
#include "engine/case/Shapes.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace flexara {
namespace {

TEST(BuildSectionPolygon, VerticesOfEveryFamily)
{
    struct Case {
        const char* name;
        std::uint8_t kind;
        std::array<double, 6> dims;
        std::vector<Point> vertices;
        double area;
    };
    const double e = BoxSlitHeight;
    const Case cases[] = {
        {"rectangle 20 x 50", ShapeRectangle, {20, 50}, {{0, 0}, {20, 0}, {20, 50}, {0, 50}}, 1000},
        {"trapezoid overhanging to negative x",
         ShapeTrapezoid,
         {30, 20, 0, 40},
         {{0, 0}, {20, 0}, {25, 40}, {-5, 40}},
         1000},
        {"T",
         ShapeT,
         {60, 20, 0, 10, 40},
         {{20, 0}, {40, 0}, {40, 40}, {60, 40}, {60, 50}, {0, 50}, {0, 40}, {20, 40}},
         1400},
        {"L", ShapeL, {10, 40, 0, 50, 10}, {{0, 0}, {40, 0}, {40, 10}, {10, 10}, {10, 50}, {0, 50}}, 800},
        {"U",
         ShapeU,
         {10, 10, 40, 30, 10},
         {{0, 0}, {40, 0}, {40, 30}, {30, 30}, {30, 10}, {10, 10}, {10, 30}, {0, 30}},
         800},
        {"box with its slit",
         ShapeBox,
         {15, 15, 100, 80, 20, 25},
         {{0, 0}, {100, 0}, {100, 60 - e}, {85, 60 - e}, {85, 25}, {15, 25}, {15, 60}, {100, 60}, {100, 80}, {0, 80}},
         5550},
        {"H with the web between 20 and 30",
         ShapeH,
         {60, 15, 15, 50, 20, 20},
         {{0, 0},
          {15, 0},
          {15, 20},
          {45, 20},
          {45, 0},
          {60, 0},
          {60, 50},
          {45, 50},
          {45, 30},
          {15, 30},
          {15, 50},
          {0, 50}},
         1800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<AnalysisState>();
        s->Section.ShapeKind = c.kind;
        s->Section.VertexCount = ShapeFamilyOf(c.kind).vertexCount;
        s->ShapeDims = c.dims;
        BuildSectionPolygon(*s);
        ASSERT_EQ(static_cast<std::size_t>(s->Section.VertexCount), c.vertices.size());
        for (std::size_t i = 0; i < c.vertices.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(s->Section.Vertices[i].x, c.vertices[i].x);
            EXPECT_EQ(s->Section.Vertices[i].y, c.vertices[i].y);
        }
        UpdateReinforcementRatio(*s);
        EXPECT_NEAR(s->Section.Area, c.area, 1e-6);
    }
}

TEST(BuildSectionPolygon, FreePolygonAndVertexCountAreLeftAlone)
{
    auto s = std::make_unique<AnalysisState>();
    s->Section.ShapeKind = ShapeFreePolygon;
    s->Section.VertexCount = 3;
    s->Section.Vertices[0] = {7, 8};
    s->ShapeDims = {1, 2, 3, 4, 5, 6};
    BuildSectionPolygon(*s);
    EXPECT_EQ(s->Section.Vertices[0].x, 7);
    EXPECT_EQ(s->Section.VertexCount, 3);

    // ClearShapeDims touches the dimensions only.
    s->Section.ShapeKind = ShapeRectangle;
    s->Section.VertexCount = 4;
    ClearShapeDims(*s);
    EXPECT_EQ(s->ShapeDims, (std::array<double, 6>{}));
    EXPECT_EQ(s->Section.VertexCount, 4);
    EXPECT_EQ(s->Section.Vertices[0].x, 7);
}

TEST(DefaultCase, OneEmptyLineAndTheRectangleAtTheOrigin)
{
    auto s = std::make_unique<AnalysisState>();
    s->LineCount = 5;
    s->BarLines[3].BarCount = 9;
    s->GammaC = 1.5; // settings stay
    const std::string ratio = InstallDefaultCase(*s);
    EXPECT_EQ(ratio, "0,00 %");
    EXPECT_EQ(s->LineCount, 1);
    EXPECT_EQ(s->BarLines[0].BarCount, 0);
    EXPECT_EQ(s->BarLines[0].Diameter, 10);
    EXPECT_EQ(s->BarLines[0].Orientation, OrientationHorizontal);
    EXPECT_EQ(s->BarLines[3].BarCount, 0);
    EXPECT_EQ(s->Section.ShapeKind, ShapeRectangle);
    EXPECT_EQ(s->Section.VertexCount, 4);
    EXPECT_EQ(s->GammaC, 1.5);
    EXPECT_DOUBLE_EQ(s->Fcd, 30 / 15.0);
    EXPECT_DOUBLE_EQ(s->Fyd, 50 / 1.15);
}

TEST(ReinforcementRatio, LabelTexts)
{
    struct Case {
        const char* name;
        std::unique_ptr<AnalysisState> state;
        const char* label;
    };
    std::vector<Case> cases;
    cases.push_back({"four 20 mm bars in 20 x 40", testing::MakeColumn20x40(), "1,57 %"});
    cases.push_back({"no bars", testing::MakeRectangleCase(20, 40, {{0, 20, 4, 4, 4, 4}}), "0,00 %"});
    cases.push_back({"no area", testing::MakeRectangleCase(0, 40, {{4, 20, 4, 4, 4, 4}}), "0,00 %"});
    // 12.5 per cent: two integer digits.
    cases.push_back({"ten per cent and more", testing::MakeRectangleCase(10, 10, {{1, 0, 5, 5, 5, 5}}), "12,50 %"});
    cases.back().state->BarLines[0].Diameter =
        static_cast<double>(std::sqrt(1250.0L * 400 / 3.14159265358979323851L / 100));
    auto clockwise = testing::MakeColumn20x40();
    testing::SetFreePolygon(*clockwise, {{0, 0}, {0, 40}, {20, 40}, {20, 0}});
    cases.push_back({"clockwise outline", std::move(clockwise), "0,00 %"});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpdateReinforcementRatio(*c.state), c.label);
    }
}

} // namespace
} // namespace flexara
