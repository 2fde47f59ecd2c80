#include "engine/Capacity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace flexara {

namespace {

using Real = long double;

bool OnSegment(Point a, Point b, Point p)
{
    const Real cross = (static_cast<Real>(b.x) - a.x) * (static_cast<Real>(p.y) - a.y) -
                       (static_cast<Real>(b.y) - a.y) * (static_cast<Real>(p.x) - a.x);
    if (cross != 0.0L)
        return false;
    return p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
           p.y <= std::max(a.y, b.y);
}

} // namespace

bool InsideCurve(std::span<const Point> curve, Point p)
{
    const std::size_t n = curve.size();
    if (n < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point a = curve[j];
        const Point b = curve[i];
        if (OnSegment(a, b, p))
            return true;
        if ((a.y > p.y) != (b.y > p.y)) {
            const Real x =
                a.x + (static_cast<Real>(p.y) - a.y) * (static_cast<Real>(b.x) - a.x) / (static_cast<Real>(b.y) - a.y);
            if (p.x < x)
                inside = !inside;
        }
    }
    return inside;
}

namespace {

RayCapacity RayReading(std::span<const Point> curve, Point design)
{
    RayCapacity result;
    result.originInside = InsideCurve(curve, Point{0.0, 0.0});
    result.inside = InsideCurve(curve, design);
    if (!result.originInside)
        return result;
    const Real length = std::hypot(static_cast<Real>(design.x), static_cast<Real>(design.y));
    if (length == 0.0L) {
        result.utilisation = 0.0;
        return result;
    }
    const Real dx = design.x / length;
    const Real dy = design.y / length;
    // The nearest crossing of the ray with an edge of the curve.
    Real nearest = -1.0L;
    const std::size_t n = curve.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Real ax = curve[j].x, ay = curve[j].y;
        const Real ex = curve[i].x - ax, ey = curve[i].y - ay;
        const Real denominator = dx * ey - dy * ex;
        if (denominator == 0.0L)
            continue;
        const Real t = (ax * ey - ay * ex) / denominator; // along the ray
        const Real u = (ax * dy - ay * dx) / denominator; // along the edge
        if (t > 0.0L && u >= 0.0L && u <= 1.0L && (nearest < 0.0L || t < nearest))
            nearest = t;
    }
    if (!(nearest > 0.0L))
        return result;
    result.resisting = Point{static_cast<double>(nearest * dx), static_cast<double>(nearest * dy)};
    result.resistingMoment = static_cast<double>(nearest);
    const Real eta = length / nearest;
    if (eta <= std::numeric_limits<double>::max())
        result.utilisation = static_cast<double>(eta);
    return result;
}

} // namespace

RayCapacity CapacityAlongRay(std::span<const Point> curve, Point design)
{
    RayCapacity result = RayReading(curve, design);
    result.holds = result.utilisation ? *result.utilisation <= 1.0 : result.inside;
    return result;
}

} // namespace flexara
