// The capacity along the ray from the origin through a design point.
#include "engine/Capacity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

} // namespace
} // namespace flexara
