// The column checks of NBR 6118:2014: the outline's radii of gyration, αb,
// λ1, the minimum moment as a floor, the two approximate methods of local
// second order, the refusal beyond λ = 90, rows in tension, and the design
// situations read off the curve of the row's Nd. Every expected number is
// worked by hand in its comment.
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/section/Capacity.h"
#include "engine/section/NdCurves.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace flexara {
namespace {

constexpr std::size_t X = static_cast<std::size_t>(Bending::Mx);
constexpr std::size_t Y = static_cast<std::size_t>(Bending::My);

// The 20 x 50 cm column (20 along x, 50 along y) with a 20 mm bar near each
// corner, C-30, CA-50 A.
std::unique_ptr<AnalysisState> Column20x50()
{
    return testing::MakeRectangleCase(20, 50, {{2, 20, 4, 4, 16, 4}, {2, 20, 4, 46, 16, 46}});
}

Column PinnedColumn(double le, SecondOrderMethod method = SecondOrderMethod::Curvature)
{
    Column column;
    column.bending[X] = ColumnBending{le, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[Y] = ColumnBending{le, SupportCondition::PinnedWithoutTransverseLoads};
    column.method = method;
    return column;
}

LoadCombination Row(double nd, double mxd, double myd, std::optional<double> mxdBase = std::nullopt,
                    std::optional<double> mydBase = std::nullopt)
{
    LoadCombination row{"c", nd, mxd, myd};
    row.MxdBase = mxdBase;
    row.MydBase = mydBase;
    return row;
}

// The curve of one Nd, generated apart from the check.
NdCurve CurveAt(const AnalysisState& state, double nd)
{
    const double nds[] = {nd};
    return GenerateCurves(state, MaterialSelection{}, nds, 1)[0];
}

void ExpectSameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    ASSERT_EQ(a.has_value(), b.has_value());
    if (a) {
        EXPECT_EQ(std::memcmp(&*a, &*b, sizeof(double)), 0) << *a << " " << *b;
    }
}

TEST(ColumnSection, ExtentsAndRadiiOfGyrationOfTheOutline)
{
    struct Case {
        const char* name;
        std::vector<Point> vertices;
        double area;
        double hx, hy; // extents of the bendings of Mxd (along y) and Myd (along x)
        double ix, iy;
    };
    const Case cases[] = {
        // b·h³/12 over b·h: i = h/√12. 50/√12 = 14.43376, 20/√12 = 5.773503.
        {"20 x 50 rectangle", {{0, 0}, {20, 0}, {20, 50}, {0, 50}}, 1000, 50, 20, 14.433757, 5.773503},
        // An L of two 300 cm² rectangles: the 30 x 10 foot, centroid (15, 5),
        // and the 10 x 30 leg, centroid (5, 25); together the centroid (10, 15).
        // Ix = 30·10³/12 + 300·10² + 10·30³/12 + 300·10² = 85000 cm⁴, i = √(85000/600) = 11.902381;
        // Iy = 10·30³/12 + 300·5² + 30·10³/12 + 300·5² = 40000 cm⁴, i = √(40000/600) = 8.164966.
        {"L outline", {{0, 0}, {30, 0}, {30, 10}, {10, 10}, {10, 40}, {0, 40}}, 600, 40, 30, 11.902381, 8.164966},
        {"the same L clockwise",
         {{0, 40}, {10, 40}, {10, 10}, {30, 10}, {30, 0}, {0, 0}},
         600,
         40,
         30,
         11.902381,
         8.164966},
        // Shifted far from the origin: the moments are taken about the centroid.
        {"rectangle far away",
         {{1000, 2000}, {1020, 2000}, {1020, 2050}, {1000, 2050}},
         1000,
         50,
         20,
         14.433757,
         5.773503},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeRectangleCase(20, 40, {});
        testing::SetFreePolygon(*s, {});
        for (const Point& p : c.vertices)
            s->Section.Vertices[static_cast<std::size_t>(s->Section.VertexCount++)] = p;
        s->Fcd = 2.5;
        const ColumnSection section = ColumnSectionOf(*s);
        EXPECT_NEAR(section.area, c.area, 1e-9);
        EXPECT_EQ(section.fcd, 2.5);
        EXPECT_NEAR(section.h[X], c.hx, 1e-12);
        EXPECT_NEAR(section.h[Y], c.hy, 1e-12);
        EXPECT_NEAR(section.i[X], c.ix, 1e-6);
        EXPECT_NEAR(section.i[Y], c.iy, 1e-6);
    }
}

// One bending worked out by hand. The section: h = 20 cm, i = 20/√12 =
// 5.773503 cm (a 20 cm wide rectangle); Nd = −1000 kN, so
// M1d,min = 1000·(0,015 + 0,03·0,20) = 21 kN·m.
TEST(ColumnBendingCheck, CurvatureMethodStepByStep)
{
    const double h = 20.0;
    const double i = 20.0 / std::sqrt(12.0);
    const double nd = -1000.0;
    using C = SupportCondition;
    struct Case {
        const char* name;
        C condition;
        double le, nu, top, base;
        double alphaB, e1, lambda1, m1dA;
        bool secondOrder;
        double curvature; // 0 without second order
        double mdTot, mdMinTot;
    };
    const Case cases[] = {
        // λ = 300/5.7735 = 51.96. MA = 10 < 21: αb = 1, not 0,60 + 0,40·(−1) = 0,20 → 0,40;
        // e1 = 10·100/1000 = 1 cm, λ1 = 25 + 12,5·1/20 = 25,6 → 35. M1d,A = max(10, 21) = 21, not 10 + 21.
        // 1/r = 0,005/(0,20·1,2) = 0,0208333; |Nd|·le²/10·1/r = 1000·9/10·0,0208333 = 18,75.
        // Md,tot = 1·21 + 18,75 = 39,75; the envelope's the same: 39,75.
        {"below the minimum: αb = 1 and the minimum as a floor", C::PinnedWithoutTransverseLoads, 300, 0.7, 10, -10,
         1.0, 1.0, 35, 21, true, 0.005 / 0.24, 39.75, 39.75},
        // MA = 30 at the top, MB = 0: αb = 0,60; e1 = 3 cm; λ1 = (25 + 12,5·3/20)/0,6 = 44,79 < 51,96.
        // Md,tot = 0,6·30 + 18,75 = 36,75 ≥ 30. Envelope: 21 + 18,75 = 39,75.
        {"single end moment", C::PinnedWithoutTransverseLoads, 300, 0.7, 30, 0, 0.6, 3, 26.875 / 0.6, 30, true,
         0.005 / 0.24, 36.75, 39.75},
        // MA = 40 at the base (larger than the top's 20), MB/MA = +0,5: αb = 0,80; e1 = 4;
        // λ1 = (25 + 2,5)/0,8 = 34,375 → 35. Md,tot = 0,8·40 + 18,75 = 50,75.
        {"MA is the larger end", C::PinnedWithoutTransverseLoads, 300, 0.7, 20, 40, 0.8, 4, 35, 40, true, 0.005 / 0.24,
         50.75, 39.75},
        // ν = 0,2: 0,005/(0,20·0,7) = 0,0357 is held to 0,005/0,20 = 0,025: 1000·0,9·0,025 = 22,5;
        // Md,tot = 21 + 22,5 = 43,5 (43,5 also for the envelope).
        {"1/r held to 0,005/h", C::PinnedWithoutTransverseLoads, 300, 0.2, 0, 0, 1.0, 0, 35, 21, true, 0.025, 43.5,
         43.5},
        // MA = 60, MB = −60: αb = 0,20 → 0,40; e1 = 6; λ1 = (25 + 3,75)/0,4 = 71,875 < λ = 450/5,7735 = 77,94.
        // ν = 1,5: 1/r = 0,005/(0,20·2) = 0,0125; 1000·20,25/10·0,0125 = 25,3125;
        // 0,4·60 + 25,3125 = 49,3125 < 60: Md,tot = 60. Envelope: 21 + 25,3125 = 46,3125.
        {"never below M1d,A", C::PinnedWithoutTransverseLoads, 450, 1.5, 60, -60, 0.4, 6, 71.875, 60, true, 0.0125, 60,
         46.3125},
        // λ = 200/5,7735 = 34,64 ≤ 35: no second order, Md,tot = M1d,A = 21.
        {"λ ≤ λ1: no second order", C::PinnedWithoutTransverseLoads, 200, 0.7, 5, 5, 1.0, 0.5, 35, 21, false, 0, 21,
         21},
        // Transverse loads: αb = 1 whatever the ends; MA = 30, e1 = 3, λ1 = 26,875 → 35.
        // Md,tot = 30 + 18,75 = 48,75.
        {"transverse loads", C::PinnedWithTransverseLoads, 300, 0.7, 30, -30, 1.0, 3, 35, 30, true, 0.005 / 0.24, 48.75,
         39.75},
        // Cantilever, MA = the base's 40, the top −40: MC = 0, αb = 0,80 → 0,85; e1 = 4;
        // λ1 = 27,5/0,85 = 32,35 → 35. Md,tot = 0,85·40 + 18,75 = 52,75.
        {"cantilever floor 0,85", C::Cantilever, 300, 0.7, -40, 40, 0.85, 4, 35, 40, true, 0.005 / 0.24, 52.75, 39.75},
        // Cantilever, the base's 30 is MA though the top's 40 is larger: MC = 35,
        // αb = 0,80 + 0,20·35/30 = 1,033 → 1,0; e1 = 3, λ1 = 26,875 → 35. Md,tot = 30 + 18,75 = 48,75.
        {"cantilever: MA is the base", C::Cantilever, 300, 0.7, 40, 30, 1.0, 3, 35, 30, true, 0.005 / 0.24, 48.75,
         39.75},
        // Cantilever, top 0, base 30: MC = 15, αb = 0,80 + 0,10 = 0,90; e1 = 3;
        // λ1 = 26,875/0,9 = 29,86 → 35. Md,tot = 0,9·30 + 18,75 = 45,75.
        {"cantilever between the bounds", C::Cantilever, 300, 0.7, 0, 30, 0.9, 3, 35, 30, true, 0.005 / 0.24, 45.75,
         39.75},
        // MB/MA = −1: αb = 0,4; e1 = 500·100/1000 = 50 cm;
        // λ1 = (25 + 12,5·50/20)/0,4 = 56,25/0,4 = 140,6 → 90 ≥ λ = 51,96: no second order.
        {"λ1 held to 90", C::PinnedWithoutTransverseLoads, 300, 0.7, 500, -500, 0.4, 50, 90, 500, false, 0, 500, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnBending bending{c.le, c.condition};
        const BendingCheck check = CheckBending(bending, SecondOrderMethod::Curvature, h, i, nd, c.nu, c.top, c.base);
        EXPECT_NEAR(check.lambda, c.le / i, 1e-12);
        EXPECT_NEAR(check.m1dMin, 21.0, 1e-12);
        EXPECT_NEAR(check.alphaB, c.alphaB, 1e-12);
        EXPECT_NEAR(check.e1, c.e1, 1e-12);
        EXPECT_NEAR(check.lambda1, c.lambda1, 1e-12);
        EXPECT_NEAR(check.m1dA, c.m1dA, 1e-12);
        EXPECT_EQ(check.secondOrder, c.secondOrder);
        EXPECT_EQ(check.curvature.has_value(), c.secondOrder);
        if (check.curvature) {
            EXPECT_NEAR(*check.curvature, c.curvature, 1e-15);
        }
        EXPECT_FALSE(check.kappaOverNu.has_value());
        EXPECT_NEAR(check.mdTot, c.mdTot, 1e-9);
        EXPECT_NEAR(check.mdMinTot, c.mdMinTot, 1e-9);
    }
}

TEST(ColumnBendingCheck, AlphaBOfTheEndMoments)
{
    // M1d,min = 21 kN·m as above; MA = 30 stays above it.
    const struct {
        const char* name;
        double ratio; // MB/MA
        double alphaB;
    } cases[] = {
        {"single curvature MB/MA = +0,5", 0.5, 0.8},      // 0,60 + 0,40·0,5
        {"one end moment MB/MA = 0", 0.0, 0.6},           // 0,60
        {"double curvature MB/MA = −0,667", -0.667, 0.4}, // 0,60 − 0,2668 = 0,333 → 0,40
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(AlphaB(SupportCondition::PinnedWithoutTransverseLoads, 30.0, 30.0 * c.ratio, 21.0), c.alphaB,
                    1e-12);
        // The same with the larger end at the base.
        const BendingCheck check =
            CheckBending(ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads},
                         SecondOrderMethod::Curvature, 20, 20 / std::sqrt(12.0), -1000, 0.7, 30.0 * c.ratio, 30.0);
        EXPECT_EQ(check.ma, 30.0);
        EXPECT_NEAR(check.alphaB, c.alphaB, 1e-12);
    }
}

// κ/ν = 32·(1 + 5·M/(h·|Nd|)) and M = αb·M1d,A/(1 − λ²/(120·κ/ν)), iterated
// from well above the solution with half steps (a full step overshoots into
// negative moments for the slender columns).
double StiffnessIteration(double nd, double lambda, double hCm, double alphaB, double m1dA, int& steps)
{
    const double hn = hCm / 100.0 * std::fabs(nd);
    double m = 20.0 * m1dA;
    for (steps = 0; steps < 500; ++steps) {
        const double kappaOverNu = 32.0 * (1.0 + 5.0 * m / hn);
        const double next = 0.5 * m + 0.5 * alphaB * m1dA / (1.0 - lambda * lambda / (120.0 * kappaOverNu));
        if (std::fabs(next - m) <= 1e-13 * m)
            return next;
        m = next;
    }
    return m;
}

TEST(ColumnBendingCheck, StiffnessMethodClosedFormEqualsItsIteration)
{
    const struct {
        double nd, lambda, h, alphaB, m1dA;
    } cases[] = {
        {-1000, 51.96, 20, 1.0, 21},  {-1000, 77.94, 20, 0.4, 60}, {-1000, 85, 20, 1.0, 21},
        {-1400, 48.5, 20, 1.0, 29.4}, {-500, 60, 30, 0.8, 50},     {-3000, 89, 15, 1.0, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lambda);
        int steps = 0;
        const double iterated = StiffnessIteration(c.nd, c.lambda, c.h, c.alphaB, c.m1dA, steps);
        ASSERT_LT(steps, 500) << "the iteration did not settle";
        const SecondOrderMoment closed = StiffnessMethodMoment(c.nd, c.lambda, c.h, c.alphaB, c.m1dA);
        EXPECT_NEAR(closed.mdTot, std::max(iterated, c.m1dA), 1e-9 * iterated);
        EXPECT_NEAR(closed.kappaOverNu, 32.0 * (1.0 + 5.0 * iterated / (c.h / 100.0 * -c.nd)), 1e-9);
    }
    // αb = 0,4 and λ = 40: the root, 31,32 kN·m (the iteration's), is below
    // M1d,A = 60, which is then Md,tot.
    int steps = 0;
    const double root = StiffnessIteration(-1000, 40, 20, 0.4, 60, steps);
    EXPECT_NEAR(root, 31.319, 1e-3);
    EXPECT_EQ(StiffnessMethodMoment(-1000, 40, 20, 0.4, 60).mdTot, 60.0);
}

TEST(ColumnBendingCheck, StiffnessMethodThroughTheBendingCheck)
{
    // The first case of the curvature table with the κ method: λ = 51,96 > 35,
    // αb = 1, M1d,A = 21; the closed form's 33,90 kN·m (the iteration above
    // gives the same); the envelope is the same column.
    const double i = 20.0 / std::sqrt(12.0);
    const BendingCheck check = CheckBending(ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads},
                                            SecondOrderMethod::Stiffness, 20, i, -1000, 0.0, 10, -10);
    int steps = 0;
    const double iterated = StiffnessIteration(-1000, 300 / i, 20, 1.0, 21, steps);
    EXPECT_NEAR(iterated, 33.90, 0.01);
    EXPECT_TRUE(check.secondOrder);
    EXPECT_FALSE(check.curvature.has_value());
    ASSERT_TRUE(check.kappaOverNu.has_value());
    EXPECT_NEAR(check.mdTot, iterated, 1e-9);
    EXPECT_NEAR(check.mdMinTot, iterated, 1e-9);
}

