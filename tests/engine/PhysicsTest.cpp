// Physics the curve must obey, checked against an independent computation in
// this file: every curve point comes from a strain state whose resultant is Nd
// and whose moments are the point; the 20 x 40 column's curve is symmetric
// about both axes; and the axial forces of reference are ordered at every angle.
#include "engine/section/Curve.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace flexara {
namespace {

using Real = long double;

// The part of the polygon where y >= level, by the half-plane clip, and its
// area and first moments (about the axes of the polygon's own frame).
struct Moments {
    Real area = 0, sx = 0, sy = 0; // ∫dA, ∫x dA, ∫y dA
};
Moments ClippedMoments(const std::vector<Point>& polygon, Real level)
{
    std::vector<std::pair<Real, Real>> kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& p = polygon[i];
        const Point& q = polygon[(i + 1) % polygon.size()];
        const bool pIn = p.y >= level, qIn = q.y >= level;
        if (pIn)
            kept.emplace_back(p.x, p.y);
        if (pIn != qIn) {
            const Real t = (level - p.y) / (static_cast<Real>(q.y) - p.y);
            kept.emplace_back(p.x + t * (static_cast<Real>(q.x) - p.x), level);
        }
    }
    Moments m;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto [x0, y0] = kept[i];
        const auto [x1, y1] = kept[(i + 1) % kept.size()];
        const Real cross = x0 * y1 - x1 * y0;
        m.area += cross / 2;
        m.sx += (x0 + x1) * cross / 6;
        m.sy += (y0 + y1) * cross / 6;
    }
    return m;
}

// CA-50 A with the default factor: elastic-perfectly plastic, no stress beyond
// the strain limits of the ultimate state. The extreme bar sits at 10 per mil
// exactly; the strain recomputed here may come out a hair above, which is
// still the limit.
Real Steel(Real strain)
{
    const Real fyd = 50.0L / 1.15L;
    if (strain > 10.0L + 1e-12L || strain < -3.5L - 1e-12L)
        return 0.0L;
    const Real elastic = 21000.0L * strain / 1000.0L;
    return std::fmax(-fyd, std::fmin(fyd, elastic));
}

// Reads the strain state the generation stands on when it adds each point and
// recomputes its resultant and moments independently.
struct EquilibriumSink : CurveSink {
    explicit EquilibriumSink(const AnalysisState& s) : s(s) {}
    const AnalysisState& s;
    int checked = 0;
    double worstAxial = 0.0;  // kN
    double worstMoment = 0.0; // kN·m

    void AddCurvePoint(double mx, double my) override
    {
        if (checked == pointsBeforeClosing)
            return; // the closing copy repeats the first point
        ++checked;
        // The strain plane: zero at the neutral axis y0 of the rotated frame,
        // the extreme bar's strain at its ordinate.
        const Real y0 = s.NeutralAxisOrigin.y;
        const BarLine* extremeLine = nullptr;
        int extremeBar = 0;
        for (int k = 0; k < s.LineCount; ++k)
            for (int j = 0; j < s.BarLines[static_cast<std::size_t>(k)].BarCount; ++j) {
                const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
                if (!extremeLine || line.RotatedBars[static_cast<std::size_t>(j)].y <
                                        extremeLine->RotatedBars[static_cast<std::size_t>(extremeBar)].y) {
                    extremeLine = &line;
                    extremeBar = j;
                }
            }
        const Real ys = extremeLine->RotatedBars[static_cast<std::size_t>(extremeBar)].y;
        const Real es = extremeLine->Strains[static_cast<std::size_t>(extremeBar)];
        const Real slope = es / (ys - y0); // per mil per cm, negative upwards
        auto strainAt = [&](Real y) { return slope * (y - y0); };

        // Concrete: 0.85 fcd where the shortening is 0.7 per mil or more.
        const std::vector<Point> rotated(s.Section.RotatedVertices.begin(),
                                         s.Section.RotatedVertices.begin() + s.Section.VertexCount);
        const Real block = y0 + (-0.7L) / slope;
        const Moments m = ClippedMoments(rotated, block);
        const Real stress = 0.85L * s.Fcd;
        Real n = -stress * m.area;
        Real mu = stress * m.sy; // about the rotated x axis, compression positive
        Real mv = stress * m.sx;
        for (int k = 0; k < s.LineCount; ++k) {
            const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
            const Real area = std::acos(-1.0L) * line.Diameter * line.Diameter / 400.0L;
            for (int j = 0; j < line.BarCount; ++j) {
                const Point p = line.RotatedBars[static_cast<std::size_t>(j)];
                const Real force = Steel(strainAt(p.y)) * area;
                n += force;
                mu -= force * p.y;
                mv -= force * p.x;
            }
        }
        // Back from the rotated frame (u = c·x + s·y, v = -s·x + c·y) to the
        // section's axes: y = s·u + c·v and x = c·u - s·v; kN·cm to kN·m.
        const Real c = cosTheta, sn = sinTheta;
        const Real mxIndependent = (c * mu + sn * mv) / 100.0L;
        const Real myIndependent = (c * mv - sn * mu) / 100.0L;
        worstAxial = std::fmax(worstAxial, static_cast<double>(std::fabs(n - s.Nd)));
        worstMoment = std::fmax(worstMoment, static_cast<double>(std::fabs(mxIndependent - mx)));
        worstMoment = std::fmax(worstMoment, static_cast<double>(std::fabs(myIndependent - my)));
    }
    void AngleReferences(double theta, const ReferenceForces&) override
    {
        cosTheta = std::cos(static_cast<Real>(theta));
        sinTheta = std::sin(static_cast<Real>(theta));
    }
    void ClearCurve() override {}
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}

    int pointsBeforeClosing = 101;
    Real cosTheta = 1, sinTheta = 0;
};

