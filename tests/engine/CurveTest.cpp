// The interaction curve of whole cases: references, points, refusals and faults.
#include "engine/section/Curve.h"
#include "engine/Faults.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace flexara {
namespace {

// What the chart would show.
struct RecordingSink : CurveSink {
    std::vector<Point> curve;
    std::vector<Point> design;
    std::vector<CurveWarning> warnings;
    bool notice = false;
    int clears = 0;
    void ClearCurve() override
    {
        curve.clear();
        design.clear();
        ++clears;
    }
    void AddCurvePoint(double mx, double my) override { curve.push_back({mx, my}); }
    void AddDesignPoint(double mx, double my) override { design.push_back({mx, my}); }
    void SetOutOfRangeNotice(bool shown) override { notice = shown; }
    void Warn(CurveWarning w) override { warnings.push_back(w); }
};

CurveOutcome Generate(AnalysisState& s, RecordingSink& sink, MaterialSelection m = MaterialSelection{})
{
    return GenerateCurve(s, m, sink);
}

TEST(Curve, ReferencesOfThe20x40Column)
{
    auto s = testing::MakeColumn20x40();
    RecordingSink sink;
    const CurveOutcome outcome = Generate(*s, sink);
    ASSERT_TRUE(outcome.referencesKnown);
    // Hand computation: 4 bars of 3.1416 cm² at 43.478 kN/cm² in tension; the
    // whole 800 cm² at 0.85·2.1429 with the bars at -2 per mil.
    EXPECT_NEAR(outcome.firstAngle.N1, 546.36, 0.01);
    EXPECT_NEAR(outcome.firstAngle.N4, -1984.93, 0.01);
    EXPECT_NEAR(outcome.firstAngle.N2, -262.7, 0.05);
    EXPECT_NEAR(outcome.firstAngle.N3, -1485.1, 0.05);
}

TEST(Curve, TheColumnAtNdZeroIsClosedAndSymmetric)
{
    auto s = testing::MakeColumn20x40();
    RecordingSink sink;
    const CurveOutcome outcome = Generate(*s, sink);
    EXPECT_FALSE(outcome.refused);
    EXPECT_FALSE(outcome.outOfRange);
    ASSERT_EQ(sink.curve.size(), 102u); // 101 angles and the closing copy
    EXPECT_EQ(sink.curve.front().x, sink.curve.back().x);
    EXPECT_EQ(sink.curve.front().y, sink.curve.back().y);
    EXPECT_NEAR(sink.curve[0].x, 90.3, 0.05); // theta = 0
    EXPECT_NEAR(sink.curve[0].y, 0.0, 1e-9);
    EXPECT_NEAR(sink.curve[25].x, 0.0, 1e-9); // theta = pi/2
    EXPECT_NEAR(sink.curve[25].y, -38.5, 0.05);
    // Symmetric about both axes: theta + pi mirrors the point through the origin,
    // and theta -> -theta mirrors it about the Mx axis.
    for (int i = 0; i <= 50; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(sink.curve[static_cast<std::size_t>(i)].x, -sink.curve[static_cast<std::size_t>(i + 50)].x, 0.05);
        EXPECT_NEAR(sink.curve[static_cast<std::size_t>(i)].y, -sink.curve[static_cast<std::size_t>(i + 50)].y, 0.05);
        EXPECT_NEAR(sink.curve[static_cast<std::size_t>(i)].x, sink.curve[static_cast<std::size_t>(100 - i)].x, 0.05);
        EXPECT_NEAR(sink.curve[static_cast<std::size_t>(i)].y, -sink.curve[static_cast<std::size_t>(100 - i)].y, 0.05);
    }
    ASSERT_EQ(sink.design.size(), 1u);
    EXPECT_EQ(sink.design[0].x, s->Mxd);
    EXPECT_EQ(sink.design[0].y, s->Myd);
}

TEST(Curve, PointsOfTheColumnUnderCompression)
{
    auto s = testing::MakeColumn20x40();
    s->Nd = -500;
    RecordingSink sink;
    Generate(*s, sink);
    ASSERT_EQ(sink.curve.size(), 102u);
    EXPECT_NEAR(sink.curve[0].x, 153.1, 0.05);
    EXPECT_NEAR(sink.curve[25].y, -65.1, 0.05);
    // Every point of the curve really has the axial force Nd.
}

TEST(Curve, FourStepsGiveFiveAnglesAndTheClosingCopy)
{
    auto s = testing::MakeColumn20x40();
    s->CurvePointCount = 4;
    RecordingSink sink;
    Generate(*s, sink);
    EXPECT_EQ(sink.curve.size(), 6u);
}

TEST(Curve, NdOutsideTheRangeShowsTheNotice)
{
    struct Case {
        const char* name;
        double nd;
    };
    const Case cases[] = {{"just above pure tension", 546.37}, {"just below uniform shortening", -1984.94}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        s->Nd = c.nd;
        RecordingSink sink;
        sink.curve.push_back({1, 1}); // an old curve must vanish
        const CurveOutcome outcome = Generate(*s, sink);
        EXPECT_TRUE(outcome.outOfRange);
        EXPECT_TRUE(sink.notice);
        EXPECT_TRUE(sink.curve.empty());
        EXPECT_TRUE(sink.design.empty());
        EXPECT_TRUE(sink.warnings.empty());
    }
}

TEST(Curve, RefusalsWarnAndLeaveTheChartEmpty)
{
    struct Case {
        const char* name;
        std::unique_ptr<AnalysisState> state;
        std::vector<CurveWarning> warnings;
    };
    std::vector<Case> cases;
    cases.push_back(
        {"no concrete", testing::MakeRectangleCase(0, 40, {{2, 20, 4, 4, 16, 4}}), {CurveWarning::ZeroArea}});
    cases.push_back({"no bars", testing::MakeRectangleCase(20, 40, {{0, 20, 4, 4, 16, 4}}), {CurveWarning::ZeroArea}});
    cases.push_back({"bar on the outline",
                     testing::MakeRectangleCase(20, 40, {{2, 20, 0, 4, 16, 4}}),
                     {CurveWarning::BarsOutside}});
    // Bars outside and a steel area not yet refreshed: both warnings, in order.
    auto both = testing::MakeRectangleCase(20, 40, {{2, 20, 30, 4, 40, 4}});
    both->SteelAreaX100 = 0;
    cases.push_back({"both", std::move(both), {CurveWarning::ZeroArea, CurveWarning::BarsOutside}});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        const CurveOutcome outcome = Generate(*c.state, sink);
        EXPECT_TRUE(outcome.refused);
        EXPECT_FALSE(outcome.referencesKnown);
        EXPECT_EQ(sink.warnings, c.warnings);
        EXPECT_TRUE(sink.curve.empty());
        EXPECT_TRUE(sink.design.empty());
        EXPECT_FALSE(sink.notice);
    }
    EXPECT_STREQ(WarningText(CurveWarning::ZeroArea), "Área de concreto ou aço nula.");
    EXPECT_STREQ(WarningText(CurveWarning::BarsOutside), "Barras de aço fora da seção.");
}

