// The general method's bar: the elastic bar against its closed forms (with a
// Richardson extrapolation over two station counts, the error falling as
// 1/n²), the bar on the section's deformation curve in equilibrium at every
// station with the curve's own curvatures and at the fixed point a plain
// iteration written here finds, the first-order moments of the stations,
// and a bar above its critical load failing by instability.
#include "engine/column/GeneralMethod.h"
#include "engine/case/Materials.h"
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "engine/section/CalculationModel.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace flexara {
namespace {

using Real = long double;
constexpr Real Pi = std::numbers::pi_v<long double>;

GeneralBar Bar(SupportCondition condition, double le, double nd, double top, double base, int steps)
{
    GeneralBar bar;
    bar.condition = condition;
    bar.le = le;
    bar.nd = nd;
    bar.m1 = FirstOrderStations(condition, top, base, 0.0, 0.0, steps);
    return bar;
}

TEST(GeneralMethod, ElasticBarsMeetTheirClosedForms)
{
    // 1/r = M/EI, EI = 3000 kN·m². The pinned bar (L = le = 4,5 m) under
    // equal end moments M0 = 10 has M(L/2) = M0·sec(π/2·√(N/Ncr)),
    // Ncr = π²·EI/L²; the cantilever (L = le/2 = 2,25 m) under a top moment
    // M0 has M(0) = M0·sec(L·√(N/EI)). Both as (4·M(2n) − M(n))/3 over 40 and
    // 80 steps.
    const double ei = 3000, m0 = 10;
    const LinearRelation relation(ei);
    const Real ncr = Pi * Pi * ei / (4.5L * 4.5L);
    const struct {
        const char* name;
        SupportCondition condition;
        double nd;
        Real expected;
    } cases[] = {
        {"pinned, 0,2 Ncr", SupportCondition::PinnedWithoutTransverseLoads, static_cast<double>(-0.2L * ncr),
         m0 / std::cos(Pi / 2 * std::sqrt(0.2L))},
        {"pinned, 0,6 Ncr", SupportCondition::PinnedWithoutTransverseLoads, static_cast<double>(-0.6L * ncr),
         m0 / std::cos(Pi / 2 * std::sqrt(0.6L))},
        {"pinned, 0,8 Ncr", SupportCondition::PinnedWithoutTransverseLoads, static_cast<double>(-0.8L * ncr),
         m0 / std::cos(Pi / 2 * std::sqrt(0.8L))},
        // N = (kL)²·EI/L² for kL = 0,5, 1,0, 1,4.
        {"cantilever, kL 0,5", SupportCondition::Cantilever, static_cast<double>(-0.25L * ei / (2.25L * 2.25L)),
         m0 / std::cos(0.5L)},
        {"cantilever, kL 1,0", SupportCondition::Cantilever, static_cast<double>(-1.0L * ei / (2.25L * 2.25L)),
         m0 / std::cos(1.0L)},
        {"cantilever, kL 1,4", SupportCondition::Cantilever, static_cast<double>(-1.96L * ei / (2.25L * 2.25L)),
         m0 / std::cos(1.4L)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The moment of interest: mid-height pinned, the base of the cantilever.
        auto moment = [&](int steps) {
            const GeneralSolution s = SolveGeneralBar(Bar(c.condition, 450, c.nd, m0, m0, steps), relation);
            EXPECT_EQ(s.outcome, GeneralOutcome::Converged);
            const std::size_t at = c.condition == SupportCondition::Cantilever ? 0 : static_cast<std::size_t>(steps / 2);
            EXPECT_EQ(s.station, static_cast<int>(at));
            EXPECT_EQ(s.mdTot, std::fabs(s.stations[at].m));
            return static_cast<Real>(s.stations[at].m);
        };
        const Real coarse = moment(40), fine = moment(80);
        const Real extrapolated = (4 * fine - coarse) / 3;
        EXPECT_NEAR(static_cast<double>(extrapolated / c.expected), 1.0, 1e-6);
        // The error of 40 steps is four times that of 80: second order.
        const Real ratio = (coarse - c.expected) / (fine - c.expected);
        EXPECT_NEAR(static_cast<double>(ratio), 4.0, 0.2);
    }
}

TEST(GeneralMethod, FirstOrderMomentsOfTheStations)
{
    const struct {
        const char* name;
        SupportCondition condition;
        double top, base, m1dMin, creep;
        std::vector<double> expected; // 3 steps: z = 0, L/3, 2L/3, L
    } cases[] = {
        // The line −5, 0, 5, 10; the zero takes the top's sign, the floor 3.
        {"pinned, through zero", SupportCondition::PinnedWithoutTransverseLoads, 10, -5, 3, 0, {-5, 3, 5, 10}},
        {"pinned, creep added", SupportCondition::PinnedWithoutTransverseLoads, 10, -5, 3, 1, {-6, 4, 6, 11}},
        // −1 at the top and 2 at the base: 2, 1, 0, −1 and the floor 1,5; the
        // zero at 2L/3 takes the top's sign.
        {"pinned, top negative", SupportCondition::PinnedWithoutTransverseLoads, -1, 2, 1.5, 0, {2, 1.5, -1.5, -1.5}},
        // Condition 1: MA, the larger end, all along.
        {"transverse loads", SupportCondition::PinnedWithTransverseLoads, 4, -7, 3, 0.5, {-7.5, -7.5, -7.5, -7.5}},
        // The cantilever from the base moment 9 to the top's 3.
        {"cantilever", SupportCondition::Cantilever, 3, 9, 0, 0, {9, 7, 5, 3}},
        {"the floor everywhere", SupportCondition::Cantilever, 1, 1, 3, 0, {3, 3, 3, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> m1 = FirstOrderStations(c.condition, c.top, c.base, c.m1dMin, c.creep, 3);
        ASSERT_EQ(m1.size(), c.expected.size());
        for (std::size_t k = 0; k < m1.size(); ++k)
            EXPECT_NEAR(m1[k], c.expected[k], 1e-14) << k;
    }
    EXPECT_TRUE(FirstOrderLineIsZero(SupportCondition::PinnedWithoutTransverseLoads, 0, 0));
    EXPECT_FALSE(FirstOrderLineIsZero(SupportCondition::PinnedWithoutTransverseLoads, 0, 1));
    // No line at all: the sign asked for.
    EXPECT_EQ(FirstOrderStations(SupportCondition::Cantilever, 0, 0, 2, 0, 2, -1.0), (std::vector<double>{-2, -2, -2}));
}

// The 20 x 40 C-30 column's deformation section, four 20 mm bars.
DeformationSection Section20x40()
{
    auto s = testing::MakeColumn20x40();
    UpdateMaterials(*s, MaterialSelection{});
    return DeformationSectionOf(*s, CalculationModelParameters(*s, MaterialSelection{}));
}

// The curvature (1/m, signed) whose moment on the curve is m: a bisection
// on the rising branch of the side of m's sign (the bars are mirrored, so
// the moment without curvature is 0).
Real CurvatureByBisection(const MomentCurvature& curve, Real m)
{
    const CurvatureSide side = m < 0 ? CurvatureSide::Negative : CurvatureSide::Positive;
    Real lo = 0, hi = curve.EndCurvature(side);
    for (int i = 0; i < 200 && hi - lo > 1e-19L; ++i) {
        const Real mid = (lo + hi) / 2;
        if (curve.At(side, static_cast<double>(mid))->moment < std::fabs(m))
            lo = mid;
        else
            hi = mid;
    }
    return m < 0 ? -(lo + hi) / 2 : (lo + hi) / 2;
}

TEST(GeneralMethod, TheBarOnTheDeformationCurveStandsInEquilibrium)
{
    // Bent about y (h = 20 cm) at Nd = −800 kN. For a curvature linear
    // between stations the displacement's second difference is exact:
    // u(k−1) − 2u(k) + u(k+1) = ∓h²·(κ(k−1) + 4κ(k) + κ(k+1))/6 (κ in 1/cm;
    // minus for the pinned bar, plus for the cantilever), and the
    // cantilever's first station u(1) = h²·(2κ(0) + κ(1))/6.
    const DeformationSection section = Section20x40();
    const double nd = -800;
    const MomentCurvature curve(section, nd, DirectionOf(Bending::My));
    const DeformationRelation relation(curve);
    // MRd along ±My at −800 kN is 62,480 kN·m (the coupled method's test).
    const double mrd = 62.48;
    const struct {
        const char* name;
        SupportCondition condition;
        double le, top, base;
    } cases[] = {
        {"single curvature", SupportCondition::PinnedWithoutTransverseLoads, 400, 20, 10},
        {"double curvature", SupportCondition::PinnedWithoutTransverseLoads, 400, 25, -20},
        {"uniform, negative", SupportCondition::PinnedWithoutTransverseLoads, 500, -12, -12},
        {"cantilever", SupportCondition::Cantilever, 500, 5, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int steps = 40;
        GeneralBar bar = Bar(c.condition, c.le, nd, c.top, c.base, steps);
        const GeneralSolution s = SolveGeneralBar(bar, relation);
        ASSERT_EQ(s.outcome, GeneralOutcome::Converged);
        ASSERT_EQ(s.stations.size(), 41u);
        const bool cantilever = c.condition == SupportCondition::Cantilever;
        const Real h = GeneralBarLength(c.condition, c.le) / steps;
        const Real sense = cantilever ? 1 : -1;
        const auto& st = s.stations;
        EXPECT_EQ(st[0].u, 0.0);
        if (cantilever)
            EXPECT_NEAR(st[1].u, h * h * (2 * st[0].curvature + st[1].curvature) / 600, 1e-12);
        else
            EXPECT_NEAR(st[40].u, 0.0, 1e-12);
        Real largest = 0;
        for (std::size_t k = 0; k < st.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_NEAR(st[k].z, static_cast<double>(h * k), 1e-12);
            EXPECT_EQ(st[k].m1, bar.m1[k]);
            if (k > 0 && k < 40) {
                const Real second = static_cast<Real>(st[k - 1].u) - 2 * st[k].u + st[k + 1].u;
                const Real expected =
                    sense * h * h * (st[k - 1].curvature + 4.0L * st[k].curvature + st[k + 1].curvature) / 600;
                EXPECT_NEAR(static_cast<double>(second), static_cast<double>(expected), 1e-12);
            }
            // Equilibrium: M = M1 + |Nd|·(second-order displacement).
            const Real displacement = cantilever ? static_cast<Real>(st[40].u) - st[k].u : st[k].u;
            EXPECT_NEAR(st[k].m, static_cast<double>(st[k].m1 + 800 * displacement / 100), 1e-9 * mrd);
            // The curvature is the curve's at the station's moment.
            EXPECT_EQ(st[k].curvature < 0, st[k].m < 0);
            const CurvatureSide side = st[k].m < 0 ? CurvatureSide::Negative : CurvatureSide::Positive;
            EXPECT_NEAR(curve.At(side, std::fabs(st[k].curvature))->moment, std::fabs(st[k].m), 1e-9 * mrd);
            largest = std::max(largest, static_cast<Real>(std::fabs(st[k].m)));
        }
        EXPECT_EQ(s.mdTot, static_cast<double>(largest));
        EXPECT_EQ(std::fabs(st[static_cast<std::size_t>(s.station)].m), s.mdTot);
        EXPECT_LE(s.errorBound, 1e-9 * s.mdTot);
        // Second order adds to the first: the largest moment is at least the
        // larger end's (no more where the bar bends both ways).
        EXPECT_GE(s.mdTot, std::max(std::fabs(c.top), std::fabs(c.base)));
    }
}

TEST(GeneralMethod, TheFixedPointOfAPlainIteration)
{
    // The same pinned bar solved by the plain iteration M ← M1 + |Nd|·u(κ(M)),
    // κ by bisection on the curve and u by the tridiagonal system of the
    // second differences (u(0) = u(L) = 0), to a step of 1e-14; 20 steps.
    const DeformationSection section = Section20x40();
    const double nd = -600;
    const MomentCurvature curve(section, nd, DirectionOf(Bending::My));
    const DeformationRelation relation(curve);
    const struct {
        const char* name;
        double le, top, base;
    } cases[] = {
        {"single curvature", 350, 15, 8},
        {"double curvature", 350, 15, -10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = 20;
        const GeneralBar bar = Bar(SupportCondition::PinnedWithoutTransverseLoads, c.le, nd, c.top, c.base, n);
        const GeneralSolution s = SolveGeneralBar(bar, relation);
        ASSERT_EQ(s.outcome, GeneralOutcome::Converged);
        const Real h = static_cast<Real>(c.le) / n;
        std::vector<Real> m(bar.m1.begin(), bar.m1.end()), kappa(n + 1), u(n + 1);
        for (int iteration = 0; iteration < 500; ++iteration) {
            for (int k = 0; k <= n; ++k)
                kappa[static_cast<std::size_t>(k)] = CurvatureByBisection(curve, m[static_cast<std::size_t>(k)]);
            // −u(k−1) + 2u(k) − u(k+1) = h²·(κ(k−1) + 4κ(k) + κ(k+1))/600, k = 1..n−1.
            std::vector<Real> diag(n + 1, 2), rhs(n + 1, 0);
            for (int k = 1; k < n; ++k)
                rhs[static_cast<std::size_t>(k)] =
                    h * h * (kappa[static_cast<std::size_t>(k - 1)] + 4 * kappa[static_cast<std::size_t>(k)] +
                             kappa[static_cast<std::size_t>(k + 1)]) /
                    600;
            for (int k = 2; k < n; ++k) {
                const Real f = -1 / diag[static_cast<std::size_t>(k - 1)];
                diag[static_cast<std::size_t>(k)] -= f * -1;
                rhs[static_cast<std::size_t>(k)] -= f * rhs[static_cast<std::size_t>(k - 1)];
            }
            u[0] = u[static_cast<std::size_t>(n)] = 0;
            for (int k = n - 1; k >= 1; --k)
                u[static_cast<std::size_t>(k)] =
                    (rhs[static_cast<std::size_t>(k)] + u[static_cast<std::size_t>(k + 1)]) /
                    diag[static_cast<std::size_t>(k)];
            Real change = 0;
            for (int k = 0; k <= n; ++k) {
                const Real next = bar.m1[static_cast<std::size_t>(k)] + 6 * u[static_cast<std::size_t>(k)];
                change = std::max(change, std::fabs(next - m[static_cast<std::size_t>(k)]));
                m[static_cast<std::size_t>(k)] = next;
            }
            if (change < 1e-14L)
                break;
        }
        Real largest = 0;
        for (int k = 0; k <= n; ++k) {
            EXPECT_NEAR(s.stations[static_cast<std::size_t>(k)].m, static_cast<double>(m[static_cast<std::size_t>(k)]),
                        1e-9 * std::fabs(static_cast<double>(m[static_cast<std::size_t>(k)])) + 1e-12)
                << k;
            largest = std::max(largest, std::fabs(m[static_cast<std::size_t>(k)]));
        }
        EXPECT_NEAR(s.mdTot / static_cast<double>(largest), 1.0, 1e-9);
    }
}

TEST(GeneralMethod, ABarAboveItsCriticalLoadFailsByInstability)
{
    // At Nd = −400 kN the section's stiffness about y is largest without
    // curvature (the concrete's tangent falls as it shortens, the section
    // cracks as it bends): EI0 = dM/d(1/r) at 1/r → 0, here by a small step.
    // A bar of le = π·√(f·EI0/|Nd|) has |Nd| = f·Ncr(EI0) = f·π²·EI0/le²
    // (the cantilever's bar le/2 long): above 1 no shape stands, well below
    // it does.
    const DeformationSection section = Section20x40();
    const double nd = -400;
    const MomentCurvature curve(section, nd, DirectionOf(Bending::My));
    const DeformationRelation relation(curve);
    const Real step = 1e-6L;
    const Real ei0 = static_cast<Real>(curve.At(CurvatureSide::Positive, static_cast<double>(step))->moment) / step;
    constexpr SupportCondition Pinned = SupportCondition::PinnedWithoutTransverseLoads;
    constexpr SupportCondition Cantilever = SupportCondition::Cantilever;
    const struct {
        const char* name;
        SupportCondition condition;
        Real share; // |Nd| over Ncr
        double moment;
        bool stands;
    } cases[] = {
        {"0,5 Ncr", Pinned, 0.5L, 2.0, true},
        {"0,98 Ncr, the least moment", Pinned, 0.98L, 0.01, true},
        {"1,02 Ncr", Pinned, 1.02L, 2.0, false},
        {"1,02 Ncr, the least moment", Pinned, 1.02L, 0.01, false},
        {"1,5 Ncr", Pinned, 1.5L, 2.0, false},
        {"cantilever, 0,5 Ncr", Cantilever, 0.5L, 2.0, true},
        {"cantilever, 1,02 Ncr", Cantilever, 1.02L, 0.01, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double le = static_cast<double>(Pi * std::sqrt(c.share * ei0 / 400) * 100);
        const GeneralSolution s = SolveGeneralBar(Bar(c.condition, le, nd, c.moment, c.moment, DefaultGeneralSteps), relation);
        EXPECT_EQ(s.Stable(), c.stands);
        if (!c.stands) {
            EXPECT_TRUE(s.outcome == GeneralOutcome::LostStability || s.outcome == GeneralOutcome::LeftTheCurve);
        }
    }
    // A moment beyond the curve's greatest one leaves it at once.
    const double beyond = relation.GreatestMoment(CurvatureSide::Positive) * 1.01;
    const GeneralSolution s = SolveGeneralBar(
        Bar(SupportCondition::PinnedWithoutTransverseLoads, 100, nd, beyond, beyond, DefaultGeneralSteps), relation);
    EXPECT_EQ(s.outcome, GeneralOutcome::LeftTheCurve);
}


constexpr std::size_t X = static_cast<std::size_t>(Bending::Mx);
constexpr std::size_t Y = static_cast<std::size_t>(Bending::My);

Column GeneralColumn(double leX, double leY, SupportCondition condition = SupportCondition::PinnedWithoutTransverseLoads)
{
    Column column;
    column.bending[X] = ColumnBending{leX, condition};
    column.bending[Y] = ColumnBending{leY, condition};
    column.method = SecondOrderMethod::General;
    return column;
}

TEST(GeneralMethodInTheCheck, EachBendingIsItsBarAndTheSituationsReadIt)
{
    // The 20 x 40 column, i = 40/√12 about x and 20/√12 about y. Each
    // bending's bar is rebuilt here from the row: the line of its end
    // moments, the floor M1d,min = |Nd|·(0,015 + 0,03·h) and, above λ = 90,
    // |Nd|·e_cc of the creep worked by CreepOf; the check must give the same
    // Md,tot, the intermediate situation at (±Md,tot x, ±Md,tot y) on the
    // side of each bar's largest moment, and the minimum envelope's
    // semi-axes those of the bars of M1d,min alone.
    auto s = testing::MakeColumn20x40();
    const DeformationSection section = Section20x40();
    const double iy = 20 / std::sqrt(12.0), ix = 40 / std::sqrt(12.0);
    const struct {
        const char* name;
        double lambdaY;
        SupportCondition condition;
        LoadCombination row;
    } cases[] = {
        {"λ 30, below λ1", 30, SupportCondition::PinnedWithoutTransverseLoads, {"c", -600, 20, 8, 20.0, 8.0}},
        {"λ 60, single curvature", 60, SupportCondition::PinnedWithoutTransverseLoads, {"c", -600, 20, 15, 10.0, 7.0}},
        {"λ 60, double curvature", 60, SupportCondition::PinnedWithoutTransverseLoads, {"c", -600, -10, 15, 10.0, -12.0}},
        {"λ 120, no moments", 120, SupportCondition::PinnedWithoutTransverseLoads, {"c", -300, 0, 0}},
        {"λ 150, creep", 150, SupportCondition::PinnedWithoutTransverseLoads, {"c", -150, 5, -4, 5.0, -2.0}},
        {"λ 100, cantilever", 100, SupportCondition::Cantilever, {"c", -200, 4, 3, 8.0, 6.0}},
        {"λ 60, transverse loads", 60, SupportCondition::PinnedWithTransverseLoads, {"c", -600, 10, -5, 4.0, 9.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // λ = le/i, about x half that about y.
        Column column = GeneralColumn(0.5 * c.lambdaY * ix, c.lambdaY * iy, c.condition);
        column.creepCoefficient = 2.0;
        column.quasiPermanentShare = 0.6;
        const CombinationResult result = CheckCombinations(*s, MaterialSelection{}, {c.row}, column, 1).rows[0];
        ASSERT_TRUE(result.column.has_value());
        const ColumnResult& checked = *result.column;
        ASSERT_EQ(checked.status, ColumnCheckStatus::Checked) << CombinationMessage(result);
        EXPECT_EQ(checked.method, SecondOrderMethod::General);
        ASSERT_EQ(checked.situations.size(), 4u);
        const double tops[] = {c.row.Mxd, c.row.Myd};
        const double bases[] = {c.row.MxdBase.value_or(c.row.Mxd), c.row.MydBase.value_or(c.row.Myd)};
        const double hs[] = {40, 20};
        double corner[2] = {0, 0}, semiAxis[2][2] = {{0, 0}, {0, 0}};
        for (const std::size_t b : {X, Y}) {
            SCOPED_TRACE(b);
            const BendingCheck& check = checked.bending[b];
            ASSERT_TRUE(check.general.has_value());
            EXPECT_EQ(check.general->steps, 40);
            const double le = column.bending[b].le;
            const double m1dMin = std::fabs(c.row.Nd) * (0.015 + 0.03 * hs[b] / 100);
            EXPECT_NEAR(check.m1dMin, m1dMin, 1e-12);
            double creep = 0;
            if (check.lambda > 90) {
                ASSERT_TRUE(check.creep.has_value());
                creep = check.creep->moment;
                EXPECT_GT(creep, 0);
            } else {
                EXPECT_FALSE(check.creep.has_value());
            }
            const MomentCurvature curve(section, c.row.Nd, DirectionOf(static_cast<Bending>(b)));
            const DeformationRelation relation(curve);
            GeneralBar bar;
            bar.condition = c.condition;
            bar.le = le;
            bar.nd = c.row.Nd;
            const bool zero = tops[b] == 0 && bases[b] == 0;
            EXPECT_EQ(check.general->bothSigns, zero);
            // Both signs of the floor alone: the minimum envelope's bars.
            for (int side = 0; side < 2; ++side) {
                bar.m1.assign(41, (side == 0 ? 1 : -1) * (m1dMin + creep));
                const GeneralSolution minimum = SolveGeneralBar(bar, relation);
                ASSERT_TRUE(minimum.Stable());
                semiAxis[b][side] = minimum.mdTot;
                EXPECT_NEAR(check.mdMinTotBySide->at(static_cast<std::size_t>(side)), minimum.mdTot,
                            1e-12 * minimum.mdTot);
            }
            if (zero) {
                corner[b] = check.mdTotBySide->at(0);
                EXPECT_NEAR(check.mdTotBySide->at(0), semiAxis[b][0], 1e-12 * semiAxis[b][0]);
                continue;
            }
            // The end moments' bar, from the hand-made line.
            bar.m1.assign(41, 0);
            for (int k = 0; k <= 40; ++k) {
                double line = bases[b] + (tops[b] - bases[b]) * k / 40;
                if (c.condition == SupportCondition::PinnedWithTransverseLoads)
                    line = std::fabs(tops[b]) >= std::fabs(bases[b]) ? tops[b] : bases[b];
                const double sign = line > 0 ? 1 : line < 0 ? -1 : (tops[b] < 0 ? -1 : 1);
                bar.m1[static_cast<std::size_t>(k)] = sign * (std::max(std::fabs(line), m1dMin) + creep);
            }
            const GeneralSolution ends = SolveGeneralBar(bar, relation);
            ASSERT_TRUE(ends.Stable());
            EXPECT_NEAR(check.mdTot, ends.mdTot, 1e-12 * ends.mdTot);
            EXPECT_EQ(check.general->bar[0]->station, ends.station);
            corner[b] = ends.signedMd;
            // Never less than the first-order moment anywhere.
            for (const double m1 : bar.m1)
                EXPECT_GE(check.mdTot, std::fabs(m1) * (1 - 1e-12));
        }
        // The intermediate situation: both bars' Md,tot at once, on their sides.
        const SituationReading& intermediate = checked.situations[2];
        EXPECT_EQ(intermediate.situation, DesignSituation::Intermediate);
        EXPECT_NEAR(std::fabs(intermediate.moments.x), std::fabs(corner[X]), 1e-12 * std::fabs(corner[X]) + 1e-15);
        EXPECT_NEAR(std::fabs(intermediate.moments.y), std::fabs(corner[Y]), 1e-12 * std::fabs(corner[Y]) + 1e-15);
        if (!(tops[X] == 0 && bases[X] == 0)) {
            EXPECT_EQ(intermediate.moments.x < 0, corner[X] < 0);
        }
        if (!(tops[Y] == 0 && bases[Y] == 0)) {
            EXPECT_EQ(intermediate.moments.y < 0, corner[Y] < 0);
        }
        // The minimum envelope's governing point lies on its ellipse.
        const Point p = checked.situations[3].moments;
        const double ax = semiAxis[X][p.x < 0 ? 1 : 0], ay = semiAxis[Y][p.y < 0 ? 1 : 0];
        EXPECT_NEAR(p.x * p.x / (ax * ax) + p.y * p.y / (ay * ay), 1.0, 1e-9);
    }
}

TEST(GeneralMethodInTheCheck, SlendernessLimitsAndInstability)
{
    // About y λ = le/5,7735; about x it stays below 90.
    auto s = testing::MakeColumn20x40();
    const double i = 20 / std::sqrt(12.0);
    const struct {
        const char* name;
        double lambda, nd;
        SecondOrderMethod method;
        bool creep;
        ColumnCheckStatus status;
        const char* message; // the start of it
    } cases[] = {
        {"141 by the general method", 141, -150, SecondOrderMethod::General, true, ColumnCheckStatus::Checked, ""},
        {"200 by the general method", 200, -100, SecondOrderMethod::General, true, ColumnCheckStatus::Checked, ""},
        {"201 by the general method", 201, -100, SecondOrderMethod::General, true, ColumnCheckStatus::Refused,
         "λ = 201,00 > 200 para Myd: a NBR 6118:2014 (15.8.1)"},
        {"150 without creep", 150, -150, SecondOrderMethod::General, false, ColumnCheckStatus::Refused,
         "λ = 150,00 > 90 para Myd: a fluência é obrigatória"},
        {"141 by the coupled method", 141, -150, SecondOrderMethod::Coupled, true, ColumnCheckStatus::Refused,
         "λ = 141,00 > 140 para Myd: só o método geral (NBR 6118:2014, 15.8.3.2) se aplica; use o método geral"},
        // π²·EI/le² with EI about 6000 kN·m² at le = 8,08 m is some 900 kN.
        {"buckling at λ 140", 140, -1200, SecondOrderMethod::General, true, ColumnCheckStatus::Unstable,
         "Instabilidade em Myd no método geral (NBR 6118:2014, 15.8.3.2): "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Column column = GeneralColumn(300, c.lambda * i);
        column.method = c.method;
        if (c.creep) {
            column.creepCoefficient = 1.0;
            column.quasiPermanentShare = 0.2;
        }
        const CombinationResult result = CheckCombinations(*s, MaterialSelection{}, {{"c", c.nd, 1, 1}}, column, 1).rows[0];
        EXPECT_EQ(result.column->status, c.status) << CombinationMessage(result);
        if (c.status == ColumnCheckStatus::Checked) {
            EXPECT_TRUE(result.utilisation.has_value());
            EXPECT_TRUE(result.column->bending[Y].general.has_value());
            continue;
        }
        if (c.status == ColumnCheckStatus::Unstable) {
            EXPECT_EQ(result.status, CombinationStatus::Fails);
            EXPECT_EQ(result.column->instability, Instability::General);
            EXPECT_EQ(result.column->slenderBending, Bending::My);
            EXPECT_FALSE(result.utilisation.has_value());
        } else {
            EXPECT_EQ(result.status, CombinationStatus::Refused);
        }
        EXPECT_EQ(CombinationMessage(result).rfind(c.message, 0), 0u) << CombinationMessage(result);
    }
}

} // namespace
} // namespace flexara
