// Small and slender columns: γn and the least dimensions, b of every family,
// the wall column, the symmetry of the bars and the approximate methods'
// refusals, creep, the limits of λ for each method, and the coupled method's
// (EI)sec and Md,tot worked by hand from point B. Every expected number is
// worked in its comment.
#include "engine/column/Slenderness.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Design.h"
#include "engine/section/Capacity.h"
#include "engine/section/NdCurves.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace flexara {
namespace {

constexpr std::size_t X = static_cast<std::size_t>(Bending::Mx);
constexpr std::size_t Y = static_cast<std::size_t>(Bending::My);

Column PinnedColumn(double leX, double leY, SecondOrderMethod method)
{
    Column column;
    column.bending[X] = ColumnBending{leX, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[Y] = ColumnBending{leY, SupportCondition::PinnedWithoutTransverseLoads};
    column.method = method;
    return column;
}

CombinationResult CheckRow(const AnalysisState& s, const Column& column, const LoadCombination& row)
{
    return CheckCombinations(s, MaterialSelection{}, {row}, column, 1).rows[0];
}

// A b x 40 column (b along x) with a 16 mm bar 4 cm in from each corner.
std::unique_ptr<AnalysisState> Narrow(double b, double h = 40)
{
    return testing::MakeRectangleCase(b, h, {{2, 16, 4, 4, b - 4, 4}, {2, 16, 4, h - 4, b - 4, h - 4}});
}

TEST(SmallColumns, GammaNMultipliesEveryForceBeforeTheCheck)
{
    const struct {
        double b;
        double gammaN; // 1,95 − 0,05·b below 19 cm
    } cases[] = {
        {14, 1.25},    // 1,95 − 0,70
        {16.5, 1.125}, // 1,95 − 0,825
        {19, 1.0},     // 1,95 − 0,95, and 1 from there on
        {25, 1.0},
    };
    const Column column = PinnedColumn(280, 280, SecondOrderMethod::Curvature);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.b);
        EXPECT_NEAR(GammaN(c.b), c.gammaN, 1e-15);
        auto s = Narrow(c.b);
        LoadCombination row{"c", -500, 10, 4};
        row.MxdBase = -8.0;
        const CombinationResult result = CheckRow(*s, column, row);
        ASSERT_TRUE(result.column.has_value());
        const ColumnResult& checked = *result.column;
        EXPECT_EQ(checked.status, ColumnCheckStatus::Checked);
        EXPECT_EQ(*checked.leastDimension, c.b);
        EXPECT_NEAR(checked.gammaN, c.gammaN, 1e-15);
        EXPECT_EQ(checked.before.nd, -500);
        EXPECT_EQ(checked.before.base.x, -8);
        EXPECT_EQ(checked.before.base.y, 4) << "the base takes the top's where the row has none";
        EXPECT_NEAR(checked.after.nd, -500 * c.gammaN, 1e-12);
        EXPECT_NEAR(checked.after.top.x, 10 * c.gammaN, 1e-12);
        EXPECT_NEAR(checked.after.top.y, 4 * c.gammaN, 1e-12);
        EXPECT_NEAR(checked.after.base.x, -8 * c.gammaN, 1e-12);
        // M1d,min follows: |Nd|·γn·(0,015 + 0,03·b/100) in the bending of Myd.
        EXPECT_NEAR(checked.bending[Y].m1dMin, 500 * c.gammaN * (0.015 + 0.0003 * c.b), 1e-9);
        // The top is read on the curve of γn·Nd at γn·(Mxd, Myd).
        const double nds[] = {checked.after.nd};
        const NdCurve curve = GenerateCurves(*s, MaterialSelection{}, nds, 1)[0];
        EXPECT_EQ(*checked.situations[0].reading.utilisation,
                  *CapacityAlongRay(curve.points, checked.after.top).utilisation);
    }
}