// The 20 x 50 column of the example: C-30, Nd = −1400 kN, le = 280 cm both
// ways, no first-order moments, the curvature method.
TEST(ColumnRows, TheIntermediateColumn20x50)
{
    auto s = Column20x50();
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, {Row(-1400, 0, 0)}, PinnedColumn(280), 1);
    ASSERT_EQ(check.rows.size(), 1u);
    const CombinationResult& row = check.rows[0];
    ASSERT_TRUE(row.column.has_value());
    const ColumnResult& column = *row.column;
    EXPECT_EQ(column.status, ColumnCheckStatus::Checked);
    // ν = 1400/(1000·3,0/1,4) = 0,65333.
    ASSERT_TRUE(column.nu.has_value());
    EXPECT_NEAR(*column.nu, 0.653333, 1e-6);

    // The bending of Myd, h = 20 cm: i = 5,7735, λ = 280/5,7735 = 48,50;
    // M1d,min = 1400·(0,015 + 0,006) = 29,4; MA = 0 < 29,4, αb = 1; e1 = 0,
    // λ1 = 25 → 35 < 48,50: second order.
    // 1/r = 0,005/(0,20·1,15333) = 0,0216763 ≤ 0,025;
    // Md,tot = 29,4 + 1400·2,8²/10·0,0216763 = 29,4 + 23,792 = 53,19 kN·m.
    const BendingCheck& y = column.bending[Y];
    EXPECT_NEAR(y.h, 20, 1e-12);
    EXPECT_NEAR(y.lambda, 48.497, 1e-3);
    EXPECT_NEAR(y.m1dMin, 29.4, 1e-9);
    EXPECT_EQ(y.alphaB, 1.0);
    EXPECT_EQ(y.lambda1, 35.0);
    EXPECT_TRUE(y.secondOrder);
    EXPECT_NEAR(*y.curvature, 0.0216763, 1e-7);
    EXPECT_NEAR(y.mdTot, 53.19, 0.005);
    EXPECT_NEAR(y.mdTot, 53.19191, 1e-5);

    // The bending of Mxd, h = 50 cm: λ = 280/14,434 = 19,40 ≤ 35: no second
    // order; Md,tot = M1d,min = 1400·(0,015 + 0,015) = 42,0.
    const BendingCheck& x = column.bending[X];
    EXPECT_NEAR(x.h, 50, 1e-12);
    EXPECT_NEAR(x.lambda, 19.399, 1e-3);
    EXPECT_FALSE(x.secondOrder);
    EXPECT_FALSE(x.curvature.has_value());
    EXPECT_NEAR(x.mdTot, 42.0, 1e-9);
    EXPECT_NEAR(x.mdMinTot, 42.0, 1e-9);
    EXPECT_NEAR(y.mdMinTot, y.mdTot, 1e-9) << "MA = 0: the envelope's column is the row's";

    // The situations: the ends at the origin (η = 0), the intermediate
    // section at (±42,0, ±53,19) and the envelope inside that rectangle; on
    // a convex curve η is largest at a corner of the rectangle: the
    // intermediate section governs.
    ASSERT_EQ(column.situations.size(), 4u);
    EXPECT_EQ(column.situations[0].situation, DesignSituation::Top);
    EXPECT_EQ(*column.situations[0].reading.utilisation, 0.0);
    EXPECT_EQ(column.situations[1].situation, DesignSituation::Base);
    EXPECT_EQ(column.situations[2].situation, DesignSituation::Intermediate);
    EXPECT_EQ(column.situations[3].situation, DesignSituation::Minimum);
    EXPECT_EQ(column.governingSituation, 2);
    const Point corner = column.situations[2].moments;
    EXPECT_NEAR(std::fabs(corner.x), 42.0, 1e-9);
    EXPECT_NEAR(std::fabs(corner.y), y.mdTot, 1e-12);
    EXPECT_LT(*column.situations[3].reading.utilisation, *column.situations[2].reading.utilisation);
    ExpectSameBits(row.utilisation, column.situations[2].reading.utilisation);
    EXPECT_EQ(row.status, *row.utilisation <= 1.0 ? CombinationStatus::Holds : CombinationStatus::Fails);
}

