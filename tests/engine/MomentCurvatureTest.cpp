// The M–N–1/r relation of a section against fibres written for the tests:
// every point of the deformation curve has the axial force Nd and the moment
// the fibres give at its ε0 and curvature, the curve ends where the extreme
// fibre or bar reaches its limit, and a little beyond no ε0 gives Nd. The
// laws, the turn of the section, its centroid and the bars are the test's own.
#include "engine/section/MomentCurvature.h"
#include "engine/case/Materials.h"
#include "engine/section/CalculationModel.h"
#include "tests/engine/Fibres.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace flexara {
namespace {

using Real = long double;
using testing::FibreIntegration;
using testing::Outline;

constexpr std::int32_t C30 = 3;
constexpr std::int32_t C70 = 10;

// The deformation curve's laws by the code: fcd = fck/1,4 (kN/cm² from MPa
// over 10), the peak 1,10·fcd; up to C50 n = 2, εc2 = 2, εcu = 3,5; above,
// εc2 = 2 + 0,085·(fck − 50)^0,53, εcu = 2,6 + 35·((90 − fck)/100)⁴ and
// n = 1,4 + 23,4·((90 − fck)/100)⁴. Steel CA-50: fyd = 50/1,15, Es = 21000.
struct Laws {
    ParabolaRectangleLaw concrete;
    Real epsCu;
    Real fyd = 50.0L / 1.15L;
    Real es = 21000.0L;