TEST(SmallColumns, TheCodesLeastDimensionsAndTheWallAreRefused)
{
    const struct {
        const char* name;
        double b, h;
        ColumnRefusal refusal;
        const char* message;
    } cases[] = {
        {"b = 13,9 cm", 13.9, 40, ColumnRefusal::LeastDimensionBelow14,
         "b = 13,9 cm < 14 cm: a NBR 6118:2014 (13.2.3) não admite pilar com menor dimensão abaixo de 14 cm."},
        // 14 x 25,642857 = 359 cm².
        {"Ac = 359 cm²", 14, 359.0 / 14, ColumnRefusal::AreaBelow360,
         "Ac < 360 cm²: a NBR 6118:2014 (13.2.3) não admite pilar com área abaixo de 360 cm²."},
        // 100,5 > 5·20.
        {"a wall", 20, 100.5, ColumnRefusal::WallColumn,
         "Lado maior acima de 5 vezes o menor: pilar-parede (NBR 6118:2014, 14.4.2.4); a verificação de 15.9 não é "
         "feita aqui."},
        {"100 = 5·20 is no wall yet", 20, 100, ColumnRefusal::None, ""},
        {"14 cm, 560 cm²", 14, 40, ColumnRefusal::None, ""},
    };
    const Column column = PinnedColumn(250, 250, SecondOrderMethod::Curvature);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = Narrow(c.b, c.h);
        const CombinationCheck check =
            CheckCombinations(*s, MaterialSelection{}, {{"c", -300, 5, 5}, {"t", 100, 5, 5}}, column, 1);
        for (const CombinationResult& row : check.rows) {
            ASSERT_TRUE(row.column.has_value());
            EXPECT_EQ(row.column->refusal, c.refusal);
            if (c.refusal == ColumnRefusal::None) {
                EXPECT_NE(row.status, CombinationStatus::Refused);
                continue;
            }
            // Every row, in tension too: the case is no column the code allows.
            EXPECT_EQ(row.status, CombinationStatus::Refused);
            EXPECT_EQ(row.column->status, ColumnCheckStatus::Refused);
            EXPECT_FALSE(row.utilisation.has_value());
            EXPECT_EQ(CombinationMessage(row), c.message);
        }
    }
}

