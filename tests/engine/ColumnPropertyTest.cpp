// Many random columns checked by each of the four methods: a row is said to
// hold exactly when every one of its design situations lies within the
// interaction curve of its Nd (after γn) along its own ray, as a ray search
// written here judges it (its own winding number for the origin, its own
// crossing of the ray with the curve's edges).
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "engine/section/NdCurves.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace flexara {
namespace {

using Real = long double;

Real Cross(Real ax, Real ay, Real bx, Real by)
{
    return ax * by - ay * bx;
}

// Whether p lies within the closed curve by its winding number: the turn of
// the curve seen from p, in whole turns.
bool Within(const std::vector<Point>& curve, Point p)
{
    Real turn = 0;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const Point& a = curve[i];
        const Point& b = curve[(i + 1) % curve.size()];
        turn += std::atan2(Cross(a.x - p.x, a.y - p.y, b.x - p.x, b.y - p.y),
                           (a.x - p.x) * (b.x - p.x) + static_cast<Real>(a.y - p.y) * (b.y - p.y));
    }
    return std::fabs(turn) > 3.14159L;
}

// The verdict of one point: its η along the ray where the origin is within
// the curve (none where the ray meets no edge), else whether it is within.
struct Judgement {
    bool holds = false;
    bool clear = true; // false where η is within 1e-9 of 1: a hair either way
};
Judgement Judge(const std::vector<Point>& curve, Point p)
{
    const bool originWithin = Within(curve, Point{0, 0});
    const Real length = std::hypot(static_cast<Real>(p.x), static_cast<Real>(p.y));
    if (!originWithin || length == 0)
        return {length == 0 ? originWithin : Within(curve, p), true};
    const Real dx = p.x / length, dy = p.y / length;
    Real nearest = -1;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const Point& a = curve[i];
        const Point& b = curve[(i + 1) % curve.size()];
        const Real ex = static_cast<Real>(b.x) - a.x, ey = static_cast<Real>(b.y) - a.y;
        const Real det = Cross(dx, dy, ex, ey);
        if (det == 0)
            continue;
        const Real t = Cross(a.x, a.y, ex, ey) / det; // along the ray
        const Real u = Cross(a.x, a.y, dx, dy) / det; // along the edge
        if (t > 0 && u >= -1e-12L && u <= 1 + 1e-12L && (nearest < 0 || t < nearest))
            nearest = t;
    }
    const Real eta = length / nearest;
    return {eta <= 1, std::fabs(eta - 1) > 1e-9L};
}

TEST(ColumnProperty, ARowHoldsExactlyWhenEverySituationIsWithinItsCurve)
{
    std::mt19937 random(2027);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const SecondOrderMethod methods[] = {SecondOrderMethod::Curvature, SecondOrderMethod::Stiffness,
                                         SecondOrderMethod::Coupled, SecondOrderMethod::General};
    std::map<SecondOrderMethod, int> judged;
    int holding = 0, failing = 0, unstable = 0;
    for (int round = 0; round < 60; ++round) {
        const SecondOrderMethod method = methods[round % 4];
        // A rectangle b x h, 14 ≤ b ≤ 40 (γn below 19 cm) and h ≤ 4·b, with
        // bars mirrored both ways: the four corners and pairs along the sides.
        const double b = 14 + 26 * unit(random);
        const double h = b * (1 + 3 * unit(random));
        const double diameter = 10 + 15 * unit(random);
        const int along = 2 + static_cast<int>(random() % 3);
        auto s = testing::MakeRectangleCase(
            b, h, {{along, diameter, 4, 4, b - 4, 4}, {along, diameter, 4, h - 4, b - 4, h - 4}});
        if (random() % 2) {
            BarLine& side = s->BarLines[static_cast<std::size_t>(s->LineCount++)];
            side = s->BarLines[0];
            side.BarCount = 2;
            side.X1 = 4, side.X2 = b - 4, side.Y1 = side.Y2 = h / 2;
            UpdateReinforcementRatio(*s);
        }
        Column column;
        for (ColumnBending& bending : column.bending)
            bending = ColumnBending{100 + 700 * unit(random), static_cast<SupportCondition>(random() % 3)};
        column.method = method;
        column.creepCoefficient = 1 + 2 * unit(random);
        column.quasiPermanentShare = 0.3 + 0.5 * unit(random);
        // The squash load of the section, about 0,85·fcd·Ac + fyd·As.
        const double squash = 0.85 * 30 / 14 * b * h + 43.5 * s->SteelAreaX100 / 100;
        CombinationList rows;
        for (int r = 0; r < 4; ++r) {
            const double nd = r == 3 ? 0.05 * squash * unit(random) : -squash * (0.05 + 0.6 * unit(random));
            const double scale = (squash * 0.002 + 0.1) * h * unit(random);
            LoadCombination row{"c", nd, scale * (2 * unit(random) - 1), scale * (2 * unit(random) - 1)};
            if (random() % 2) {
                row.MxdBase = scale * (2 * unit(random) - 1);
                row.MydBase = scale * (2 * unit(random) - 1);
            }
            rows.push_back(row);
        }
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{}, rows, column, 1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const CombinationResult& row = check.rows[r];
            SCOPED_TRACE("round " + std::to_string(round) + ", row " + std::to_string(r));
            ASSERT_TRUE(row.column.has_value());
            if (row.column->status == ColumnCheckStatus::Unstable) {
                EXPECT_EQ(row.status, CombinationStatus::Fails);
                ++unstable;
                continue;
            }
            if (row.column->situations.empty()) {
                EXPECT_NE(row.status, CombinationStatus::Holds);
                continue;
            }
            const double nds[] = {row.column->after.nd};
            const NdCurve curve = GenerateCurves(*s, MaterialSelection{}, nds, 1)[0];
            bool holds = true, clear = true;
            for (const SituationReading& situation : row.column->situations) {
                const Judgement j = Judge(curve.points, situation.moments);
                holds = holds && j.holds;
                clear = clear && j.clear;
            }
            if (!clear)
                continue;
            EXPECT_EQ(row.status == CombinationStatus::Holds, holds);
            ++judged[method];
            (holds ? holding : failing) += 1;
        }
    }
    // Enough rows of every method, and both verdicts, to mean something.
    for (const SecondOrderMethod method : methods)
        EXPECT_GE(judged[method], 25) << static_cast<int>(method);
    EXPECT_GE(holding, 20);
    EXPECT_GE(failing, 20);
}

} // namespace
} // namespace flexara