TEST(ColumnRows, SituationsAreReadOffTheCurveOfTheRowsNd)
{
    auto s = Column20x50();
    const NdCurve curve = CurveAt(*s, -1400);
    // Bars at both faces but a long column in Myd: the situations differ.
    Column column = PinnedColumn(280);
    column.bending[Y].le = 400; // λ = 69,3
    const struct {
        const char* name;
        LoadCombination row;
    } cases[] = {
        {"large top", Row(-1400, 120, 10, 20.0, 5.0)},
        {"large base", Row(-1400, 10, 5, -130.0, -12.0)},
        {"moderate ends", Row(-1400, 40, 20, 30.0, 20.0)},
        {"negative MA", Row(-1400, -40, -30, -20.0, 10.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, {c.row}, column, 1);
        const ColumnResult& result = *check.rows[0].column;
        ASSERT_EQ(result.situations.size(), 4u);
        // Top and base at the row's own moments, each η that of the ray on the curve.
        const Point base{*c.row.MxdBase, *c.row.MydBase};
        const Point expected[2] = {{c.row.Mxd, c.row.Myd}, base};
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(result.situations[static_cast<std::size_t>(k)].moments.x, expected[k].x);
            EXPECT_EQ(result.situations[static_cast<std::size_t>(k)].moments.y, expected[k].y);
            ExpectSameBits(result.situations[static_cast<std::size_t>(k)].reading.utilisation,
                           CapacityAlongRay(curve.points, expected[k]).utilisation);
        }
        // The intermediate section at both Md,tot, each on the side of its MA.
        const BendingCheck& x = result.bending[X];
        const BendingCheck& y = result.bending[Y];
        const Point middle{std::copysign(x.mdTot, x.ma), std::copysign(y.mdTot, y.ma)};
        EXPECT_EQ(result.situations[2].moments.x, middle.x);
        EXPECT_EQ(result.situations[2].moments.y, middle.y);
        ExpectSameBits(result.situations[2].reading.utilisation, CapacityAlongRay(curve.points, middle).utilisation);
        // The envelope's point lies on its ellipse, and no point of the
        // ellipse reads a larger η.
        const Point minimum = result.situations[3].moments;
        EXPECT_NEAR(std::pow(minimum.x / x.mdMinTot, 2) + std::pow(minimum.y / y.mdMinTot, 2), 1.0, 1e-12);
        const double minimumEta = *result.situations[3].reading.utilisation;
        ExpectSameBits(minimumEta, CapacityAlongRay(curve.points, minimum).utilisation);
        for (int k = 0; k < 72; ++k) {
            const double angle = 2 * 3.14159265358979323846 * k / 72;
            const Point p{x.mdMinTot * std::cos(angle), y.mdMinTot * std::sin(angle)};
            EXPECT_LE(*CapacityAlongRay(curve.points, p).utilisation, minimumEta * (1 + 1e-12)) << k;
        }
        // The row's η is the largest of its situations.
        double largest = 0;
        for (const SituationReading& r : result.situations)
            largest = std::max(largest, *r.reading.utilisation);
        ExpectSameBits(check.rows[0].utilisation, largest);
        ExpectSameBits(check.rows[0].utilisation,
                       result.situations[static_cast<std::size_t>(result.governingSituation)].reading.utilisation);
    }
}

