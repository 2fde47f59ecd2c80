// The detailing rules, each at its limit and just past it, with the limits
// worked by hand in the comments; the corners of every family; the ties of
// 18.2.4; and the verdict of a case with its detailing data.
#include "engine/design/Detailing.h"
#include "engine/design/Design.h"
#include "engine/case/Shapes.h"
#include "engine/study/CaseVerdict.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flexara {
namespace {

using testing::LineSpec;
using testing::MakeRectangleCase;

// Four bars of diameter d at distance a (cm) from both faces of each corner.
std::unique_ptr<AnalysisState> FourCorners(double b, double h, double d, double a)
{
    return MakeRectangleCase(b, h, {{2, d, a, a, b - a, a}, {2, d, a, h - a, b - a, h - a}});
}

// Limits that the rules of the bars never trip: As,mín 0, As,máx huge.
SteelLimits Loose(const AnalysisState& s)
{
    SteelLimits limits = SteelLimitsOf(s, MaterialSelection{}, {});
    limits.minimum = 0.0;
    limits.maximum = 1e9;
    return limits;
}

DetailingCheck Check(const AnalysisState& s, const Detailing& d, std::optional<double> b = std::nullopt,
                     std::int32_t steel = 1)
{
    return CheckDetailing(s, d, Loose(s), b ? b : DetailingLeastDimension(s, std::nullopt), steel);
}

struct RuleCase {
    const char* name;
    std::unique_ptr<AnalysisState> state;
    Detailing detailing;
    std::optional<double> b; // none: the family's
    std::int32_t steel;
    DetailingRule rule;
    RuleVerdict verdict;
    double value;
    double limit;
};

Detailing WithCover(double c)
{
    Detailing d;
    d.environment.reset();
    d.typedCover = c;
    return d;
}

Detailing WithClass(EnvironmentClass e)
{
    Detailing d;
    d.environment = e;
    return d;
}

Detailing WithAggregate(Detailing d, double dmax)
{
    d.aggregateSize = dmax;
    return d;
}

Detailing WithStirrups(Detailing d, std::optional<double> phiT, std::optional<double> st = std::nullopt)
{
    d.stirrupDiameter = phiT;
    d.stirrupSpacing = st;
    return d;
}

TEST(Detailing, EachRuleAtItsLimitAndJustPast)
{
    const auto H = RuleVerdict::Holds;
    const auto F = RuleVerdict::Fails;
    std::vector<RuleCase> cases;
    // 7.4.7.2, class II: c = 3,0 cm, φ10 gives φt = max(5, 2,5) = 5 mm, the
    // limit c + φt = 3,5 cm; a centre at 4,0 cm has its surface at 4,0 − 0,5
    // = 3,5 cm, one at 3,99 cm at 3,49 cm.
    cases.push_back({"cover at c + φt", FourCorners(20, 40, 10, 4.0), WithClass(EnvironmentClass::II), {}, 1,
                     DetailingRule::BarCover, H, 3.5, 3.5});
    cases.push_back({"cover 0,01 cm short", FourCorners(20, 40, 10, 3.99), WithClass(EnvironmentClass::II), {}, 1,
                     DetailingRule::BarCover, F, 3.49, 3.5});
    // Class IV: c = 5,0, φ20 gives φt = 5: limit 5,5; centre 6,5 − 1,0 = 5,5.
    cases.push_back({"cover of class IV", FourCorners(40, 40, 20, 6.5), WithClass(EnvironmentClass::IV), {}, 1,
                     DetailingRule::BarCover, H, 5.5, 5.5});
    // A bar outside the outline: its centre 1 cm out, surface at −1 − 0,5.
    cases.push_back({"a bar outside", MakeRectangleCase(20, 40, {{1, 10, -1, 20, -1, 20}}), WithCover(2.5), {}, 1,
                     DetailingRule::BarCover, F, -1.5, 3.0});
    // 7.4.7.5: c ≥ φ; class I is 2,5 cm = 25 mm.
    cases.push_back({"c = φ", FourCorners(40, 40, 25, 5.0), WithClass(EnvironmentClass::I), {}, 1,
                     DetailingRule::CoverOverBar, H, 25, 25});
    cases.push_back({"c < φ", FourCorners(40, 40, 32, 5.0), WithClass(EnvironmentClass::I), {}, 1,
                     DetailingRule::CoverOverBar, F, 32, 25});
    // 7.4.7.6: dmax ≤ 1,2·c: 1,2·25 = 30 mm.
    cases.push_back({"dmax = 1,2·c", FourCorners(40, 40, 10, 4), WithAggregate(WithCover(2.5), 30), {}, 1,
                     DetailingRule::AggregateSize, H, 30, 30});
    cases.push_back({"dmax > 1,2·c", FourCorners(40, 40, 10, 4), WithAggregate(WithCover(2.5), 30.1), {}, 1,
                     DetailingRule::AggregateSize, F, 30.1, 30});
    // 18.4.2.1: φ ≥ 10 mm, and φ ≤ b/8 with b = 14 cm: 17,5 mm.
    cases.push_back({"φ = 10", FourCorners(20, 40, 10, 4), Detailing{}, {}, 1, DetailingRule::LeastBarDiameter, H,
                     10, 10});
    cases.push_back({"φ = 8", FourCorners(20, 40, 8, 4), Detailing{}, {}, 1, DetailingRule::LeastBarDiameter, F, 8,
                     10});
    cases.push_back({"φ16 at b = 14", FourCorners(14, 40, 16, 4.5), Detailing{}, {}, 1,
                     DetailingRule::LargestBarDiameter, H, 16, 17.5});
    cases.push_back({"φ20 at b = 14", FourCorners(14, 40, 20, 4.5), Detailing{}, {}, 1,
                     DetailingRule::LargestBarDiameter, F, 20, 17.5});
    // 18.4.2.2, clear spacing: φ10, dmax 19: max(20, 10, 22,8) = 22,8 mm; two
    // bars 3,28 cm apart leave 32,8 − 10 = 22,8 mm, 3,27 cm 22,7 mm.
    cases.push_back({"clear 22,8 mm with dmax 19", MakeRectangleCase(30, 40, {{2, 10, 5, 5, 8.28, 5}}), Detailing{},
                     {}, 1, DetailingRule::ClearSpacing, H, 22.8, 22.8});
    cases.push_back({"clear 22,7 mm with dmax 19", MakeRectangleCase(30, 40, {{2, 10, 5, 5, 8.27, 5}}), Detailing{},
                     {}, 1, DetailingRule::ClearSpacing, F, 22.7, 22.8});
    // dmax 25: 1,2·25 = 30 mm; axis 4,0 cm gives 40 − 10 = 30 mm.
    cases.push_back({"clear 30 mm with dmax 25", MakeRectangleCase(30, 40, {{2, 10, 5, 5, 9, 5}}),
                     WithAggregate(Detailing{}, 25), {}, 1, DetailingRule::ClearSpacing, H, 30, 30});
    cases.push_back({"clear 29,9 mm with dmax 25", MakeRectangleCase(30, 40, {{2, 10, 5, 5, 8.99, 5}}),
                     WithAggregate(Detailing{}, 25), {}, 1, DetailingRule::ClearSpacing, F, 29.9, 30});
    // φ25 governs over 1,2·19 = 22,8: axis 5,0 cm leaves 25 mm.
    cases.push_back({"clear = φ25", MakeRectangleCase(30, 40, {{2, 25, 6, 6, 11, 6}}), Detailing{}, {}, 1,
                     DetailingRule::ClearSpacing, H, 25, 25});
    // Overlapping bars: 1 cm apart, 10 − 20 = −10 mm.
    cases.push_back({"overlapping bars", MakeRectangleCase(30, 40, {{2, 20, 6, 6, 7, 6}}), Detailing{}, {}, 1,
                     DetailingRule::ClearSpacing, F, -10, 22.8});
    // Axis spacing along a face ≤ min(2·b, 40): b = 20 gives 40 cm; b = 14
    // gives 28 cm. The bars along x = 4 of a tall rectangle.
    cases.push_back({"axis 40 cm at b = 20", MakeRectangleCase(20, 100, {{2, 10, 4, 4, 4, 44}}), Detailing{}, {}, 1,
                     DetailingRule::AxisSpacing, H, 40, 40});
    cases.push_back({"axis 40,1 cm at b = 20", MakeRectangleCase(20, 100, {{2, 10, 4, 4, 4, 44.1}}), Detailing{}, {},
                     1, DetailingRule::AxisSpacing, F, 40.1, 40});
    cases.push_back({"axis 28 cm at b = 14", MakeRectangleCase(14, 100, {{2, 10, 4, 4, 4, 32}}), Detailing{}, {}, 1,
                     DetailingRule::AxisSpacing, H, 28, 28});
    cases.push_back({"axis 28,1 cm at b = 14", MakeRectangleCase(14, 100, {{2, 10, 4, 4, 4, 32.1}}), Detailing{}, {},
                     1, DetailingRule::AxisSpacing, F, 28.1, 28});
    // 18.4.3, φt ≥ max(5, φ/4): φ25 asks 6,25 mm.
    cases.push_back({"φt 6,3 for φ25", FourCorners(40, 40, 25, 5.0), WithStirrups(Detailing{}, 6.3), {}, 1,
                     DetailingRule::StirrupDiameter, H, 6.3, 6.25});
    cases.push_back({"φt 5 for φ25", FourCorners(40, 40, 25, 5.0), WithStirrups(Detailing{}, 5.0), {}, 1,
                     DetailingRule::StirrupDiameter, F, 5, 6.25});
    // st ≤ min(20, b, 12·φ) for CA-50: φ10, b = 20: 12 cm.
    cases.push_back({"st 12 cm, CA-50", FourCorners(20, 40, 10, 4), WithStirrups(Detailing{}, {}, 12.0), {}, 1,
                     DetailingRule::StirrupSpacing, H, 12, 12});
    cases.push_back({"st 12,5 cm, CA-50", FourCorners(20, 40, 10, 4), WithStirrups(Detailing{}, {}, 12.5), {}, 1,
                     DetailingRule::StirrupSpacing, F, 12.5, 12});
    // CA-25: 24·φ; φ8 gives 19,2 cm, under b = 20 and 20 cm.
    cases.push_back({"st 19,2 cm, CA-25", FourCorners(20, 40, 8, 4), WithStirrups(Detailing{}, {}, 19.2), {}, 0,
                     DetailingRule::StirrupSpacing, H, 19.2, 19.2});
    cases.push_back({"st 19,3 cm, CA-25", FourCorners(20, 40, 8, 4), WithStirrups(Detailing{}, {}, 19.3), {}, 0,
                     DetailingRule::StirrupSpacing, F, 19.3, 19.2});
    // CA-25 with φ10: 24 cm, then b = 18 governs.
    cases.push_back({"st at b = 18, CA-25", FourCorners(18, 40, 10, 4), WithStirrups(Detailing{}, {}, 18.0), {}, 0,
                     DetailingRule::StirrupSpacing, H, 18, 18});
    // 18.4.2.2 corners: the bar's centre no farther than c + φt + φ = 3 +
    // 0,5 + 1,0 = 4,5 cm from both faces.
    cases.push_back({"corner bars at 4,5 cm", FourCorners(30, 40, 10, 4.5), Detailing{}, {}, 1,
                     DetailingRule::CornerBars, H, 4, 4});
    cases.push_back({"corner bars at 4,51 cm", FourCorners(30, 40, 10, 4.51), Detailing{}, {}, 1,
                     DetailingRule::CornerBars, F, 0, 4});
    cases.push_back({"two bars in a 20 × 20", MakeRectangleCase(20, 20, {{2, 10, 4, 4, 16, 4}}), Detailing{}, {}, 1,
                     DetailingRule::CornerBars, F, 2, 4});

    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DetailingCheck check = Check(*c.state, c.detailing, c.b, c.steel);
        const RuleCheck& rule = check.Of(c.rule);
        EXPECT_EQ(rule.rule, c.rule);
        EXPECT_EQ(rule.verdict, c.verdict);
        EXPECT_NEAR(rule.value, c.value, 1e-9);
        EXPECT_NEAR(rule.limit, c.limit, 1e-9);
    }
}