std::string FaultOf(AnalysisState& s, RecordingSink& sink, MaterialSelection m = MaterialSelection{})
{
    try {
        Generate(s, sink, m);
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

TEST(Curve, FaultsEndTheGenerationAndKeepThePointsAdded)
{
    {
        SCOPED_TRACE("no curve points: the step 2pi/0");
        auto s = testing::MakeColumn20x40();
        s->CurvePointCount = 0;
        RecordingSink sink;
        EXPECT_EQ(FaultOf(*s, sink), DivisionByZeroMessage);
        EXPECT_EQ(sink.curve.size(), 1u);
    }
    {
        SCOPED_TRACE("negative count refused before any angle");
        auto s = testing::MakeColumn20x40();
        s->CurvePointCount = -5;
        RecordingSink sink;
        EXPECT_NE(FaultOf(*s, sink), "");
        EXPECT_TRUE(sink.curve.empty());
    }
    {
        SCOPED_TRACE("cold-worked steel with a large steel factor");
        auto s = testing::MakeColumn20x40();
        s->GammaS = 2.0;
        RecordingSink sink;
        EXPECT_EQ(FaultOf(*s, sink, MaterialSelection{DefaultConcreteIndex, 2}), InvalidOperationMessage);
        for (const Point& p : sink.curve) {
            EXPECT_TRUE(std::isfinite(p.x));
            EXPECT_TRUE(std::isfinite(p.y));
        }
    }
    {
        SCOPED_TRACE("a steel factor of zero");
        auto s = testing::MakeColumn20x40();
        s->GammaS = 0.0;
        RecordingSink sink;
        EXPECT_EQ(FaultOf(*s, sink), DivisionByZeroMessage);
        EXPECT_TRUE(sink.curve.empty());
    }
}

TEST(Curve, NdExactlyAtPureTensionDrawsOnlyTheDesignPoint)
{
    auto s = testing::MakeColumn20x40();
    RecordingSink probe;
    s->Nd = Generate(*s, probe).firstAngle.N1;
    RecordingSink sink;
    const CurveOutcome outcome = Generate(*s, sink);
    EXPECT_FALSE(outcome.outOfRange);
    EXPECT_TRUE(sink.curve.empty());
    EXPECT_EQ(sink.design.size(), 1u);
}

TEST(Curve, ColdWorkedSteelJumpsStillCloseTheCurve)
{
    // The class-B law jumps at εp and EpsYd; every angle must still get its point.
    for (int steel = 2; steel <= 3; ++steel) {
        for (double nd : {-1500.0, -800.0, -200.0, 0.0, 300.0, 500.0}) {
            SCOPED_TRACE(::testing::Message() << "steel " << steel << ", Nd " << nd);
            auto s = testing::MakeColumn20x40();
            s->Nd = nd;
            RecordingSink sink;
            const CurveOutcome outcome = Generate(*s, sink, MaterialSelection{DefaultConcreteIndex, steel});
            EXPECT_EQ(outcome.anglesWithoutPoint, 0);
            EXPECT_EQ(sink.curve.size(), 102u);
        }
    }
}

TEST(Curve, BarsLevelWithTheExtremeBarSitExactlyAtTheSteelLimit)
{
    // Seven bars on one level at odd coordinates; at theta = 0 with Nd = 0 the
    // search holds the extreme bar at 10 per mil, and with extended precision
    // every bar level with it gets exactly 10 too (a hair above would carry no
    // stress and the search would never settle). A count of 0 stops the
    // generation right after theta = 0, leaving that state behind.
    auto s = testing::MakeRectangleCase(30, 50, {{7, 16, 3.3, 3.7, 26.9, 3.7}, {3, 12.5, 4, 46.1, 26, 46.1}});
    s->CurvePointCount = 0;
    RecordingSink sink;
    EXPECT_EQ(FaultOf(*s, sink), DivisionByZeroMessage);
    ASSERT_EQ(sink.curve.size(), 1u);
    const BarLine& bottom = s->BarLines[0];
    for (int j = 0; j < 7; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(bottom.Strains[static_cast<std::size_t>(j)], 10.0);
    }
}

} // namespace
} // namespace flexara
