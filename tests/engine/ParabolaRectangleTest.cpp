// The parabola-rectangle integrated exactly over a polygon, against a fibre
// integration written for the tests (tests/engine/Fibres.h): the compressed
// depth cut into strips, each strip carried by fibres over their chords.
#include "engine/section/ParabolaRectangle.h"
#include "tests/engine/Fibres.h"

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
using testing::Reference;

Outline Turned(const Outline& v, double theta)
{
    Outline out;
    for (const Point& p : v)
        out.push_back({std::cos(theta) * p.x + std::sin(theta) * p.y, -std::sin(theta) * p.x + std::cos(theta) * p.y});
    return out;
}

struct Shape {
    const char* name;
    Outline outline; // counter-clockwise, about its centroid or not
};

std::vector<Shape> Shapes()
{
    return {
        {"rectangle", {{-10, -20}, {10, -20}, {10, 20}, {-10, 20}}},
        {"T", {{-10, 0}, {10, 0}, {10, 38}, {30, 38}, {30, 50}, {-30, 50}, {-30, 38}, {-10, 38}}},
        // A box walked as one outline through a slit 0.01 cm high in its right wall.
        {"box", {{0, 0}, {60, 0}, {60, 39.99}, {50, 39.99}, {50, 10}, {10, 10}, {10, 40}, {60, 40}, {60, 50}, {0, 50}}},
        // A free polygon, not convex, with slanted edges and a vertex just above another's level.
        {"free polygon", {{0, 0}, {35, 4}, {30, 20}, {18, 20.000000001}, {22, 34}, {6, 45}, {-8, 18}}},
    };
}

struct Law {
    const char* name;
    ParabolaRectangleLaw law;
    double epsCu;
};

const Law Laws[] = {
    // fck up to 50: n 2, εc2 2, εcu 3.5, 0.85·30/14.
    {"n 2", {0.85L * 30.0L / 14.0L, 2.0L, 2.0L}, 3.5},
    // fck 90 (without the cap at εcu): n 1.4, εc2 2.6, 0.85·90/14; a plateau kept with εcu 2.9.
    {"n 1.4", {0.85L * 90.0L / 14.0L, 2.6L, 1.4L}, 2.9},
};

// Planes over an outline of top y0 and bottom y1, by the strain of its top
// and of its bottom.
struct PlaneCase {
    const char* name;
    double top;    // times εcu when negative and |value| <= 1.5, else per mil
    double bottom; // per mil
};

TEST(ParabolaRectangle, EqualsAFineFibreIntegration)
{
    const PlaneCase planes[] = {
        {"pivot A, parabola only", -1.2, 8.0},
        {"pivot B, plateau and parabola", -1.0, 4.0},
        {"pivot B, nearly all shortened", -1.0, -0.1},
        {"pivot C", -0.95, -1.8},
        {"pivot C near uniform shortening", -1.0, -1.99},
        {"neutral axis just under the top", -0.01, 9.0},
    };
    for (const Shape& shape : Shapes()) {
        for (const double theta : {0.0, 0.7, 2.3, 4.0}) {
            const Outline v = Turned(shape.outline, theta);
            Real yTop = v[0].y, yBot = v[0].y;
            for (const Point& p : v) {
                yTop = std::max<Real>(yTop, p.y);
                yBot = std::min<Real>(yBot, p.y);
            }
            const Real size = yTop - yBot;
            for (const Law& law : Laws) {
                for (const PlaneCase& pc : planes) {
                    SCOPED_TRACE(std::string(shape.name) + ", θ " + std::to_string(theta) + ", " + law.name + ", " +
                                 pc.name);
                    const double top = pc.top * law.epsCu;
                    const StrainPlane plane{static_cast<double>(yTop), top, static_cast<double>(yBot), pc.bottom};
                    const ConcreteResultant exact =
                        IntegrateParabolaRectangle(v.data(), static_cast<std::int32_t>(v.size()), plane, law.law);
                    const Reference fibres = FibreIntegration(v, plane, law.law);
                    ASSERT_GT(fibres.force, 0.0L);
                    // Relative to the force, and to the force times the size of
                    // the outline for the moments (which may be near zero).
                    EXPECT_NEAR(static_cast<double>(exact.force / fibres.force), 1.0, 1e-7);
                    // The searches' way to the force alone (antiderivatives in the strain).
                    const ConcreteResultant force = IntegrateParabolaRectangle(
                        v.data(), static_cast<std::int32_t>(v.size()), plane, law.law, ResultantParts::Force);
                    EXPECT_NEAR(static_cast<double>(force.force / fibres.force), 1.0, 1e-7);
                    EXPECT_NEAR(static_cast<double>((exact.firstMomentX - fibres.firstMomentX) / (fibres.force * size)),
                                0.0, 1e-7);
                    EXPECT_NEAR(static_cast<double>((exact.firstMomentY - fibres.firstMomentY) / (fibres.force * size)),
                                0.0, 1e-7);
                }
            }
        }
    }
}