TEST(Detailing, TheStirrupsTheProgramProposes)
{
    const struct {
        double largest; // mm
        double phiT;    // the least of the list with φt ≥ max(5, φ/4)
    } automatic[] = {{10, 5}, {20, 5}, {22, 6.3}, {25, 6.3}, {32, 8}, {40, 10}};
    for (const auto& a : automatic) {
        SCOPED_TRACE(a.largest);
        EXPECT_EQ(AutomaticStirrupDiameter(a.largest), a.phiT);
    }
    // The proposed st: the largest whole centimetre under the limit.
    const struct {
        double b, d;
        std::int32_t steel;
        double st;
    } spacings[] = {
        {20, 12.5, 1, 15}, // 12·1,25 = 15
        {20, 10, 3, 12},   // CA-60: 12·1,0
        {20, 10, 0, 20},   // CA-25: 24·1,0 = 24 > 20
        {30, 8, 0, 19},    // CA-25: 24·0,8 = 19,2
        {16, 16, 2, 16},   // 12·1,6 = 19,2 > b = 16
    };
    for (const auto& s : spacings) {
        SCOPED_TRACE(s.st);
        const auto state = FourCorners(s.b, 40, s.d, 4.5);
        const DetailingCheck check = Check(*state, Detailing{}, std::nullopt, s.steel);
        EXPECT_EQ(check.stirrupSpacing, s.st);
        EXPECT_EQ(check.Of(DetailingRule::StirrupSpacing).verdict, RuleVerdict::Holds);
    }
}

