#include "engine/section/Capacity.h"

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

// The nearest crossing of the ray from the origin along (dx, dy) with an
// edge of the curve, as a distance along the ray; -1 for none. Most edges
// are told apart by signs alone (a quotient of these finite values neither
// underflows to zero nor overflows), so only those that may be crossed pay
// for the divisions, which give the same t and u as ever.
Real NearestCrossing(std::span<const Point> curve, Real dx, Real dy)
{
    Real nearest = -1.0L;
    const std::size_t n = curve.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Real ax = curve[j].x, ay = curve[j].y;
        const Real ex = curve[i].x - ax, ey = curve[i].y - ay;
        const Real denominator = dx * ey - dy * ex;
        if (denominator == 0.0L)
            continue;
        const bool positive = denominator > 0.0L;
        const Real alongRay = ax * ey - ay * ex;
        if (alongRay == 0.0L || (alongRay > 0.0L) != positive)
            continue; // t <= 0: behind the origin
        const Real alongEdge = ax * dy - ay * dx;
        if (alongEdge != 0.0L && (alongEdge > 0.0L) != positive)
            continue; // u < 0: before the edge's start
        const Real u = alongEdge / denominator;
        if (!(u <= 1.0L))
            continue;
        const Real t = alongRay / denominator;
        if (nearest < 0.0L || t < nearest)
            nearest = t;
    }
    return nearest;
}

// Where no edge is crossed though the origin is inside, the ray went out
// through a vertex and rounding put it a hair beside both of its edges: the
// nearest vertex on the ray, as a distance along it; -1 for none.
Real NearestVertexOnRay(std::span<const Point> curve, Real dx, Real dy)
{
    Real nearest = -1.0L;
    for (const Point& p : curve) {
        const Real along = p.x * dx + p.y * dy;
        const Real beside = p.x * dy - p.y * dx;
        if (along > 0.0L && std::fabs(beside) <= 1e-15L * along && (nearest < 0.0L || along < nearest))
            nearest = along;
    }
    return nearest;
}

// The ray's part of a reading, where the origin is inside the curve.
void ReadRay(std::span<const Point> curve, Point design, RayCapacity& result)
{
    const Real length = std::hypot(static_cast<Real>(design.x), static_cast<Real>(design.y));
    if (length == 0.0L) {
        result.utilisation = 0.0;
        return;
    }
    const Real dx = design.x / length;
    const Real dy = design.y / length;
    Real nearest = NearestCrossing(curve, dx, dy);
    if (!(nearest > 0.0L))
        nearest = NearestVertexOnRay(curve, dx, dy);
    if (!(nearest > 0.0L))
        return;
    result.resisting = Point{static_cast<double>(nearest * dx), static_cast<double>(nearest * dy)};
    result.resistingMoment = static_cast<double>(nearest);
    const Real eta = length / nearest;
    if (eta <= std::numeric_limits<double>::max())
        result.utilisation = static_cast<double>(eta);
}

RayCapacity RayReading(std::span<const Point> curve, Point design, bool originInside)
{
    RayCapacity result;
    result.originInside = originInside;
    result.inside = InsideCurve(curve, design);
    if (originInside)
        ReadRay(curve, design, result);
    result.holds = result.utilisation ? *result.utilisation <= 1.0 : result.inside;
    return result;
}

} // namespace

RayCapacity CapacityAlongRay(std::span<const Point> curve, Point design)
{
    return RayReading(curve, design, InsideCurve(curve, Point{0.0, 0.0}));
}

CurveRays::CurveRays(std::span<const Point> curve) : curve(curve), originInside(InsideCurve(curve, Point{0.0, 0.0})) {}

RayCapacity CurveRays::Capacity(Point design) const
{
    return RayReading(curve, design, originInside);
}

std::optional<double> CurveRays::Utilisation(Point design) const
{
    if (!originInside)
        return std::nullopt;
    RayCapacity result;
    ReadRay(curve, design, result);
    return result.utilisation;
}

} // namespace flexara