TEST(CurvePhysics, EveryPointIsAStateInEquilibriumWithNd)
{
    // Both domains of the steel at its limit, the concrete at its limit, and the
    // whole section shortened.
    for (const double nd : {300.0, 0.0, -500.0, -1200.0, -1700.0, -1950.0}) {
        SCOPED_TRACE(nd);
        auto s = testing::MakeColumn20x40();
        s->Nd = nd;
        EquilibriumSink sink(*s);
        GenerateCurve(*s, MaterialSelection{}, sink);
        EXPECT_EQ(sink.checked, 101);
        // The searches stop within 0.01 kN of Nd.
        EXPECT_LT(sink.worstAxial, 0.01 + 1e-9);
        EXPECT_LT(sink.worstMoment, 1e-9);
    }
}

struct PointsAndReferences : CurveSink {
    std::vector<Point> points;
    std::vector<ReferenceForces> references;
    void AddCurvePoint(double mx, double my) override { points.push_back({mx, my}); }
    void AngleReferences(double, const ReferenceForces& r) override { references.push_back(r); }
    void ClearCurve() override { points.clear(); }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

TEST(CurvePhysics, TheSymmetricColumnHasASymmetricCurveAndOrderedReferences)
{
    for (const double nd : {400.0, 0.0, -800.0, -1500.0, -1900.0}) {
        SCOPED_TRACE(nd);
        auto s = testing::MakeColumn20x40();
        s->Nd = nd;
        PointsAndReferences sink;
        GenerateCurve(*s, MaterialSelection{}, sink);
        ASSERT_EQ(sink.points.size(), 102u);
        // The angles 2πk/100: k and 50 - k mirror each other about the My axis,
        // k and 100 - k about the Mx axis.
        for (int k = 0; k <= 100; ++k) {
            SCOPED_TRACE(k);
            const Point p = sink.points[static_cast<std::size_t>(k)];
            const Point aboutMy = sink.points[static_cast<std::size_t>((150 - k) % 100)];
            const Point aboutMx = sink.points[static_cast<std::size_t>(100 - k)];
            const double tolerance = 1e-6 * (1 + std::hypot(p.x, p.y));
            EXPECT_NEAR(aboutMy.x, -p.x, tolerance);
            EXPECT_NEAR(aboutMy.y, p.y, tolerance);
            EXPECT_NEAR(aboutMx.x, p.x, tolerance);
            EXPECT_NEAR(aboutMx.y, -p.y, tolerance);
        }
        ASSERT_EQ(sink.references.size(), 101u);
        for (const ReferenceForces& r : sink.references) {
            EXPECT_LE(r.N4, r.N3);
            EXPECT_LE(r.N3, r.N2);
            EXPECT_LE(r.N2, r.N1);
        }
    }
}

} // namespace
} // namespace flexara