TEST(Detailing, TheConvexCornersOfEveryFamily)
{
    const struct {
        const char* name;
        std::uint8_t kind;
        std::array<double, ShapeDimCount> dims;
        std::size_t corners;
    } cases[] = {
        {"rectangle", ShapeRectangle, {20, 40, 0, 0, 0, 0}, 4},
        {"trapezoid", ShapeTrapezoid, {15, 30, 0, 40, 0, 0}, 4},
        {"T: eight vertices, two re-entrant", ShapeT, {60, 20, 0, 12, 40, 0}, 6},
        {"L: six vertices, one re-entrant", ShapeL, {15, 40, 0, 50, 18, 0}, 5},
        {"U: eight vertices, two re-entrant", ShapeU, {20, 16, 60, 50, 14, 0}, 6},
        // The hole's corners are re-entrant and the slit's ends no corners.
        {"box: the four outer corners", ShapeBox, {15, 18, 80, 60, 16, 20}, 4},
        {"H: twelve vertices, four re-entrant", ShapeH, {70, 20, 22, 60, 20, 24}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisState s;
        s.Section.ShapeKind = c.kind;
        s.Section.VertexCount = ShapeFamilyOf(c.kind).vertexCount;
        s.ShapeDims = c.dims;
        BuildSectionPolygon(s);
        EXPECT_EQ(OutlineFaces(s.Section).ConvexCorners().size(), c.corners);
    }
    // Clockwise, the same four corners.
    auto s = MakeRectangleCase(20, 40, {});
    testing::SetFreePolygon(*s, {{0, 0}, {0, 40}, {20, 40}, {20, 0}});
    EXPECT_EQ(OutlineFaces(s->Section).ConvexCorners().size(), 4u);
}

TEST(Detailing, TiesWithin20PhiTOfACorner)
{
    // 20 × 60, c = 3, φ10: φt = 5 mm, 20·φt = 10 cm. Corner bars at 4 cm;
    // more bars along the face x = 4 above the corner bar at y = 4.
    const struct {
        const char* name;
        std::vector<double> ys; // of the bars along x = 4 besides the corners
        int ties;
    } cases[] = {
        {"one bar 10 cm from the corner bar: protected", {14}, 0},
        {"one bar 10,01 cm away: a tie", {14.01}, 1},
        {"two bars within 10 cm: protected", {9, 14}, 0},
        // Three in the stretch: none of them is protected, as the code reads.
        {"three bars within 10 cm: three ties", {8, 11, 14}, 3},
        // 26 and 30 are 26 and 22 cm from either corner bar: two ties.
        {"two bars mid-face: two ties", {26, 30}, 2},
        // 48 and 52 are within 10 cm of the top corner bar at 56.
        {"two bars near the top corner", {48, 52}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = FourCorners(20, 60, 10, 4);
        for (const double y : c.ys) {
            BarLine& line = s->BarLines[static_cast<std::size_t>(s->LineCount++)];
            line.BarCount = 1;
            line.Diameter = 10;
            line.X1 = line.X2 = 4;
            line.Y1 = line.Y2 = y;
        }
        const DetailingCheck check = Check(*s, Detailing{});
        EXPECT_EQ(check.cornerBars.size(), 4u);
        EXPECT_EQ(check.Ties(), c.ties);
        // Needing ties breaks no rule.
        EXPECT_EQ(check.Of(DetailingRule::CornerBars).verdict, RuleVerdict::Holds);
    }
}

TEST(Detailing, AFreePolygonWithoutItsLeastDimensionSaysSo)
{
    auto s = FourCorners(20, 40, 10, 4);
    testing::SetFreePolygon(*s, {{0, 0}, {20, 0}, {20, 40}, {0, 40}});
    const DetailingCheck without = Check(*s, Detailing{});
    for (const DetailingRule rule :
         {DetailingRule::LargestBarDiameter, DetailingRule::AxisSpacing, DetailingRule::StirrupSpacing})
        EXPECT_EQ(without.Of(rule).verdict, RuleVerdict::NotJudged) << DetailingRuleItem(rule);
    EXPECT_FALSE(without.Holds());
    // The column's typed b judges them.
    Column column;
    column.leastDimension = 20;
    const DetailingCheck with =
        CheckDetailing(*s, Detailing{}, Loose(*s), DetailingLeastDimension(*s, column), 1);
    EXPECT_TRUE(with.Holds());
}

TEST(Detailing, TheVerdictOfACaseWithDetailingData)
{
    // 20 × 40, 4 φ20 at 4,5 cm (c = 3, φt 5: the surface at 3,5 cm, the
    // clear distance 20 − 9 − 2 = 9 cm along x, 31 − 2 = 29 cm along y,
    // axis 31 cm ≤ 40); As = 12,57 cm² between As,mín = 0,4 % of 800 = 3,2
    // and As,máx = 32.
    auto s = FourCorners(20, 40, 20, 4.5);
    const CombinationList rows = {{"ELU 1", -300, 10, 5}};
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, std::nullopt, 1);
    const CaseVerdict plain = JudgeCase(*s, MaterialSelection{}, rows, check, std::nullopt);
    ASSERT_TRUE(plain.holds);
    EXPECT_FALSE(plain.detailing.has_value());
    const CaseVerdict detailed = JudgeCase(*s, MaterialSelection{}, rows, check, std::nullopt, Detailing{});
    ASSERT_TRUE(detailed.detailing.has_value());
    EXPECT_TRUE(detailed.holds);
    EXPECT_EQ(CaseVerdictText(detailed), CaseVerdictText(plain));

    // Class IV: c = 5 cm, c + φt = 5,5 > 3,5: the cover breaks, and the
    // corner bars (reach 5 + 0,5 + 2 = 7,5 ≥ 4,5) stay.
    Detailing deep;
    deep.environment = EnvironmentClass::IV;
    const CaseVerdict broken = JudgeCase(*s, MaterialSelection{}, rows, check, std::nullopt, deep);
    EXPECT_TRUE(broken.combinationsHold);
    EXPECT_FALSE(broken.holds);
    EXPECT_EQ(broken.detailing->Broken(), std::vector<DetailingRule>{DetailingRule::BarCover});
    const std::string text = CaseVerdictText(broken);
    EXPECT_EQ(text.rfind("A seção não atende: todas as combinações atendem (combinação determinante ELU 1, η = ", 0), 0u)
        << text;
    EXPECT_NE(text.find("; as barras não atendem ao detalhamento: cobrimento das barras (7.4.7.2)."),
              std::string::npos)
        << text;
}

TEST(Detailing, TheDiameterDesignOfAnotherFamilyJudgesTheRules)
{
    // A trapezoid of equal bases, 20 × 40, is designed by diameter: its four
    // bars stay with their centres 4 cm from the faces. As,mín = 0,4 % of
    // 800 = 3,2 cm² (0,15·300/43,48 = 1,04 is less): φ10 (3,14) misses it.
    auto s = FourCorners(20, 40, 10, 4);
    s->Section.ShapeKind = ShapeTrapezoid;
    s->ShapeDims = {20, 20, 0, 40, 0, 0};
    BuildSectionPolygon(*s);
    const CombinationList rows = {{"ELU", -300, 10, 5}};
    const DesignResult plain = DesignReinforcement(*s, MaterialSelection{}, rows, std::nullopt, 1);
    ASSERT_GE(plain.chosen, 0);
    EXPECT_EQ(plain.options[static_cast<std::size_t>(plain.chosen)].diameter, 12.5);
    EXPECT_FALSE(plain.options[0].detailing.has_value());

    // Class I: c + φt = 3,0 cm; a bar of φ leaves 4 − φ/20 cm: up to φ20
    // (3,0) it holds, φ22 (2,9) leaves the cover and "não cabe".
    const DesignResult classI = DesignReinforcement(*s, MaterialSelection{}, rows, std::nullopt, 1, nullptr,
                                                    CurveReading::AroundEachRay, WithClass(EnvironmentClass::I));
    ASSERT_GE(classI.chosen, 0);
    EXPECT_EQ(classI.options[static_cast<std::size_t>(classI.chosen)].diameter, 12.5);
    for (const DesignOption& o : classI.options) {
        SCOPED_TRACE(o.diameter);
        ASSERT_TRUE(o.detailing.has_value());
        EXPECT_EQ(o.fits, o.diameter <= 20);
    }
    // Class II: 3,5 cm; φ10 leaves 3,5 but misses As,mín, φ12,5 leaves 3,375:
    // no diameter holds.
    const DesignResult classII = DesignReinforcement(*s, MaterialSelection{}, rows, std::nullopt, 1, nullptr,
                                                     CurveReading::AroundEachRay, WithClass(EnvironmentClass::II));
    EXPECT_EQ(classII.chosen, -1);
    EXPECT_TRUE(classII.options[3].fits);
    EXPECT_FALSE(classII.options[4].fits);
}

} // namespace
} // namespace flexara