TEST(ColumnRows, TheGoverningSituationIsNamed)
{
    auto symmetric = Column20x50();
    // Bars at the bottom only: a negative Mx puts the bare top in tension, the
    // weak side of the section.
    auto bottomBars = testing::MakeRectangleCase(20, 50, {{3, 20, 4, 4, 16, 4}});
    Column shortColumn = PinnedColumn(100); // λ = 6,9 and 17,3: no second order
    Column slenderInMy = PinnedColumn(280);
    slenderInMy.bending[Y].le = 400; // λ = 69,3
    const struct {
        const char* name;
        const AnalysisState* state;
        const Column* column;
        LoadCombination row;
        DesignSituation governing;
    } cases[] = {
        // Mx: MA = the top's 30 (the base's −29 is smaller), so the
        // intermediate section sits at (+30, ±4,2) on the strong side, and
        // the envelope (6·cos, 4,2·sin) is far smaller: the base's −29 on
        // the weak side governs.
        {"base", bottomBars.get(), &shortColumn, Row(-200, 30, 0, -29.0, 0.0), DesignSituation::Base},
        // Mx: MA = 120 with MB/MA = 1/6: αb = 0,667, e1 = 8,6 cm,
        // λ1 = (25 + 12,5·8,6/50)/0,667 = 40,7 > λ = 19,4: Md,tot,x = 120,
        // the top's; My: 10 < M1d,min = 29,4, so Md,tot,y = 29,4 + 48,55 =
        // 77,95 > 10. The intermediate (120, 77,95) lies beyond the top.
        {"intermediate", symmetric.get(), &slenderInMy, Row(-1400, 120, 10, 20.0, 5.0), DesignSituation::Intermediate},
        // My: MA = 30, MB = −30: αb = 0,40, λ1 = (25 + 12,5·2,14/20)/0,4 = 65,8 < 69,3;
        // 1/r = 0,0216763, |Nd|·le²/10·1/r = 1400·16/10·0,0216763 = 48,55;
        // Md,tot,y = 0,4·30 + 48,55 = 60,55, but the envelope's column with
        // αb = 1 and M1d,min = 29,4: 29,4 + 48,55 = 77,95 in the weak bending.
        {"minimum", symmetric.get(), &slenderInMy, Row(-1400, 1, 30, 1.0, -30.0), DesignSituation::Minimum},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CombinationCheck check = CheckCombinations(*c.state, MaterialSelection{}, {c.row}, *c.column, 1);
        const ColumnResult& result = *check.rows[0].column;
        ASSERT_GE(result.governingSituation, 0);
        EXPECT_EQ(result.situations[static_cast<std::size_t>(result.governingSituation)].situation, c.governing);
    }
}

