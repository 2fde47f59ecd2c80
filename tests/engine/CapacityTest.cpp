// The capacity along the ray from the origin through a design point.
#include "engine/section/Capacity.h"
#include "engine/section/NdCurves.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace flexara {
namespace {

// A square of half-side 10 closed by a copy of its first point, as a generation
// closes its curve.
const std::vector<Point> Square = {{-10, -10}, {10, -10}, {10, 10}, {-10, 10}, {-10, -10}};

TEST(Capacity, InsideAndUtilisationAlongTheRay)
{
    const struct {
        const char* name;
        Point design;
        bool inside;
        double utilisation;
        Point resisting;
    } cases[] = {
        {"halfway to the right edge", {5, 0}, true, 0.5, {10, 0}},
        {"on the corner diagonal", {5, 5}, true, 0.5, {10, 10}},
        {"on the edge", {10, 3}, true, 1, {10, 3}},
        {"twice outside", {0, -20}, false, 2, {0, -10}},
        {"beyond a corner", {-30, -30}, false, 3, {-10, -10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RayCapacity r = CapacityAlongRay(Square, c.design);
        EXPECT_TRUE(r.originInside);
        EXPECT_EQ(r.inside, c.inside);
        ASSERT_TRUE(r.utilisation.has_value());
        EXPECT_NEAR(*r.utilisation, c.utilisation, 1e-15);
        ASSERT_TRUE(r.resisting.has_value());
        EXPECT_NEAR(r.resisting->x, c.resisting.x, 1e-13);
        EXPECT_NEAR(r.resisting->y, c.resisting.y, 1e-13);
        EXPECT_NEAR(*r.resistingMoment, std::hypot(c.resisting.x, c.resisting.y), 1e-13);
    }
}

TEST(Capacity, DesignPointAtTheOriginHasNoRay)
{
    const RayCapacity r = CapacityAlongRay(Square, {0, 0});
    EXPECT_TRUE(r.inside);
    ASSERT_TRUE(r.utilisation.has_value());
    EXPECT_EQ(*r.utilisation, 0.0);
    EXPECT_FALSE(r.resisting.has_value());
    EXPECT_FALSE(r.resistingMoment.has_value());
}

TEST(Capacity, OriginOutsideTheCurveGivesNoUtilisation)
{
    // High compression with unsymmetric bars can put the whole curve on one side.
    const std::vector<Point> away = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    const RayCapacity r = CapacityAlongRay(away, {15, 15});
    EXPECT_FALSE(r.originInside);
    EXPECT_TRUE(r.inside);
    EXPECT_FALSE(r.utilisation.has_value());
    EXPECT_FALSE(r.resisting.has_value());
}

TEST(Capacity, NoCurveHoldsNothing)
{
    for (const std::vector<Point>& curve : {std::vector<Point>{}, std::vector<Point>{{1, 1}, {2, 2}}}) {
        const RayCapacity r = CapacityAlongRay(curve, {0.5, 0.5});
        EXPECT_FALSE(r.originInside);
        EXPECT_FALSE(r.inside);
        EXPECT_FALSE(r.utilisation.has_value());
    }
}

TEST(Capacity, ExtremeDesignMomentsStayFinite)
{
    const double huge = std::numeric_limits<double>::max();
    for (const Point design : {Point{huge, huge}, Point{-huge, 0}, Point{0, 1e-300}}) {
        const RayCapacity r = CapacityAlongRay(Square, design);
        ASSERT_TRUE(r.utilisation.has_value());
        EXPECT_TRUE(std::isfinite(*r.utilisation));
    }
    // |Md| = sqrt(2)·DBL_MAX over MRd = sqrt(2)·10.
    EXPECT_DOUBLE_EQ(*CapacityAlongRay(Square, {huge, huge}).utilisation, huge / 10);
    // A curve of tiny moments and a huge design point: η beyond the double range.
    const std::vector<Point> tiny = {{-1e-300, -1e-300}, {1e-300, -1e-300}, {1e-300, 1e-300}, {-1e-300, 1e-300}};
    EXPECT_FALSE(CapacityAlongRay(tiny, {1e300, 0}).utilisation.has_value());
}

// The nearest crossing as the division of every edge gives it, for the
// comparison below: t and u of each edge in extended precision.
std::optional<long double> NearestByDivisions(const std::vector<Point>& curve, Point design)
{
    using Real = long double;
    const Real length = std::hypot(static_cast<Real>(design.x), static_cast<Real>(design.y));
    const Real dx = design.x / length, dy = design.y / length;
    Real nearest = -1.0L;
    for (std::size_t i = 0, j = curve.size() - 1; i < curve.size(); j = i++) {
        const Real ax = curve[j].x, ay = curve[j].y;
        const Real ex = curve[i].x - ax, ey = curve[i].y - ay;
        const Real denominator = dx * ey - dy * ex;
        if (denominator == 0.0L)
            continue;
        const Real t = (ax * ey - ay * ex) / denominator;
        const Real u = (ax * dy - ay * dx) / denominator;
        if (t > 0.0L && u >= 0.0L && u <= 1.0L && (nearest < 0.0L || t < nearest))
            nearest = t;
    }
    if (!(nearest > 0.0L))
        return std::nullopt;
    return nearest;
}

TEST(Capacity, ManyRaysOffOneCurveReadAsOne)
{
    // The 20 x 40 column's curves at five Nd and the square, read along rays
    // through every vertex (where an edge is met at u = 0 or 1), along the
    // axes, and at 3600 angles of three lengths: one curve read many times
    // reads as it does once, the edges told apart by signs give the
    // crossings of the plain divisions, and every ray leaves the curve.
    // Which vertices' rays slip between their edges depends on the last bit
    // of the points (the runtime's transcendentals give them): five curves
    // make sure some do, on any system.
    auto s = testing::MakeColumn20x40();
    const double nds[] = {-500.0, -1000.0, -200.0, -1500.0, 100.0};
    std::vector<std::vector<Point>> curves;
    for (const NdCurve& result : GenerateCurves(*s, MaterialSelection{}, nds, 2)) {
        ASSERT_GT(result.points.size(), 100u);
        curves.push_back(result.points);
    }
    curves.push_back(Square);
    int throughVertex = 0;
    for (const std::vector<Point>* curve = curves.data(); curve != curves.data() + curves.size(); ++curve) {
        std::vector<Point> designs(curve->begin(), curve->end());
        for (const Point p : *curve)
            designs.push_back(Point{0.5 * p.x, 0.5 * p.y});
        for (int k = 0; k < 3600; ++k)
            for (const double length : {1.0, 37.5, 1e4})
                designs.push_back(Point{length * std::cos(k * 3.14159265358979 / 1800),
                                        length * std::sin(k * 3.14159265358979 / 1800)});
        for (const Point axis : {Point{1, 0}, Point{0, 1}, Point{-1, 0}, Point{0, -1}})
            designs.push_back(axis);
        const CurveRays rays(*curve);
        int differences = 0, utilisations = 0;
        for (std::size_t k = 0; k < designs.size(); ++k) {
            const Point design = designs[k];
            const RayCapacity one = CapacityAlongRay(*curve, design);
            const RayCapacity many = rays.Capacity(design);
            const std::optional<double> eta = rays.Utilisation(design);
            const std::optional<long double> divided = NearestByDivisions(*curve, design);
            ASSERT_TRUE(one.resistingMoment.has_value()) << design.x << " " << design.y;
            if (divided) {
                differences += *one.resistingMoment != static_cast<double>(*divided);
            } else {
                // A ray through a vertex of the curve that rounding put a
                // hair beside both of its edges: it leaves at that vertex.
                ASSERT_LT(k, 2 * curve->size()) << "not a vertex's ray";
                const Point& vertex = (*curve)[k % curve->size()];
                EXPECT_NEAR(*one.resistingMoment, std::hypot(vertex.x, vertex.y),
                            1e-12 * std::hypot(vertex.x, vertex.y));
                ++throughVertex;
            }
            ASSERT_EQ(many.utilisation.has_value(), one.utilisation.has_value());
            ASSERT_EQ(eta.has_value(), one.utilisation.has_value());
            if (one.utilisation) {
                ++utilisations;
                differences += std::memcmp(&*many.utilisation, &*one.utilisation, sizeof(double)) != 0;
                differences += std::memcmp(&*eta, &*one.utilisation, sizeof(double)) != 0;
            }
            differences += many.inside != one.inside || many.holds != one.holds;
        }
        EXPECT_EQ(differences, 0);
        EXPECT_EQ(utilisations, static_cast<int>(designs.size()));
    }
    EXPECT_GT(throughVertex, 0) << "no vertex's ray slipped between its edges: that reading went untested";
}

} // namespace
} // namespace flexara