TEST(SmallColumns, LeastDimensionOfEachFamily)
{
    const struct {
        const char* name;
        std::uint8_t kind;
        std::array<double, ShapeDimCount> dims; // B1 B2 B3 H1 H2 H3 (the rectangle B H)
        double b;
    } cases[] = {
        {"rectangle: min(B, H)", ShapeRectangle, {50, 20, 0, 0, 0, 0}, 20},
        {"trapezoid: min(B1, B2, H)", ShapeTrapezoid, {15, 30, 0, 40, 0, 0}, 15},
        {"T: the web B2 and the flange H1", ShapeT, {60, 20, 0, 12, 40, 0}, 12},
        {"L: the leg B1 and the foot H2", ShapeL, {15, 40, 0, 50, 18, 0}, 15},
        {"U: the legs B1, B2 and the base H2", ShapeU, {20, 16, 60, 50, 14, 0}, 14},
        {"box: the walls B1, B2 and the slabs H2, H3", ShapeBox, {15, 18, 80, 60, 16, 20}, 15},
        // The web between the notches: 60 − 20 − 24 = 16.
        {"H: the flanges B2, B3 and the web H1 − H2 − H3", ShapeH, {70, 20, 22, 60, 20, 24}, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisState s;
        s.Section.ShapeKind = c.kind;
        s.ShapeDims = c.dims;
        ASSERT_TRUE(FamilyLeastDimension(s).has_value());
        EXPECT_EQ(*FamilyLeastDimension(s), c.b);
    }

    // The free polygon has no rule: the column check needs its typed b.
    auto s = testing::MakeColumn20x40();
    testing::SetFreePolygon(*s, {{0, 0}, {20, 0}, {20, 40}, {0, 40}});
    EXPECT_FALSE(FamilyLeastDimension(*s).has_value());
    Column column = PinnedColumn(250, 250, SecondOrderMethod::Curvature);
    const CombinationResult without = CheckRow(*s, column, {"c", -300, 5, 5});
    EXPECT_EQ(without.status, CombinationStatus::Refused);
    EXPECT_EQ(without.column->refusal, ColumnRefusal::LeastDimensionMissing);
    EXPECT_EQ(CombinationMessage(without),
              "Seção poligonal sem a menor dimensão: informe b (cm) para verificar o pilar.");
    column.leastDimension = 16.0; // γn = 1,95 − 0,80 = 1,15
    const CombinationResult typed = CheckRow(*s, column, {"c", -300, 5, 5});
    EXPECT_EQ(typed.column->status, ColumnCheckStatus::Checked);
    EXPECT_NEAR(typed.column->gammaN, 1.15, 1e-15);
}

TEST(SmallColumns, TheDesignReadsEachRowAsTheCheckDoes)
{
    // A 16 x 40 column (γn = 1,15), le = 300 cm both ways (λ = 65 about y):
    // the governing η of every diameter the design tries is that of the
    // check of the case with that diameter, by every kind of method.
    const CombinationList rows = {{"a", -600, 20, 8}, {"b", -1000, 5, 12, -5.0, 6.0}, {"t", 50, 4, 2}};
    for (const SecondOrderMethod method :
         {SecondOrderMethod::Curvature, SecondOrderMethod::Coupled, SecondOrderMethod::General}) {
        SCOPED_TRACE(static_cast<int>(method));
        auto s = Narrow(16);
        const Column column = PinnedColumn(300, 300, method);
        const DesignResult design = DesignReinforcement(*s, MaterialSelection{}, rows, column, 2);
        int compared = 0;
        for (const DesignOption& option : design.options) {
            if (option.diameter < 10 || option.diameter > 25)
                continue;
            SCOPED_TRACE(option.diameter);
            auto t = std::make_unique<AnalysisState>(*s);
            ApplyDiameterToEveryLine(*t, option.diameter);
            const CombinationCheck check = CheckCombinations(*t, MaterialSelection{}, rows, column, 1);
            EXPECT_EQ(option.governingRow, check.governing);
            const CombinationResult& governing = check.rows[static_cast<std::size_t>(check.governing)];
            ASSERT_EQ(option.governingEta.has_value(), governing.utilisation.has_value());
            if (governing.utilisation) {
                EXPECT_EQ(*option.governingEta, *governing.utilisation);
            }
            EXPECT_NEAR(governing.column->gammaN, 1.15, 1e-15);
            ++compared;
        }
        EXPECT_GE(compared, 5);
    }
}

TEST(ApproximateMethods, WhereTheyApply)
{
    // The bars of the 20 x 40 column lie at x = 4, 16 and y = 4, 36: about
    // the centroid (10, 20) at ±6 and ±16, mirrored both ways.
    const std::vector<SectionBar> symmetric = {
        {{-6, -16}, 3.14, 20}, {{6, -16}, 3.14, 20}, {{-6, 16}, 3.14, 20}, {{6, 16}, 3.14, 20}};
    const struct {
        const char* name;
        int moved;       // the bar changed, -1 none
        Point to;        // its new place
        double diameter; // its new diameter
        bool aboutX, aboutY;
    } cases[] = {
        {"the 20 x 40 column", -1, {}, 20, true, true},
        {"a bar 5e-7 cm off its place", 3, {6 + 5e-7, 16}, 20, true, true},
        {"a bar 2e-6 cm off its place", 3, {6 + 2e-6, 16}, 20, false, false},
        // (6, 15) has no bar at its images (6, −15) and (−6, 15).
        {"a bar moved along y", 3, {6, 15}, 20, false, false},
        {"a bar of 16 mm among those of 20", 0, {-6, -16}, 16, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<SectionBar> bars = symmetric;
        if (c.moved >= 0)
            bars[static_cast<std::size_t>(c.moved)] = SectionBar{c.to, 3.14, c.diameter};
        EXPECT_EQ(BarsSymmetricAbout(bars, Bending::Mx), c.aboutX);
        EXPECT_EQ(BarsSymmetricAbout(bars, Bending::My), c.aboutY);
    }
    // Two bars on one place are not both the image of one bar.
    std::vector<SectionBar> doubled = {{{0, 10}, 1, 10}, {{0, 10}, 1, 10}, {{0, -10}, 1, 10}};
    EXPECT_FALSE(BarsSymmetricAbout(doubled, Bending::Mx));

    // Through the check, where the bending needs second order: le = 450 cm,
    // λx = 450/11,547 = 39,0 and λy = 450/5,774 = 77,9, both above λ1 = 35.
    auto column20x40 = testing::MakeColumn20x40();
    // Both top bars at y = 35: about x (y → 40 − y) they have no image at 5;
    // about y (x → 20 − x) they still have.
    auto raised = testing::MakeRectangleCase(20, 40, {{2, 20, 4, 4, 16, 4}, {2, 20, 4, 35, 16, 35}});
    // An L of legs 15 cm thick, a bar in each corner.
    auto l = testing::MakeRectangleCase(20, 40, {{2, 16, 3, 3, 37, 3}, {2, 16, 3, 47, 12, 47}});
    testing::SetFreePolygon(*l, {{0, 0}, {40, 0}, {40, 15}, {15, 15}, {15, 50}, {0, 50}});
    const struct {
        const char* name;
        const AnalysisState* state;
        SecondOrderMethod method;
        ColumnRefusal refusal;
        Bending bending;
    } rows[] = {
        {"20 x 40, curvature", column20x40.get(), SecondOrderMethod::Curvature, ColumnRefusal::None, Bending::Mx},
        {"20 x 40, κ", column20x40.get(), SecondOrderMethod::Stiffness, ColumnRefusal::None, Bending::Mx},
        {"raised bars, curvature", raised.get(), SecondOrderMethod::Curvature, ColumnRefusal::BarsNotSymmetric,
         Bending::Mx},
        {"raised bars, κ", raised.get(), SecondOrderMethod::Stiffness, ColumnRefusal::BarsNotSymmetric, Bending::Mx},
        // The L's radius about x is larger (λx ≤ 35): only its Myd needs second order.
        {"L, κ", l.get(), SecondOrderMethod::Stiffness, ColumnRefusal::OutlineNotRectangle, Bending::My},
        {"L, curvature", l.get(), SecondOrderMethod::Curvature, ColumnRefusal::BarsNotSymmetric, Bending::My},
        {"raised bars, coupled", raised.get(), SecondOrderMethod::Coupled, ColumnRefusal::None, Bending::Mx},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Column column = PinnedColumn(450, 450, r.method);
        column.leastDimension = 15; // the L's legs (the rectangles have theirs)
        const CombinationResult result = CheckRow(*r.state, column, {"c", -300, 0, 0});
        const ColumnResult& checked = *result.column;
        EXPECT_EQ(checked.refusal, r.refusal);
        if (r.refusal == ColumnRefusal::None) {
            EXPECT_NE(checked.status, ColumnCheckStatus::Refused);
            continue;
        }
        EXPECT_EQ(result.status, CombinationStatus::Refused);
        EXPECT_EQ(checked.slenderBending, r.bending);
        const std::string message = CombinationMessage(result);
        EXPECT_NE(message.find("use o pilar-padrão acoplado a diagramas M, N, 1/r"), std::string::npos) << message;
        EXPECT_NE(message.find(std::string("o ") + SecondOrderMethodText(r.method) + " não se aplica"),
                  std::string::npos)
            << message;
    }
    // The grounds are kept for the record: the raised bars are symmetric about y only.
    const ColumnResult raisedResult =
        *CheckRow(*raised, PinnedColumn(450, 450, SecondOrderMethod::Coupled), {"c", -300, 0, 0}).column;
    EXPECT_FALSE(raisedResult.barsSymmetric[X]);
    EXPECT_TRUE(raisedResult.barsSymmetric[Y]);
    EXPECT_TRUE(raisedResult.rectangle);
    EXPECT_EQ(raisedResult.bending[X].curvatureMethodRefusal, ColumnRefusal::BarsNotSymmetric);
    EXPECT_EQ(raisedResult.bending[Y].curvatureMethodRefusal, ColumnRefusal::None);
}

TEST(Creep, WorkedByHand)
{
    // The 20 x 40 column bent about y (h = 20): Ic = 40·20³/12 = 26666,67 cm⁴;
    // C-30 on granite: Eci = 5600·√30 = 30672,46 MPa = 3067,246 kN/cm².
    // Nd = −800, MA = 20, le = 600 cm, φ = 2, ψ = 0,6:
    //   Ne = 10·3067,246·26666,67/600² = 2272,034 kN; Nsg = 480 kN; Msg = 12 kN·m;
    //   θ1 = 1/(100·√6) = 0,0040825 (within 1/300..1/200); ea = 0,0040825·600/2 = 1,22474 cm;
    //   exponent = 2·480/(2272,034 − 480) = 0,535704; 2,718^0,535704 = 1,707154;
    //   e_cc = (1200/480 + 1,22474)·0,707154 = 2,639190 cm; |Nd|·e_cc = 21,11352 kN·m.
    const double eci = InitialModulus(30, Aggregate::GraniteOrGneiss);
    EXPECT_NEAR(eci, 3067.2463, 1e-4);
    bool stable = false;
    const CreepResult creep = CreepOf(-800, 20, 600, 2.0, 0.6, eci, 40.0 * 8000.0 / 12.0, stable);
    EXPECT_TRUE(stable);
    EXPECT_NEAR(creep.ne, 2272.0343, 1e-4);
    EXPECT_NEAR(creep.nsg, 480, 1e-12);
    EXPECT_NEAR(creep.msg, 12, 1e-12);
    EXPECT_NEAR(creep.theta1, 0.00408248, 1e-8);
    EXPECT_NEAR(creep.ea, 1.224745, 1e-6);
    EXPECT_NEAR(creep.ecc, 2.639190, 1e-6);
    EXPECT_NEAR(creep.moment, 21.11352, 1e-5);

    // θ1 held: le = 100 cm gives 1/100 → 1/200; 1600 cm gives 1/400 → 1/300.
    EXPECT_DOUBLE_EQ(ImperfectionAngle(100), 1.0 / 200);
    EXPECT_DOUBLE_EQ(ImperfectionAngle(1600), 1.0 / 300);
    // Above C50: 21,5·10³·(70/10 + 1,25)^(1/3) = 43443,33 MPa; basalt 1,2 times.
    EXPECT_NEAR(InitialModulus(70, Aggregate::GraniteOrGneiss), 4344.333, 1e-3);
    EXPECT_NEAR(InitialModulus(70, Aggregate::Basalt), 5213.200, 1e-3);
    EXPECT_NEAR(InitialModulus(30, Aggregate::Sandstone), 0.7 * 3067.2463, 1e-4);
    // Ne ≤ Nsg: with ψ = 1 and Nd = −2300 kN, Nsg = 2300 > Ne = 2272.
    CreepOf(-2300, 20, 600, 2.0, 1.0, eci, 40.0 * 8000.0 / 12.0, stable);
    EXPECT_FALSE(stable);
}

TEST(CoupledMethod, SecantStiffnessAndTotalMomentWorkedFromPointB)
{
    // The 20 x 40 C-30 column, four 20 mm bars, le = 450 cm both ways, at
    // Nd = −800 kN. The curve of −800 kN gives MRd = 148,968 kN·m along ±Mx
    // and 62,480 along ±My (the bars are mirrored both ways: each side alike).
    //   Mxd: MRd/γf3 = 135,4255; the deformation curve reaches it at
    //   1/r = 0,00804493 1/m, so (EI)sec = 135,4255/0,00804493 = 16833,64 kN·m²,
    //   κ = 16833,64·10⁴/(800·40²·2,142857) = 61,373;
    //   1 − 800·4,5²/(10·16833,64) = 0,903764; MA = 0: M1d,A = M1d,min =
    //   800·(0,015 + 0,03·0,40) = 21,6 and Md,tot = 21,6/0,903764 = 23,9000.
    //   Myd: MRd/γf3 = 56,8000 reached at 1/r = 0,0167338: (EI)sec = 3394,315,
    //   κ = 3394,315·10⁴/(800·20²·2,142857) = 49,500; 1 − 16200/33943,15 =
    //   0,522731; M1d,min = 800·0,021 = 16,8 → Md,tot = 32,1389. With the end
    //   moments 20 and 20 (αb = 1, λ1 = (25 + 12,5·2,5/20) → 35 < 77,9):
    //   Md,tot = 20/0,522731 = 38,2605.
    auto s = testing::MakeColumn20x40();
    const Column column = PinnedColumn(450, 450, SecondOrderMethod::Coupled);
    const struct {
        const char* name;
        LoadCombination row;
        double mdTotX, mdTotY;
    } cases[] = {
        {"no end moments", {"c", -800, 0, 0}, 23.9000, 32.1389},
        {"equal end moments in Myd", {"c", -800, 0, 20, 0.0, 20.0}, 23.9000, 38.2605},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationResult result = CheckRow(*s, column, c.row);
        const ColumnResult& checked = *result.column;
        ASSERT_EQ(checked.status, ColumnCheckStatus::Checked);
        const struct {
            std::size_t bending;
            double mrd, curvature, eiSec, kappa, denominator, mdTot;
        } bendings[] = {
            {X, 148.968, 0.00804493, 16833.64, 61.373, 0.903764, c.mdTotX},
            {Y, 62.480, 0.01673384, 3394.315, 49.500, 0.522731, c.mdTotY},
        };
        for (const auto& b : bendings) {
            SCOPED_TRACE(b.bending);
            const BendingCheck& check = checked.bending[b.bending];
            ASSERT_TRUE(check.coupled.has_value());
            for (const auto& side : check.coupled->sides) {
                ASSERT_TRUE(side.has_value());
                EXPECT_NEAR(side->mrd, b.mrd, 1e-3);
                EXPECT_NEAR(side->target, side->mrd / 1.1, 1e-12);
                EXPECT_NEAR(side->pointB->moment, side->target, 1e-9 * side->target);
                EXPECT_NEAR(side->pointB->curvature, b.curvature, 1e-8);
                // The working above from this side's own B.
                const double eiSec = side->target / side->pointB->curvature;
                EXPECT_NEAR(side->eiSec, eiSec, 1e-9 * eiSec);
                EXPECT_NEAR(side->eiSec, b.eiSec, 0.01);
                EXPECT_NEAR(side->kappa, eiSec * 1e4 / (800.0 * check.h * check.h * 3.0 / 1.4), 1e-9);
                EXPECT_NEAR(side->kappa, b.kappa, 1e-3);
                EXPECT_NEAR(side->denominator, 1 - 800 * 4.5 * 4.5 / (10 * eiSec), 1e-12);
                EXPECT_NEAR(side->denominator, b.denominator, 1e-6);
                EXPECT_NEAR(side->mdTot, check.alphaB * check.m1dA / side->denominator, 1e-9);
            }
            EXPECT_NEAR(check.mdTot, b.mdTot, 1e-4);
            EXPECT_NEAR(check.mdMinTot, check.m1dMin / check.coupled->sides[0]->denominator, 1e-9);
            // The curve the diagrams draw has the very B of the check.
            const DeformationStudy study =
                StudyDeformation(*s, MaterialSelection{}, -800, DirectionOf(static_cast<Bending>(b.bending)), 40);
            for (int side = 0; side < 2; ++side) {
                ASSERT_TRUE(study.secant[static_cast<std::size_t>(side)].has_value());
                EXPECT_EQ(study.secant[static_cast<std::size_t>(side)]->eiSec,
                          check.coupled->sides[static_cast<std::size_t>(side)]->eiSec);
                EXPECT_EQ(study.curves[static_cast<std::size_t>(side)].size(), 40u);
            }
        }
        EXPECT_NE(result.status, CombinationStatus::Refused);
    }
}

TEST(CoupledMethod, SlendernessLimitsOfEachMethod)
{
    // The 20 x 40 column bent about y: i = 20/√12 = 5,7735 cm, so le = λ·i.
    // About x λ stays below 90 (le/11,547).
    auto s = testing::MakeColumn20x40();
    const double i = 20 / std::sqrt(12.0);
    const struct {
        const char* name;
        double lambda;
        SecondOrderMethod method;
        bool creep;
        ColumnCheckStatus status;
        ColumnRefusal refusal;
        const char* message; // the start of it
    } cases[] = {
        {"91, curvature", 91, SecondOrderMethod::Curvature, true, ColumnCheckStatus::TooSlender, ColumnRefusal::None,
         "λ = 91,00 > 90 para Myd: os métodos aproximados não se aplicam."},
        {"91, coupled without φ and ψ", 91, SecondOrderMethod::Coupled, false, ColumnCheckStatus::Refused,
         ColumnRefusal::CreepDataMissing,
         "λ = 91,00 > 90 para Myd: a fluência é obrigatória (NBR 6118:2014, 15.8.4); faltam φ e ψ."},
        {"91, coupled with creep", 91, SecondOrderMethod::Coupled, true, ColumnCheckStatus::Checked,
         ColumnRefusal::None, ""},
        {"139, coupled with creep", 139, SecondOrderMethod::Coupled, true, ColumnCheckStatus::Checked,
         ColumnRefusal::None, ""},
        {"141, coupled", 141, SecondOrderMethod::Coupled, true, ColumnCheckStatus::Refused,
         ColumnRefusal::GeneralMethodNeeded, "λ = 141,00 > 140 para Myd: só o método geral"},
        {"201, coupled", 201, SecondOrderMethod::Coupled, true, ColumnCheckStatus::Refused,
         ColumnRefusal::SlendernessAbove200, "λ = 201,00 > 200 para Myd: a NBR 6118:2014 (15.8.1)"},
        {"201, κ", 201, SecondOrderMethod::Stiffness, true, ColumnCheckStatus::Refused,
         ColumnRefusal::SlendernessAbove200, "λ = 201,00 > 200 para Myd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Column column = PinnedColumn(300, c.lambda * i, c.method);
        if (c.creep) {
            column.creepCoefficient = 2.0;
            column.quasiPermanentShare = 0.6;
        }
        const CombinationResult result = CheckRow(*s, column, {"c", -150, 2, 3});
        const ColumnResult& checked = *result.column;
        EXPECT_NEAR(checked.bending[Y].lambda, c.lambda, 1e-9);
        EXPECT_EQ(checked.status, c.status);
        EXPECT_EQ(checked.refusal, c.refusal);
        if (c.status == ColumnCheckStatus::Checked) {
            // Creep in the slender bending only; its moment added before the amplification.
            ASSERT_TRUE(checked.bending[Y].creep.has_value());
            EXPECT_FALSE(checked.bending[X].creep.has_value());
            const CoupledSide& side = *checked.bending[Y].coupled->sides[0];
            const double m1 = checked.bending[Y].m1dA + checked.bending[Y].creep->moment;
            EXPECT_NEAR(side.mdTot, std::max(checked.bending[Y].alphaB * m1 / side.denominator, m1), 1e-9);
            EXPECT_TRUE(result.utilisation.has_value());
            continue;
        }
        EXPECT_EQ(result.status, CombinationStatus::Refused);
        EXPECT_EQ(CombinationMessage(result).rfind(c.message, 0), 0u) << CombinationMessage(result);
    }
}

TEST(CoupledMethod, InstabilityFailsTheRow)
{
    // Myd at λ = 139 under −900 kN: 1/r at B is large and (EI)sec small, and
    // |Nd|·le²/(10·(EI)sec) passes 1; with ψ = 1 at λ = 139 and −2300 kN,
    // Ne = 10·3067,25·26666,67/802,5² = 1270 kN < Nsg.
    auto s = testing::MakeColumn20x40();
    const double le = 139 * 20 / std::sqrt(12.0);
    const struct {
        const char* name;
        double nd, psi;
        Instability instability;
    } cases[] = {
        {"secant stiffness", -900, 0.0, Instability::SecantStiffness},
        {"creep", -1300, 1.0, Instability::CreepEuler},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Column column = PinnedColumn(300, le, SecondOrderMethod::Coupled);
        column.creepCoefficient = 2.0;
        column.quasiPermanentShare = c.psi;
        const CombinationResult result = CheckRow(*s, column, {"c", c.nd, 0, 5});
        EXPECT_EQ(result.status, CombinationStatus::Fails);
        EXPECT_EQ(result.column->status, ColumnCheckStatus::Unstable);
        EXPECT_EQ(result.column->instability, c.instability);
        EXPECT_EQ(result.column->slenderBending, Bending::My);
        EXPECT_FALSE(result.utilisation.has_value());
        EXPECT_EQ(CombinationMessage(result).rfind("Instabilidade em Myd", 0), 0u);
    }
}

} // namespace
} // namespace flexara