    explicit Laws(Real fck)
    {
        concrete.plateauStress = 1.10L * fck / 14.0L;
        const Real below = (90.0L - fck) / 100.0L;
        concrete.epsC2 = fck <= 50.0L ? 2.0L : 2.0L + 0.085L * std::pow(fck - 50.0L, 0.53L);
        concrete.exponent = fck <= 50.0L ? 2.0L : 1.4L + 23.4L * std::pow(below, 4.0L);
        epsCu = fck <= 50.0L ? 3.5L : 2.6L + 35.0L * std::pow(below, 4.0L);
    }
    Real Steel(Real strain) const { return std::clamp(es * strain / 1000.0L, -fyd, fyd); }
};

struct Bar {
    Point at;
    Real area;
};

// The section turned so that y' runs to the compressed side d (unit, in the
// section's plane): y' = d·p, x' = dy·x − dx·y; about the outline's centroid.
// A moment along (mx, my) compresses d = (my, mx).
struct Turned {
    Outline outline;
    std::vector<Bar> bars;
};

Turned Turn(const AnalysisState& s, Real mx, Real my, CurvatureSide side)
{
    // The centroid by Green: A = ½∮(x dy − y dx), A·xc = ⅙∮(x² dy − ...).
    Real a = 0, sx = 0, sy = 0;
    const int n = s.Section.VertexCount;
    for (int i = 0; i < n; ++i) {
        const Point& p = s.Section.Vertices[static_cast<std::size_t>(i)];
        const Point& q = s.Section.Vertices[static_cast<std::size_t>((i + 1) % n)];
        const Real cross = static_cast<Real>(p.x) * q.y - static_cast<Real>(q.x) * p.y;
        a += cross / 2;
        sx += (p.x + q.x) * cross / 6;
        sy += (p.y + q.y) * cross / 6;
    }
    const Real xc = sx / a, yc = sy / a;
    const Real sign = side == CurvatureSide::Positive ? 1 : -1;
    const Real dx = sign * my, dy = sign * mx;
    auto turn = [&](Real x, Real y) {
        x -= xc;
        y -= yc;
        return Point{static_cast<double>(dy * x - dx * y), static_cast<double>(dx * x + dy * y)};
    };
    Turned t;
    for (int i = 0; i < n; ++i)
        t.outline.push_back(
            turn(s.Section.Vertices[static_cast<std::size_t>(i)].x, s.Section.Vertices[static_cast<std::size_t>(i)].y));
    for (int k = 0; k < s.LineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        for (int j = 0; j < line.BarCount; ++j) {
            // Equally spaced from (X1, Y1) to (X2, Y2).
            const Real f = line.BarCount == 1 ? 0 : static_cast<Real>(j) / (line.BarCount - 1);
            t.bars.push_back({turn(line.X1 + f * (line.X2 - line.X1), line.Y1 + f * (line.Y2 - line.Y1)),
                              3.14159265358979323846L * line.Diameter * line.Diameter / 400});
        }
    }
    return t;
}

// The axial force (tension positive) and the moment about the centroidal
// axis (kN·m) of the strains ε0 − 10·(1/r)·y'.
struct Resultant {
    Real n, m;
};
Resultant ByFibres(const Turned& t, const Laws& laws, Real eps0, Real curvature)
{
    const StrainPlane plane{1.0, static_cast<double>(eps0 - 10 * curvature), -1.0,
                            static_cast<double>(eps0 + 10 * curvature)};
    const testing::Reference concrete = FibreIntegration(t.outline, plane, laws.concrete);
    Resultant r{-concrete.force, concrete.firstMomentY};
    for (const Bar& bar : t.bars) {
        const Real force = laws.Steel(eps0 - 10 * curvature * bar.at.y) * bar.area;
        r.n += force;
        r.m -= force * bar.at.y;
    }
    r.m /= 100;
    return r;
}

struct Case {
    const char* name;
    std::unique_ptr<AnalysisState> state;
    std::int32_t concrete;
    double fck;
    double nd;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    cases.push_back({"20 x 40, C-30", testing::MakeColumn20x40(), C30, 30, -800});
    cases.push_back({"20 x 40, C-70", testing::MakeColumn20x40(), C70, 70, -1800});
    // An L with bars at its corners, none mirrored.
    auto l = testing::MakeRectangleCase(20, 40, {{2, 16, 3, 3, 27, 3}, {2, 16, 3, 37, 7, 37}, {1, 12.5, 7, 7, 7, 7}});
    testing::SetFreePolygon(*l, {{0, 0}, {30, 0}, {30, 10}, {10, 10}, {10, 40}, {0, 40}});
    cases.push_back({"L, C-30", std::move(l), C30, 30, -400});
    // A 24-sided polygon of radius 20 and eight 16 mm bars on a circle of 15.
    auto round = testing::MakeRectangleCase(20, 40, {});
    std::vector<Point> vertices;
    for (int i = 0; i < 24; ++i)
        vertices.push_back({20 * std::cos(0.1 + 2 * M_PI * i / 24), 20 * std::sin(0.1 + 2 * M_PI * i / 24)});
    round->Section.ShapeKind = ShapeFreePolygon;
    round->Section.VertexCount = 0;
    for (const Point& p : vertices)
        round->Section.Vertices[static_cast<std::size_t>(round->Section.VertexCount++)] = p;
    for (int k = 0; k < 8; ++k) {
        const double angle = 2 * M_PI * k / 8;
        BarLine& line = round->BarLines[static_cast<std::size_t>(round->LineCount++)];
        line.BarCount = 1;
        line.Diameter = 16;
        line.X1 = line.X2 = 15 * std::cos(angle);
        line.Y1 = line.Y2 = 15 * std::sin(angle);
    }
    UpdateReinforcementRatio(*round);
    cases.push_back({"polygon of 24 sides, C-70", std::move(round), C70, 70, -1500});
    return cases;
}

TEST(MomentCurvature, EqualsAFineStripIntegration)
{
    for (const Case& c : Cases()) {
        auto s = std::make_unique<AnalysisState>(*c.state);
        s->Model = CalculationModel::NbrParabolaRectangle;
        const MaterialSelection materials{c.concrete, DefaultSteelIndex};
        UpdateMaterials(*s, materials);
        const DeformationSection section = DeformationSectionOf(*s, CalculationModelParameters(*s, materials));
        const Laws laws(c.fck);
        // Mxd, Myd, and a direction at 30° from Mxd towards Myd.
        const Real c30 = std::sqrt(3.0L) / 2;
        for (const BendingDirection direction :
             {BendingDirection{1, 0}, BendingDirection{0, 1}, BendingDirection{c30, 0.5L}}) {
            const MomentCurvature relation(section, c.nd, direction);
            for (const CurvatureSide side : {CurvatureSide::Positive, CurvatureSide::Negative}) {
                SCOPED_TRACE(std::string(c.name) + ", direction (" + std::to_string(static_cast<double>(direction.mx)) +
                             ", " + std::to_string(static_cast<double>(direction.my)) + ")" +
                             (side == CurvatureSide::Positive ? ", positive side" : ", negative side"));
                const Turned t = Turn(*s, direction.mx, direction.my, side);
                const std::vector<CurvaturePoint> curve = relation.Curve(side, 12);
                ASSERT_EQ(curve.size(), 12u);
                Real largest = 0;
                for (const CurvaturePoint& p : curve)
                    largest = std::max(largest, std::fabs(static_cast<Real>(p.moment)));
                for (const CurvaturePoint& p : curve) {
                    const Resultant r = ByFibres(t, laws, p.eps0, p.curvature);
                    EXPECT_NEAR(static_cast<double>(r.n / c.nd), 1.0, 1e-7) << p.curvature;
                    EXPECT_NEAR(static_cast<double>((r.m - p.moment) / largest), 0.0, 1e-7) << p.curvature;
                    // The moment counted is the whole moment's part along the
                    // direction, on the side's sign.
                    const Real along =
                        (p.mx * direction.mx + p.my * direction.my) * (side == CurvatureSide::Positive ? 1 : -1);
                    EXPECT_NEAR(static_cast<double>((along - p.moment) / largest), 0.0, 1e-12);
                }
                ASSERT_GT(curve.back().moment, curve.front().moment);

                // The end: the extreme fibre at −εcu or the extreme bar at 10 ‰,
                // and a hair beyond, no ε0 between those limits gives Nd.
                Real top = t.outline[0].y, bar = t.bars[0].at.y;
                for (const Point& v : t.outline)
                    top = std::max<Real>(top, v.y);
                for (const Bar& b : t.bars)
                    bar = std::min<Real>(bar, b.at.y);
                const CurvaturePoint& end = curve.back();
                const Real topStrain = end.eps0 - 10 * end.curvature * top;
                const Real barStrain = end.eps0 - 10 * end.curvature * bar;
                const CurveEnd how = relation.End(side);
                if (how == CurveEnd::ConcreteCrushing) {
                    EXPECT_NEAR(static_cast<double>(topStrain), static_cast<double>(-laws.epsCu), 1e-9);
                    EXPECT_LT(barStrain, 10.0L);
                } else {
                    ASSERT_EQ(how, CurveEnd::SteelElongation);
                    EXPECT_NEAR(static_cast<double>(barStrain), 10.0, 1e-9);
                    EXPECT_GT(topStrain, -laws.epsCu);
                }
                const Real beyond = end.curvature * (1 + 1e-6L);
                const Real low = -laws.epsCu + 10 * beyond * top, high = 10 + 10 * beyond * bar;
                if (how == CurveEnd::ConcreteCrushing)
                    EXPECT_GT(ByFibres(t, laws, low, beyond).n, c.nd) << "more shortening than εcu is needed";
                else
                    EXPECT_LT(ByFibres(t, laws, high, beyond).n, c.nd) << "more lengthening than 10 ‰ is needed";
                EXPECT_FALSE(relation.At(side, static_cast<double>(beyond)).has_value());
            }
        }
    }
}

TEST(MomentCurvature, PointBIsWhereTheCurveFirstReachesTheMoment)
{
    // The 20 x 40 column at −800 kN about x: the curve rises from 0 to its
    // end; B at three fractions of the end's moment sits at the fibres' N
    // and M, and the curve below it stays below.
    auto s = testing::MakeColumn20x40();
    UpdateMaterials(*s, MaterialSelection{});
    const DeformationSection section = DeformationSectionOf(*s, CalculationModelParameters(*s, MaterialSelection{}));
    const MomentCurvature relation(section, -800, BendingDirection{1, 0});
    const Laws laws(30);
    const Turned t = Turn(*s, 1, 0, CurvatureSide::Positive);
    const double endMoment =
        relation.At(CurvatureSide::Positive, relation.EndCurvature(CurvatureSide::Positive))->moment;
    for (const double fraction : {0.2, 0.76, 0.999}) {
        SCOPED_TRACE(fraction);
        const double target = fraction * endMoment;
        const std::optional<CurvaturePoint> b = relation.Reaching(CurvatureSide::Positive, target);
        ASSERT_TRUE(b.has_value());
        const Resultant r = ByFibres(t, laws, b->eps0, b->curvature);
        EXPECT_NEAR(static_cast<double>(r.n), -800.0, 1e-7 * 800);
        EXPECT_NEAR(static_cast<double>(r.m), target, 1e-7 * target);
        for (const double below : {0.25, 0.5, 0.9, 0.9999})
            EXPECT_LT(relation.At(CurvatureSide::Positive, below * b->curvature)->moment, target);
    }
    EXPECT_FALSE(relation.Reaching(CurvatureSide::Positive, 1.001 * endMoment).has_value()) << "the curve ends below";
    // An Nd beyond the uniform shortening of εcu has no curve at all.
    const MomentCurvature crushed(section, -3000, BendingDirection{1, 0});
    EXPECT_EQ(crushed.End(CurvatureSide::Positive), CurveEnd::NoState);
    EXPECT_TRUE(crushed.Curve(CurvatureSide::Positive, 10).empty());
}

} // namespace
} // namespace flexara