TEST(ColumnRows, AnMAWithoutASideIsReadBothWays)
{
    // Bars only at the bottom: the curve is far from symmetric in Mx, and a
    // moment of no side of its own must be read on its worse side.
    auto s = testing::MakeRectangleCase(20, 50, {{3, 20, 4, 4, 16, 4}});
    const NdCurve curve = CurveAt(*s, -600);
    const Column column = PinnedColumn(400); // λ = 27,7 and 69,3
    const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, {Row(-600, 0, 0)}, column, 1);
    const ColumnResult& result = *check.rows[0].column;
    const Point middle = result.situations[2].moments;
    // The worst of the four corners (±Md,tot,x, ±Md,tot,y).
    double worst = 0;
    for (const double sx : {1.0, -1.0})
        for (const double sy : {1.0, -1.0})
            worst = std::max(
                worst,
                *CapacityAlongRay(curve.points, Point{sx * std::fabs(middle.x), sy * std::fabs(middle.y)}).utilisation);
    ExpectSameBits(result.situations[2].reading.utilisation, worst);
    const double positive =
        *CapacityAlongRay(curve.points, Point{std::fabs(middle.x), std::fabs(middle.y)}).utilisation;
    EXPECT_NE(positive, worst) << "the positive corner alone misses the worse side";
}

