// The surface of a case and its N–M diagrams: the levels and the two ends
// against hand numbers, the diagram of the 20 x 40 column against its main
// curve and against an independent computation of the rectangle bent about x,
// symmetry, the closing by N1 and N4, an L section whose diagram along a load
// direction is not the one at a neutral-axis angle, bit-identical results on
// any number of threads, and the meshing of a level that misses angles.
#include "engine/diagrams/Surface.h"
#include "engine/Faults.h"
#include "engine/diagrams/SurfaceView.h"
#include "engine/study/CaseCurve.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

namespace flexara {
namespace {

using Real = long double;
using testing::LineSpec;
using testing::MakeColumn20x40;
using testing::MakeRectangleCase;

constexpr Real PiL = std::numbers::pi_v<long double>;

// C-30 and CA-50 A with the default factors, by hand.
constexpr Real Fcd = 30.0L / 10.0L / 1.4L; // kN/cm²
constexpr Real Fyd = 50.0L / 1.15L;        // kN/cm²
constexpr Real SteelAtShortening = -42.0L; // Es·2 per mil = 21000·0.002, below Fyd
constexpr Real Bar20 = PiL;                // cm², one bar of 20 mm
constexpr Real Bar10 = PiL / 4.0L;         // cm², one bar of 10 mm

// The 20 x 40 column: N1 = 4·π·Fyd = 546.36 kN, N4 = -0.85·Fcd·800 - 4·π·42 =
// -1984.93 kN.
constexpr Real ColumnN1 = 4.0L * Bar20 * Fyd;
constexpr Real ColumnN4 = -0.85L * Fcd * 800.0L + 4.0L * Bar20 * SteelAtShortening;

void ExpectRelative(double actual, Real expected, Real tolerance)
{
    EXPECT_LE(std::fabs(static_cast<Real>(actual) - expected), tolerance * std::fabs(expected))
        << actual << " against " << static_cast<double>(expected);
}

// ---- The rectangle bent about x, computed independently ----

// CA-50 A: elastic-perfectly plastic; the extreme bar may sit a hair above 10
// per mil here, which is still the limit.
Real Steel(Real strain)
{
    if (strain > 10.0L + 1e-12L || strain < -3.5L - 1e-12L)
        return 0.0L;
    return std::fmax(-Fyd, std::fmin(Fyd, 21000.0L * strain / 1000.0L));
}

struct RectangleState {
    Real n = 0;  // kN
    Real mx = 0; // kN·m
};

// The 20 x 40 column with its neutral axis horizontal and the top fibre
// shortened: depth z from the top, bars at z = 4 and z = 36. The ultimate
// strain states in one parameter t: 0..1 the bottom bars at 10 per mil and
// the top fibre from 10 to -3.5, 1..2 the top fibre at -3.5 and the bottom
// bars from 10 to -0.35 (the neutral axis at the bottom edge), 2..3 the
// line turning about -2 per mil at 3h/7 from the top until the uniform
// shortening.
RectangleState RectangleAt(Real t)
{
    const Real h = 40.0L, d = 36.0L, pivot = 3.0L * h / 7.0L;
    Real top = 0, bar = 0;
    if (t <= 1.0L) {
        bar = 10.0L;
        top = 10.0L + t * (-3.5L - 10.0L);
    } else if (t <= 2.0L) {
        top = -3.5L;
        bar = 10.0L + (t - 1.0L) * (-0.35L - 10.0L);
    } else {
        top = -3.5L + (t - 2.0L) * 1.5L;
        bar = top + (-2.0L - top) * d / pivot;
    }
    const Real slope = (bar - top) / d; // per mil per cm of depth
    // The stress block: the fibres shortened by 0.7 per mil or more.
    Real depth = 0.0L;
    if (slope > 0.0L)
        depth = std::fmin(h, std::fmax(0.0L, (-0.7L - top) / slope));
    else if (top <= -0.7L)
        depth = h;
    RectangleState state;
    const Real concrete = -0.85L * Fcd * 20.0L * depth;
    state.n = concrete;
    state.mx = -concrete * (h / 2.0L - depth / 2.0L);
    for (const Real z : {4.0L, 36.0L}) {
        const Real force = 2.0L * Bar20 * Steel(top + slope * z);
        state.n += force;
        state.mx -= force * (h / 2.0L - z);
    }
    state.mx /= 100.0L;
    return state;
}

// The resisting moment of the rectangle at Nd, bisected on t.
Real RectangleMoment(Real nd)
{
    Real low = 0.0L, high = 3.0L; // N falls as t rises
    for (int step = 0; step < 200; ++step) {
        const Real mid = (low + high) / 2.0L;
        (RectangleAt(mid).n > nd ? low : high) = mid;
    }
    return RectangleAt((low + high) / 2.0L).mx;
}

TEST(Surface, TheIndependentRectangleGivesTheColumnsKnownMoments)
{
    // The column's curve at Nd = 0 and -500 kN crosses +Mx at about 90.3 and
    // 153.1 kN·m.
    EXPECT_NEAR(static_cast<double>(RectangleMoment(0.0L)), 90.3, 0.05);
    EXPECT_NEAR(static_cast<double>(RectangleMoment(-500.0L)), 153.1, 0.05);
}

// ---- Levels and ends ----

TEST(Surface, LevelsAreEvenlySpacedStrictlyBetweenN4AndN1)
{
    const auto column = MakeColumn20x40();
    for (const int levels : {1, 2, 41}) {
        SCOPED_TRACE(levels);
        const Surface surface = GenerateSurface(*column, MaterialSelection{}, levels, 2);
        ASSERT_EQ(surface.status, SurfaceStatus::Ok);
        ExpectRelative(surface.squash.nd, ColumnN4, 1e-12L);
        ExpectRelative(surface.tension.nd, ColumnN1, 1e-12L);
        ASSERT_EQ(surface.levels.size(), static_cast<std::size_t>(levels));
        EXPECT_EQ(surface.anglesPerTurn, 100);
        EXPECT_EQ(surface.pointsOnChords, 0);
        for (int i = 0; i < levels; ++i) {
            const SurfaceLevel& level = surface.levels[static_cast<std::size_t>(i)];
            ExpectRelative(level.nd, ColumnN4 + (i + 1) * (ColumnN1 - ColumnN4) / (levels + 1), 1e-12L);
            EXPECT_GT(level.nd, surface.squash.nd);
            EXPECT_LT(level.nd, surface.tension.nd);
            EXPECT_EQ(level.ring.size(), 100u);
            EXPECT_EQ(level.curve.size(), 102u) << "101 angles and the closing copy";
        }
    }
}

TEST(Surface, TheEndsAreTheUniformStatesWithTheMomentsOfTheSteel)
{
    struct Case {
        const char* name;
        std::vector<LineSpec> lines;
        // Bars (area, x, y) about the centroid (10, 20) of the 20 x 40 outline.
        std::vector<std::array<Real, 3>> bars;
    };
    const std::vector<Case> cases = {
        {"symmetric column",
         {{2, 20, 4, 4, 16, 4}, {2, 20, 4, 36, 16, 36}},
         {{Bar20, -6, -16}, {Bar20, 6, -16}, {Bar20, -6, 16}, {Bar20, 6, 16}}},
        {"less steel on top",
         {{2, 20, 4, 4, 16, 4}, {2, 10, 4, 36, 16, 36}},
         {{Bar20, -6, -16}, {Bar20, 6, -16}, {Bar10, -6, 16}, {Bar10, 6, 16}}},
        {"one bar in a top corner",
         {{2, 20, 4, 4, 16, 4}, {1, 20, 4, 36, 4, 36}},
         {{Bar20, -6, -16}, {Bar20, 6, -16}, {Bar20, -6, 16}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = MakeRectangleCase(20, 40, c.lines);
        const Surface surface = GenerateSurface(*s, MaterialSelection{}, 3, 1);
        ASSERT_EQ(surface.status, SurfaceStatus::Ok);
        Real steel = 0, sx = 0, sy = 0; // ΣA, ΣA·x, ΣA·y
        for (const auto& [area, x, y] : c.bars) {
            steel += area;
            sx += area * x;
            sy += area * y;
        }
        // A moment is -Σ F·lever; the concrete of the squash state acts at the
        // centroid.
        ExpectRelative(surface.squash.nd, -0.85L * Fcd * 800.0L + SteelAtShortening * steel, 1e-12L);
        ExpectRelative(surface.tension.nd, Fyd * steel, 1e-12L);
        EXPECT_NEAR(surface.squash.moment.x, static_cast<double>(-SteelAtShortening * sy / 100.0L), 1e-9);
        EXPECT_NEAR(surface.squash.moment.y, static_cast<double>(-SteelAtShortening * sx / 100.0L), 1e-9);
        EXPECT_NEAR(surface.tension.moment.x, static_cast<double>(-Fyd * sy / 100.0L), 1e-9);
        EXPECT_NEAR(surface.tension.moment.y, static_cast<double>(-Fyd * sx / 100.0L), 1e-9);

        // The ends are the N4 and N1 every generation forms, to the last bit.
        auto copy = std::make_unique<AnalysisState>(*s);
        const CaseCurve curve = GenerateCaseCurve(*copy, MaterialSelection{});
        ASSERT_TRUE(curve.references.has_value());
        EXPECT_EQ(surface.squash.nd, curve.references->N4);
        EXPECT_EQ(surface.tension.nd, curve.references->N1);
    }
}

// ---- The N–M diagram of the column ----

// The column's own curve at the Nd of a level, from a generation of its own.
CaseCurve MainCurveAt(const AnalysisState& state, double nd)
{
    auto copy = std::make_unique<AnalysisState>(state);
    copy->Nd = nd;
    return GenerateCaseCurve(*copy, MaterialSelection{});
}

TEST(Surface, TheDiagramAlongXPassesThroughTheMainCurveAtEveryLevel)
{
    const auto column = MakeColumn20x40();
    const Surface surface = GenerateSurface(*column, MaterialSelection{}, DefaultSurfaceLevels, 2);
    ASSERT_EQ(surface.levels.size(), 41u);
    const NmDiagram diagram = DiagramAlong(surface, 0.0);
    ASSERT_EQ(diagram.levels.size(), 41u);
    for (std::size_t i = 0; i < diagram.levels.size(); ++i) {
        SCOPED_TRACE(i);
        const NmLevel& level = diagram.levels[i];
        const CaseCurve curve = MainCurveAt(*column, level.nd);
        ASSERT_EQ(curve.points.size(), 102u);
        // The neutral axis at 0 bends the column about x alone (and at
        // step 50, half a turn, the other way).
        const Point& ahead = curve.points[0];
        const Point& behind = curve.points[50];
        EXPECT_LE(std::fabs(ahead.y), 1e-9 * std::fabs(ahead.x));
        EXPECT_LE(std::fabs(behind.y), 1e-9 * std::fabs(behind.x));
        ASSERT_TRUE(level.along.has_value());
        ASSERT_TRUE(level.opposite.has_value());
        ExpectRelative(*level.along, ahead.x, 1e-9L);
        ExpectRelative(*level.opposite, behind.x, 1e-9L);
        // And the independent rectangle: the searches stop within 0.01 kN of
        // Nd, a few thousandths of a kN·m.
        EXPECT_NEAR(*level.along, static_cast<double>(RectangleMoment(level.nd)), 0.01);
    }
}

TEST(Surface, TheSymmetricColumnHasSymmetricDiagramsClosedByN1AndN4)
{
    const auto column = MakeColumn20x40();
    const Surface surface = GenerateSurface(*column, MaterialSelection{}, DefaultSurfaceLevels, 2);
    for (const double angle : {0.0, 0.3, 1.5707963267948966, 2.5, -1.0}) {
        SCOPED_TRACE(angle);
        const NmDiagram diagram = DiagramAlong(surface, angle);
        for (const NmLevel& level : diagram.levels) {
            ASSERT_TRUE(level.along && level.opposite);
            EXPECT_GT(*level.along, 0.0);
            ExpectRelative(-*level.opposite, *level.along, 1e-9L);
        }
        // Squash end, 41 levels along, tension end, 41 levels back, the copy.
        const std::vector<NmPoint>& outline = diagram.outline;
        ASSERT_EQ(outline.size(), 85u);
        EXPECT_EQ(outline.front().nd, surface.squash.nd);
        EXPECT_EQ(outline[42].nd, surface.tension.nd);
        ExpectRelative(outline.front().nd, ColumnN4, 1e-12L);
        ExpectRelative(outline[42].nd, ColumnN1, 1e-12L);
        EXPECT_EQ(outline.front().m, 0.0) << "no moment in the uniform states of symmetric steel";
        EXPECT_EQ(outline[42].m, 0.0);
        EXPECT_EQ(outline.back().m, outline.front().m);
        EXPECT_EQ(outline.back().nd, outline.front().nd);
        for (std::size_t i = 1; i <= 42; ++i)
            EXPECT_GT(outline[i].nd, outline[i - 1].nd) << "rising along the direction";
        for (std::size_t i = 43; i < outline.size(); ++i)
            EXPECT_LT(outline[i].nd, outline[i - 1].nd) << "falling along the opposite one";
    }
}

TEST(Surface, TheDiagramsEndsCarryTheComponentOfTheEndMoment)
{
    // Less steel on top: the squash state bends the column about x.
    const auto s = MakeRectangleCase(20, 40, {{2, 20, 4, 4, 16, 4}, {2, 10, 4, 36, 16, 36}});
    const Surface surface = GenerateSurface(*s, MaterialSelection{}, 5, 1);
    // Mx of the squash state: 42·(2π·(-16) + 2·π/4·16)/100 = -31.67 kN·m.
    const Real squashMx = -SteelAtShortening * (2 * Bar20 * -16.0L + 2 * Bar10 * 16.0L) / 100.0L;
    struct Row {
        double angle;
        Real factor; // the component of a moment along x
    };
    for (const Row& row : {Row{0.0, 1.0L}, Row{3.141592653589793, -1.0L}, Row{1.0471975511965976, 0.5L}}) {
        SCOPED_TRACE(row.angle);
        const NmDiagram diagram = DiagramAlong(surface, row.angle);
        EXPECT_NEAR(diagram.outline.front().m, static_cast<double>(row.factor * squashMx), 1e-9);
        EXPECT_EQ(diagram.outline.front().nd, surface.squash.nd);
    }
}

// ---- An L section ----

// An L of legs 20 cm thick and 50 cm long (the free polygon of the examples)
// with 16 mm bars along its outer edges and inner corners.
std::unique_ptr<AnalysisState> MakeLSection()
{
    auto s = MakeRectangleCase(
        50, 50, {{3, 16, 4, 4, 46, 4}, {2, 16, 30, 16, 46, 16}, {3, 16, 4, 16, 4, 46}, {2, 16, 16, 30, 16, 46}});
    testing::SetFreePolygon(*s, {{0, 0}, {50, 0}, {50, 20}, {20, 20}, {20, 50}, {0, 50}});
    return s;
}

TEST(Surface, AnLSectionsDiagramAlongALoadDirectionIsNotTheOneAtANeutralAxisAngle)
{
    const auto l = MakeLSection();
    const Surface surface = GenerateSurface(*l, MaterialSelection{}, 11, 2);
    ASSERT_EQ(surface.status, SurfaceStatus::Ok);
    ASSERT_EQ(surface.levels.size(), 11u);
    // Along x, and at the neutral axis of angle 0 (step 0 of every ring).
    const NmDiagram diagram = DiagramAlong(surface, 0.0);
    for (std::size_t i = 0; i < surface.levels.size(); ++i) {
        SCOPED_TRACE(i);
        const SurfaceLevel& level = surface.levels[i];
        ASSERT_TRUE(diagram.levels[i].along.has_value());
        const double along = *diagram.levels[i].along;
        // The reading lies on the level's curve: (along, 0) is on one of its
        // chords.
        bool onCurve = false;
        for (std::size_t k = 0; k + 1 < level.curve.size(); ++k) {
            const Point a = level.curve[k], b = level.curve[k + 1];
            if ((a.y > 0) == (b.y > 0) && a.y != 0 && b.y != 0)
                continue;
            const Real x =
                a.x + (0 - static_cast<Real>(a.y)) * (static_cast<Real>(b.x) - a.x) / (static_cast<Real>(b.y) - a.y);
            onCurve = onCurve || std::fabs(x - along) <= 1e-9L * std::fabs(along);
        }
        EXPECT_TRUE(onCurve);
        // The state of the neutral axis at 0 bends the L about a skew axis:
        // its moment leaves the x direction.
        const Point atAxis = level.ring[0];
        const double skew = std::atan2(atAxis.y, atAxis.x) * 180.0 / std::numbers::pi;
        const double magnitude = std::hypot(atAxis.x, atAxis.y);
        EXPECT_GT(std::fabs(skew), 10.0);
        EXPECT_GT(std::fabs(magnitude - along), 0.04 * along);
    }
}

// ---- Workers, refusals and faults ----

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Surface, OneThreadAndTwoGiveTheSameBits)
{
    const auto l = MakeLSection();
    const Surface one = GenerateSurface(*l, MaterialSelection{}, 9, 1);
    const Surface two = GenerateSurface(*l, MaterialSelection{}, 9, 2);
    ASSERT_EQ(one.levels.size(), two.levels.size());
    for (std::size_t i = 0; i < one.levels.size(); ++i) {
        const SurfaceLevel& a = one.levels[i];
        const SurfaceLevel& b = two.levels[i];
        EXPECT_TRUE(SameBits(a.nd, b.nd));
        ASSERT_EQ(a.curve.size(), b.curve.size());
        for (std::size_t k = 0; k < a.curve.size(); ++k)
            EXPECT_TRUE(SameBits(a.curve[k].x, b.curve[k].x) && SameBits(a.curve[k].y, b.curve[k].y));
        ASSERT_EQ(a.ring.size(), b.ring.size());
        for (std::size_t k = 0; k < a.ring.size(); ++k)
            EXPECT_TRUE(SameBits(a.ring[k].x, b.ring[k].x) && SameBits(a.ring[k].y, b.ring[k].y));
    }
}

TEST(Surface, TheCheckOfTheSweepIsTheCheckOfTheCombinations)
{
    const auto column = MakeColumn20x40();
    const CombinationList rows = {{"a", -500, 60, 20}, {"b", -1200, 80, 10}, {"c", -500, 0.5, 150}, {"d", 700, 1, 1}};
    const DiagramStudy study = StudyDiagrams(*column, MaterialSelection{}, rows, 7, 2);
    const CombinationCheck check = CheckCombinations(*column, MaterialSelection{}, rows, 2);
    EXPECT_EQ(study.surface.levels.size(), 7u);
    EXPECT_EQ(study.check.generations, 3) << "one per distinct Nd";
    EXPECT_EQ(study.check.governing, check.governing);
    ASSERT_EQ(study.check.rows.size(), check.rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(study.check.rows[i].status, check.rows[i].status);
        EXPECT_EQ(study.check.rows[i].utilisation, check.rows[i].utilisation);
    }
}

TEST(Surface, ACombinationOfAColumnStandsAtItsGoverningSituation)
{
    // The 20 × 40 column (x along 20 cm) as a pinned column of le = 400 cm,
    // the curvature method. ELU 2: Nd = -1200, (80, 10) at both ends.
    //   Mxd, h = 40: i = 11,547, λ = 34,64; M1d,min = 1200·(0,015 + 0,012) =
    //   32,4 < MA = 80, αb = 0,6 + 0,4 = 1; e1 = 6,67 cm, λ1 = 27,1 → 35:
    //   λ ≤ 35, Md,tot = 80.
    //   Myd, h = 20: i = 5,7735, λ = 69,28; M1d,min = 1200·0,021 = 25,2 > 10:
    //   αb = 1, M1d,A = 25,2; λ1 = 35 < λ; ν = 1200/(800·30/14) = 0,7,
    //   1/r = 0,005/(0,20·1,2) = 0,020833; Md,tot = 25,2 + 1200·4²/10·0,020833
    //   = 25,2 + 40 = 65,2.
    // The intermediate section (80; 65,2) governs and fails, where the top's
    // (80; 10) holds as a section.
    const auto column20x40 = MakeColumn20x40();
    Column column;
    column.bending[0].le = 400;
    column.bending[1].le = 400;
    const CombinationList rows = {{"ELU 1", -500, 60, 20}, {"ELU 2", -1200, 80, 10}};
    const DiagramStudy study = StudyDiagrams(*column20x40, MaterialSelection{}, rows, column, 7, 2);
    ASSERT_EQ(study.check.rows.size(), 2u);
    const CombinationCheck asSection = CheckCombinations(*column20x40, MaterialSelection{}, rows, 2);
    EXPECT_EQ(asSection.rows[1].status, CombinationStatus::Holds);
    EXPECT_EQ(study.check.rows[1].status, CombinationStatus::Fails);
    EXPECT_EQ(study.check.governing, 1);

    const double angle = MomentDirection(rows, study.check, 1);
    EXPECT_NEAR(angle, std::atan2(65.2, 80.0), 1e-12);
    const std::vector<DiagramLoad> loads = LoadsOnDiagram(rows, study.check, angle);
    ASSERT_EQ(loads.size(), 2u);
    EXPECT_NEAR(loads[1].mxd, 80.0, 1e-9);
    EXPECT_NEAR(loads[1].myd, 65.2, 1e-9);
    EXPECT_EQ(loads[1].nd, -1200.0);
    EXPECT_NEAR(loads[1].onDiagram.m, std::hypot(80.0, 65.2), 1e-9);
    EXPECT_FALSE(loads[1].holds);
    // Without the column the sweep reads the rows as sections.
    const DiagramStudy plain = StudyDiagrams(*column20x40, MaterialSelection{}, rows, 7, 2);
    EXPECT_EQ(plain.check.rows[1].status, CombinationStatus::Holds);
    EXPECT_EQ(LoadsOnDiagram(rows, plain.check, 0.0)[1].myd, 10.0);
}

TEST(Surface, ARefusedSectionGivesNoSurfaceAndSaysWhy)
{
    struct Case {
        const char* name;
        std::vector<LineSpec> lines;
        CurveWarning warning;
    };
    for (const Case& c : {Case{"no steel", {}, CurveWarning::ZeroArea},
                          Case{"a bar outside", {{1, 20, 25, 20, 25, 20}}, CurveWarning::BarsOutside}}) {
        SCOPED_TRACE(c.name);
        auto s = MakeRectangleCase(20, 40, c.lines);
        const Surface surface = GenerateSurface(*s, MaterialSelection{}, 3, 1);
        EXPECT_EQ(surface.status, SurfaceStatus::Refused);
        ASSERT_FALSE(surface.warnings.empty());
        EXPECT_EQ(surface.warnings.front(), c.warning);
        EXPECT_TRUE(surface.levels.empty());
    }
}

TEST(Surface, ALevelCountOutsideItsRangeIsRefusedAndAFaultEndsTheSurface)
{
    const auto column = MakeColumn20x40();
    for (const int levels : {0, -1, MaxSurfaceLevels + 1}) {
        SCOPED_TRACE(levels);
        try {
            GenerateSurface(*column, MaterialSelection{}, levels, 1);
            ADD_FAILURE() << "not refused";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.fault().kind, FaultKind::SurfaceLevelCount);
            EXPECT_EQ(error.fault().value, levels);
        }
    }
    // No angle step: the step 2π/0 is a division by zero.
    auto zero = MakeColumn20x40();
    zero->CurvePointCount = 0;
    const Surface surface = GenerateSurface(*zero, MaterialSelection{}, 3, 2);
    EXPECT_EQ(surface.status, SurfaceStatus::Error);
    ASSERT_TRUE(surface.fault.has_value());
    EXPECT_EQ(surface.fault->kind, FaultKind::DivisionByZero);
}

TEST(Surface, ACancelledSweepGivesNoSurface)
{
    const auto column = MakeColumn20x40();
    WorkProgress progress;
    progress.cancel = true;
    const DiagramStudy study = StudyDiagrams(*column, MaterialSelection{}, {{"a", -500, 60, 20}}, 5, 2, &progress);
    EXPECT_EQ(study.surface.status, SurfaceStatus::Cancelled);
    EXPECT_TRUE(study.surface.levels.empty());
    EXPECT_TRUE(study.check.cancelled);
}

TEST(Surface, EveryPointOfASweepKnowsItsAngleStep)
{
    // 100 steps: angles 0..100 (the last one is 2π again), then the closing
    // copy of the first point, which is of step 0.
    const auto column = MakeColumn20x40();
    const std::vector<double> nds = {-500.0, 300.0};
    for (const NdCurve& curve : GenerateCurves(*column, MaterialSelection{}, nds, 2)) {
        SCOPED_TRACE(curve.nd);
        ASSERT_EQ(curve.points.size(), 102u);
        ASSERT_EQ(curve.angles.size(), 102u);
        for (std::int32_t k = 0; k <= 100; ++k)
            EXPECT_EQ(curve.angles[static_cast<std::size_t>(k)], k);
        EXPECT_EQ(curve.angles.back(), 0);
    }
}

// ---- A ring with angles missing ----

TEST(Surface, AStepWithoutAPointLiesOnTheChordOfItsNeighbours)
{
    // A square of side 2 around the origin: steps 0..7 of a turn, the
    // corners at the even steps and the midpoints of the sides at the odd.
    const std::vector<Point> square = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    struct Case {
        const char* name;
        std::vector<int> kept;     // the steps the generation found
        std::vector<int> extra;    // steps given beyond the turn (their points: the first kept)
        std::vector<Point> expect; // the ring
    };
    const std::vector<Case> cases = {
        {"all found", {0, 1, 2, 3, 4, 5, 6, 7}, {}, square},
        {"one missing, the midpoint of its neighbours",
         {0, 1, 3, 4, 5, 6, 7},
         {},
         {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}}},
        {"step 0 missing, across the end of the turn",
         {1, 2, 3, 4, 5, 6, 7},
         {},
         {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}}},
        {"two missing, at thirds of the chord",
         {0, 3, 4, 5, 6, 7},
         {},
         {{1, 0}, {1.0 / 3, -1.0 / 3}, {-1.0 / 3, -2.0 / 3}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}}},
        {"the repeat at 2π and the closing copy are no ring points", {0, 1, 2, 3, 4, 5, 6, 7}, {8, 0}, square},
        {"a single point stands for the whole ring", {5}, {}, std::vector<Point>(8, Point{-1, 1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Point> points;
        std::vector<std::int32_t> angles;
        for (const int step : c.kept) {
            points.push_back(square[static_cast<std::size_t>(step)]);
            angles.push_back(step);
        }
        for (const int step : c.extra) {
            points.push_back(Point{99, 99});
            angles.push_back(step);
        }
        std::vector<Point> ring;
        std::vector<std::uint8_t> found;
        ASSERT_TRUE(RingOfCurve(points, angles, 8, ring, found));
        ASSERT_EQ(ring.size(), 8u);
        for (std::size_t k = 0; k < 8; ++k) {
            SCOPED_TRACE(k);
            EXPECT_NEAR(ring[k].x, c.expect[k].x, 1e-15);
            EXPECT_NEAR(ring[k].y, c.expect[k].y, 1e-15);
            const bool kept = std::find(c.kept.begin(), c.kept.end(), static_cast<int>(k)) != c.kept.end();
            EXPECT_EQ(found[k], kept ? 1 : 0);
        }
    }
    std::vector<Point> ring;
    std::vector<std::uint8_t> found;
    EXPECT_FALSE(RingOfCurve({}, {}, 8, ring, found)) << "a level without any point";
}

// ---- Loads on the diagram ----

TEST(Surface, ALoadsDirectionAndItsSideOnTheDiagram)
{
    struct Case {
        double mxd, myd;
        double direction; // radians
        double angle;     // of the diagram
        double m;         // where it stands on it
    };
    const double pi = std::numbers::pi;
    const std::vector<Case> cases = {
        {0, 0, 0, 0.5, 0},                     // no moment: the x direction, at the axis
        {-0.0, 0, 0, 0, 0},                    // a negative zero is no direction either
        {3, 4, std::atan2(4.0, 3.0), 0, 5},    // 53° from the diagram's direction: its side
        {-3, 4, std::atan2(4.0, -3.0), 0, -5}, // 127°: the opposite side
        {0, -2, -pi / 2, pi / 2, -2},
        {-1, 0, pi, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mxd << ", " << c.myd);
        EXPECT_NEAR(MomentDirection(c.mxd, c.myd), c.direction, 1e-15);
        CombinationCheck check;
        check.rows.resize(1);
        check.rows[0].status = CombinationStatus::Holds;
        const std::vector<DiagramLoad> loads = LoadsOnDiagram({{"r", -300, c.mxd, c.myd}}, check, c.angle);
        ASSERT_EQ(loads.size(), 1u);
        EXPECT_NEAR(loads[0].onDiagram.m, c.m, 1e-12);
        EXPECT_EQ(loads[0].onDiagram.nd, -300);
        EXPECT_TRUE(loads[0].holds);
    }
    // A row the check does not reach, or that fails, is not inside.
    CombinationCheck fails;
    fails.rows.resize(1);
    fails.rows[0].status = CombinationStatus::Fails;
    const std::vector<DiagramLoad> loads = LoadsOnDiagram({{"a", 0, 1, 0}, {"b", 0, 1, 0}}, fails, 0.0);
    EXPECT_FALSE(loads[0].holds);
    EXPECT_FALSE(loads[1].holds);
}

// ---- The view of the surface ----

TEST(SurfaceView, TheProjectionPutsTheAxesWhereTheViewSays)
{
    SurfaceBox box;
    box.momentReach = 100;
    box.ndLow = -2000; // compression, at the top of the box
    box.ndHigh = 500;
    const double mid = -750;
    const double pi = std::numbers::pi;
    struct Case {
        const char* name;
        SurfaceView view;
        double mx, my, nd;
        double x, y, depth;
    };
    const std::vector<Case> cases = {
        {"from the front, Mx to the right", {0, 0}, 100, 0, mid, 1, 0, 0},
        {"from the front, My away", {0, 0}, 0, 100, mid, 0, 0, 1},
        {"compression up", {0, 0}, 0, 0, -2000, 0, 1, 0},
        {"tension down", {0, 0}, 0, 0, 500, 0, -1, 0},
        {"a quarter turn takes Mx away", {pi / 2, 0}, 100, 0, mid, 0, 0, 1},
        {"and brings My to the left", {pi / 2, 0}, 0, 100, mid, -1, 0, 0},
        {"from above, My upward", {0, pi / 2}, 0, 100, mid, 0, 1, 0},
        {"from above, compression toward the eye", {0, pi / 2}, 0, 0, -2000, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewPoint p = Project(c.view, box, c.mx, c.my, c.nd);
        EXPECT_NEAR(p.x, c.x, 1e-15);
        EXPECT_NEAR(p.y, c.y, 1e-15);
        EXPECT_NEAR(p.depth, c.depth, 1e-15);
    }
}

TEST(SurfaceView, ADragTurnsTheViewAndTheEyeStopsAboveAndBelow)
{
    const SurfaceView start{0.5, 0.2};
    const SurfaceView turned = TurnedView(start, 30, -10);
    EXPECT_NEAR(turned.azimuth, 0.8, 1e-15);
    EXPECT_NEAR(turned.elevation, 0.1, 1e-15);
    EXPECT_NEAR(TurnedView(start, 0, 1000).elevation, std::numbers::pi / 2, 1e-15);
    EXPECT_NEAR(TurnedView(start, 0, -1000).elevation, -std::numbers::pi / 2, 1e-15);
    // Whole turns come back to the same azimuth.
    EXPECT_NEAR(TurnedView(start, 2 * std::numbers::pi / ViewRadiansPerPixel, 0).azimuth, 0.5, 1e-12);
}

TEST(SurfaceView, TheBoxReachesARoundMomentBeyondTheSurfaceAndTheLoads)
{
    Surface surface;
    surface.squash = SurfaceEnd{-1985, Point{0, 0}};
    surface.tension = SurfaceEnd{546, Point{0, 0}};
    SurfaceLevel level;
    level.nd = -500;
    level.ring = {{153.1, 0}, {0, -65.1}, {-153.1, 0}, {0, 65.1}};
    surface.levels.push_back(level);
    struct Case {
        std::vector<DiagramLoad> loads;
        double reach, low, high;
    };
    const std::vector<Case> cases = {
        {{}, 200, -1985, 546},
        {{DiagramLoad{-2500, 30, -250, {}, false}}, 250, -2500, 546},
        {{DiagramLoad{-100, 1300, 0, {}, false}}, 1500, -1985, 546},
        {{DiagramLoad{900, 1, 1, {}, true}}, 200, -1985, 900},
    };
    for (const Case& c : cases) {
        const SurfaceBox box = BoxOfSurface(surface, c.loads);
        EXPECT_EQ(box.momentReach, c.reach);
        EXPECT_EQ(box.ndLow, c.low);
        EXPECT_EQ(box.ndHigh, c.high);
    }
}

} // namespace
} // namespace flexara