TEST(ParabolaRectangle, AVanishingGradientGivesTheUniformLimit)
{
    // A uniform shortening s0 gives σ = σcd·[1 - (1 - s0/εc2)^n] over the whole
    // outline: force σ·A, first moments σ·A·(xc, yc). Gradients of 1e-9 to
    // 1e-15 per mil across the outline must not disturb that: a closed form of
    // ∫uⁿ du divided by the gradient would lose every digit here.
    struct Case {
        double s0;
        double change; // of the strain from the top to the bottom, per mil
    };
    const Case cases[] = {{0.5, 1e-9}, {1.0, 1e-12}, {1.3, 1e-15}, {1.999, 1e-11}, {0.01, 1e-13}};
    // The rectangle 20 x 40 with its lower-left corner at (5, 10): A = 800,
    // centroid (15, 30).
    const Outline v = {{5, 10}, {25, 10}, {25, 50}, {5, 50}};
    for (const Law& law : Laws) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(law.name) + ", s0 " + std::to_string(c.s0) + ", change " +
                         std::to_string(c.change));
            const StrainPlane plane{50.0, -c.s0, 10.0, -c.s0 + c.change};
            const ConcreteResultant r = IntegrateParabolaRectangle(v.data(), 4, plane, law.law);
            const ConcreteResultant force =
                IntegrateParabolaRectangle(v.data(), 4, plane, law.law, ResultantParts::Force);
            const Real sigma = law.law.plateauStress *
                               (1.0L - std::pow(1.0L - static_cast<Real>(c.s0) / law.law.epsC2, law.law.exponent));
            EXPECT_NEAR(static_cast<double>(r.force / (sigma * 800.0L)), 1.0, 1e-8);
            EXPECT_NEAR(static_cast<double>(force.force / (sigma * 800.0L)), 1.0, 1e-8);
            EXPECT_NEAR(static_cast<double>(r.firstMomentX / (sigma * 800.0L * 15.0L)), 1.0, 1e-8);
            EXPECT_NEAR(static_cast<double>(r.firstMomentY / (sigma * 800.0L * 30.0L)), 1.0, 1e-8);
        }
    }
}

TEST(ParabolaRectangle, PlateauAndTensionAreExact)
{
    // Top at -3.5, bottom at -2.5 per mil with εc2 2: the plateau covers the
    // whole 20 x 40: force 800·σcd, moments about the centroid 0.
    // Top at 1, bottom at 5: no concrete stress at all.
    const Outline v = {{-10, -20}, {10, -20}, {10, 20}, {-10, 20}};
    const ParabolaRectangleLaw law{1.8L, 2.0L, 2.0L};
    struct Case {
        double top, bottom;
        double force;
    };
    for (const Case& c : {Case{-3.5, -2.5, 800 * 1.8}, Case{1.0, 5.0, 0.0}, Case{0.0, 10.0, 0.0}}) {
        SCOPED_TRACE(c.top);
        const ConcreteResultant r = IntegrateParabolaRectangle(v.data(), 4, StrainPlane{20, c.top, -20, c.bottom}, law);
        EXPECT_NEAR(static_cast<double>(r.force), c.force, 1e-9);
        EXPECT_NEAR(static_cast<double>(r.firstMomentX), 0.0, 1e-9);
        EXPECT_NEAR(static_cast<double>(r.firstMomentY), 0.0, 1e-9);
    }
}

// The force alone over an outline of many vertices, where the zone of the
// parabola spans many slabs (and is summed from the moments of the width) or
// a few, and the plateau lies above or below it.
TEST(ParabolaRectangle, ManySidedOutlineEqualsAFineFibreIntegration)
{
    // A 24-sided polygon of radius 30, turned so that no two vertices share
    // a level, and a concave notch cut into one side.
    Outline v;
    for (int i = 0; i < 24; ++i) {
        const double angle = 0.1 + 2 * 3.14159265358979323846 * i / 24;
        const double radius = i == 7 ? 12 : 30;
        v.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    struct Case {
        const char* name;
        double top, bottom; // per mil at y = 30 and y = -30
    };
    const Case cases[] = {
        {"parabola over the whole depth", -1.9, -0.05},
        {"parabola over most of the depth, the rest in tension", -1.7, 0.4},
        {"plateau on top, deep parabola", -3.5, 0.6},
        {"thin parabola under a deep plateau", -3.5, -1.6},
        {"plateau below, parabola above", -0.2, -3.0},
        {"tension above, parabola below", 1.0, -1.8},
        {"plateau and tension only a slab apart", -3.5, 40.0},
    };
    for (const Law& law : Laws) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(law.name) + ", " + c.name);
            const StrainPlane plane{30.0, c.top, -30.0, c.bottom};
            const Reference fibres = FibreIntegration(v, plane, law.law);
            ParabolaOutline outline;
            outline.Prepare(v.data(), static_cast<std::int32_t>(v.size()));
            ASSERT_GT(fibres.force, 0.0L);
            EXPECT_NEAR(static_cast<double>(outline.Force(plane, law.law) / fibres.force), 1.0, 1e-9);
        }
    }
}

} // namespace
} // namespace flexara