TEST(ColumnRows, BeyondLambda90IsRefused)
{
    auto s = Column20x50();
    const struct {
        const char* name;
        double leX, leY;
        const char* message;
    } cases[] = {
        // 600/5,7735 = 103,923: two decimals.
        {"Myd", 280, 600, "λ = 103,92 > 90 para Myd: os métodos aproximados não se aplicam."},
        // 1300/14,4338 = 90,0666.
        {"Mxd", 1300, 280, "λ = 90,07 > 90 para Mxd: os métodos aproximados não se aplicam."},
        // 1299,2/14,4338 = 90,0108.
        {"just above", 1299.2, 280, "λ = 90,01 > 90 para Mxd: os métodos aproximados não se aplicam."},
        // 1299,07/14,43376 = 90,0022: "90,00" would not be above 90.
        {"closer", 1299.07, 280, "λ = 90,002 > 90 para Mxd: os métodos aproximados não se aplicam."},
        // Both beyond: the refusal names the first, Mxd: 1500/14,4338 = 103,92.
        {"both", 1500, 600, "λ = 103,92 > 90 para Mxd: os métodos aproximados não se aplicam."},
        // 1e308/14,43376 = 6,93e306: in engineering notation, not 307 digits;
        // beyond 200 no column is allowed at all (15.8.1).
        {"huge", 1e308, 280,
         "λ = 6,9E+306 > 200 para Mxd: a NBR 6118:2014 (15.8.1) não admite pilar com esbeltez acima de 200."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Column column = PinnedColumn(0);
        column.bending[X].le = c.leX;
        column.bending[Y].le = c.leY;
        const CombinationCheck check =
            CheckCombinations(*s, MaterialSelection{}, {Row(-1400, 10, 10), Row(50, 10, 10)}, column, 1);
        const CombinationResult& refused = check.rows[0];
        EXPECT_EQ(refused.status, CombinationStatus::Refused);
        EXPECT_EQ(refused.column->status,
                  std::string(c.name) == "huge" ? ColumnCheckStatus::Refused : ColumnCheckStatus::TooSlender);
        EXPECT_FALSE(refused.utilisation.has_value());
        EXPECT_TRUE(refused.column->situations.empty());
        EXPECT_EQ(CombinationMessage(refused), c.message);
        EXPECT_EQ(check.governing, 0) << "a refused row governs";
        // The row in tension is no column and is not refused.
        EXPECT_EQ(check.rows[1].status, CombinationStatus::Holds);
    }
}

// λ printed so that it agrees with the comparison with 90 it reports: the
// decimal expansions of the doubles, by hand, are 90,0000000000000994... and
// (the next double above 90) 90,0000000000000142...
TEST(ColumnTexts, SlendernessShowsWhichSideOf90ItIs)
{
    const struct {
        double lambda;
        const char* text;
    } cases[] = {
        {90.0000000000001, "90,0000000000001"},             // 13 decimals, rounded up
        {std::nextafter(90.0, 100.0), "90,00000000000001"}, // 14: the 13th would round to 90
        {90.004, "90,004"},                                 // "90,00" is not above 90
        {90.0, "90,00"},                                    // not refused: two decimals
        {89.999, "90,00"},                                  // ≤ 90 both as value and as text
        {96.0, "96,00"},
        {103.92304845413263, "103,92"},
        {999999.0, "999999,00"},
        {1e6, "1,0E+006"}, // from a million, engineering notation
        {6.928203230275508e306, "6,9E+306"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SlendernessText(c.lambda), c.text);
    }
}

// A column needs a positive length in each bending; the first that is not
// is named, Mxd before Myd.
TEST(ColumnTexts, ALengthThatIsNoneIsNamed)
{
    const struct {
        double leX, leY;
        const char* text; // none for a column that can be checked
    } cases[] = {
        {0.0, 280.0, "Pilar: le (Mxd) nulo: o comprimento de flambagem deve ser positivo"},
        {280.0, 0.0, "Pilar: le (Myd) nulo: o comprimento de flambagem deve ser positivo"},
        {0.0, 0.0, "Pilar: le (Mxd) nulo: o comprimento de flambagem deve ser positivo"},
        {-0.0, 280.0, "Pilar: le (Mxd) nulo: o comprimento de flambagem deve ser positivo"},
        {280.0, -1.0, "Pilar: le (Myd) negativo"},
        {280.0, std::nan(""), "Pilar: le (Myd) inválido"},
        {280.0, 4.9e-324, nullptr}, // the least positive double is a length
        {280.0, 600.0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "positive");
        Column column = PinnedColumn(0);
        column.bending[X].le = c.leX;
        column.bending[Y].le = c.leY;
        const std::optional<ColumnLengthFault> fault = ColumnLengthFaultOf(column);
        ASSERT_EQ(fault.has_value(), c.text != nullptr);
        if (fault) {
            EXPECT_EQ(ColumnLengthText(*fault), c.text);
        }
    }
    EXPECT_EQ(ColumnLengthText({Bending::My, LengthProblem::Missing}),
              "Pilar: le (Myd) não informado: o comprimento de flambagem deve ser positivo");
}

TEST(ColumnRows, ARowInTensionHasNoColumnCheck)
{
    auto s = Column20x50();
    const Column column = PinnedColumn(600); // λ = 103,9 in Myd: refused in compression
    const struct {
        double nd;
        ColumnCheckStatus status;
        const char* text;
    } cases[] = {
        // Nd = 0 is no tension: a status of its own, read as tension is.
        {0.0, ColumnCheckStatus::ZeroForce, "Nd nulo: sem verificação de pilar"},
        {-0.0, ColumnCheckStatus::ZeroForce, "Nd nulo: sem verificação de pilar"},
        {100.0, ColumnCheckStatus::Tension, "Nd de tração: sem verificação de pilar"},
    };
    for (const auto& c : cases) {
        const double nd = c.nd;
        SCOPED_TRACE(nd);
        const NdCurve curve = CurveAt(*s, nd);
        const CombinationCheck check =
            CheckCombinations(*s, MaterialSelection{}, {Row(nd, 10, 0, 30.0, -5.0)}, column, 1);
        const CombinationResult& row = check.rows[0];
        ASSERT_TRUE(row.column.has_value());
        EXPECT_EQ(row.column->status, c.status);
        EXPECT_FALSE(row.column->InCompression());
        EXPECT_EQ(ColumnStatusText(*row.column), c.text);
        // No minimum and no second order: only the two ends, as sections.
        ASSERT_EQ(row.column->situations.size(), 2u);
        EXPECT_EQ(row.column->bending[Y].mdTot, 0.0);
        EXPECT_EQ(row.column->situations[static_cast<std::size_t>(row.column->governingSituation)].situation,
                  DesignSituation::Base);
        ExpectSameBits(row.utilisation, CapacityAlongRay(curve.points, Point{30, -5}).utilisation);
        EXPECT_EQ(row.status, CombinationStatus::Holds);
    }
}

TEST(ColumnRows, AbsentBaseMomentsAreTheTopOnes)
{
    auto s = Column20x50();
    const Column column = PinnedColumn(400);
    const CombinationCheck absent = CheckCombinations(*s, MaterialSelection{}, {Row(-900, 35, -12)}, column, 1);
    const CombinationCheck equal =
        CheckCombinations(*s, MaterialSelection{}, {Row(-900, 35, -12, 35.0, -12.0)}, column, 1);
    const ColumnResult& a = *absent.rows[0].column;
    const ColumnResult& e = *equal.rows[0].column;
    EXPECT_EQ(a.situations[1].moments.x, 35.0);
    EXPECT_EQ(a.situations[1].moments.y, -12.0);
    // Mxd: MA = 35 above M1d,min = 900·0,03 = 27 and MB/MA = +1: αb = 1,0
    // (a base taken as zero would give 0,6).
    EXPECT_EQ(a.bending[X].alphaB, 1.0);
    EXPECT_EQ(a.bending[X].alphaB, e.bending[X].alphaB);
    ExpectSameBits(a.bending[Y].mdTot, e.bending[Y].mdTot);
    ExpectSameBits(absent.rows[0].utilisation, equal.rows[0].utilisation);
}

TEST(ColumnRows, AFaultInTheColumnsArithmeticIsTheRowsError)
{
    // A concrete of strength zero ("Outro" with Fcd = 0): the steel alone
    // gives a curve, but ν = |Nd|/(Ac·0) of the curvature method divides by
    // zero. The κ method does without ν.
    auto s = Column20x50();
    s->Fcd = 0.0;
    const MaterialSelection other{ConcreteOtherIndex, DefaultSteelIndex};
    const CombinationCheck curvature =
        CheckCombinations(*s, other, {Row(-300, 5, 5)}, PinnedColumn(280, SecondOrderMethod::Curvature), 1);
    EXPECT_EQ(curvature.rows[0].status, CombinationStatus::Error);
    EXPECT_EQ(CombinationMessage(curvature.rows[0]), "Floating point division by zero.");
    EXPECT_FALSE(curvature.rows[0].utilisation.has_value());
    const CombinationCheck stiffness =
        CheckCombinations(*s, other, {Row(-300, 5, 5)}, PinnedColumn(280, SecondOrderMethod::Stiffness), 1);
    EXPECT_NE(stiffness.rows[0].status, CombinationStatus::Error);
    EXPECT_FALSE(stiffness.rows[0].column->nu.has_value());
}

TEST(ColumnRows, SameResultsOnOneAndTwoThreads)
{
    auto s = Column20x50();
    Column column = PinnedColumn(350, SecondOrderMethod::Stiffness);
    column.bending[X].condition = SupportCondition::Cantilever;
    CombinationList rows;
    for (int i = 0; i < 30; ++i)
        rows.push_back(Row(-2000 + 80.0 * i, 40 - 3.0 * i, 2.5 * i - 20, 10.0 - i,
                           i % 3 == 0 ? std::nullopt : std::optional(5.0 * i)));
    const CombinationCheck one = CheckCombinations(*s, MaterialSelection{}, rows, column, 1);
    const CombinationCheck two = CheckCombinations(*s, MaterialSelection{}, rows, column, 2);
    EXPECT_EQ(one.governing, two.governing);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(one.rows[r].status, two.rows[r].status);
        ExpectSameBits(one.rows[r].utilisation, two.rows[r].utilisation);
        ASSERT_EQ(one.rows[r].column.has_value(), two.rows[r].column.has_value());
        if (!one.rows[r].column)
            continue;
        ASSERT_EQ(one.rows[r].column->situations.size(), two.rows[r].column->situations.size());
        for (std::size_t k = 0; k < one.rows[r].column->situations.size(); ++k)
            ExpectSameBits(one.rows[r].column->situations[k].reading.utilisation,
                           two.rows[r].column->situations[k].reading.utilisation);
        ExpectSameBits(one.rows[r].column->bending[X].mdTot, two.rows[r].column->bending[X].mdTot);
    }
}

} // namespace
} // namespace flexara
