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

// The nearest crossing of the ray with an edge of the curve, as a distance
// along the ray; -1 for none.
Real NearestCrossing(std::span<const Point> curve, const Ray& ray)
{
    Real nearest = -1.0L;
    const std::size_t n = curve.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        Real t = 0.0L;
        if (EdgeCrossing(curve[j], curve[i], ray, t) && (nearest < 0.0L || t < nearest))
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
    const Ray ray = RayThrough(design);
    if (ray.length == 0.0L) {
        result.utilisation = 0.0;
        return;
    }
    Real nearest = NearestCrossing(curve, ray);
    if (!(nearest > 0.0L))
        nearest = NearestVertexOnRay(curve, ray.dx, ray.dy);
    if (nearest > 0.0L)
        ReadCrossing(ray, nearest, result);
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

Ray RayThrough(Point design)
{
    Ray ray;
    ray.length = std::hypot(static_cast<Real>(design.x), static_cast<Real>(design.y));
    if (ray.length != 0.0L) {
        ray.dx = design.x / ray.length;
        ray.dy = design.y / ray.length;
    }
    return ray;
}

// Most edges are told apart by signs alone (a quotient of these finite values
// neither underflows to zero nor overflows), so only those that may be
// crossed pay for the divisions.
bool EdgeCrossing(Point a, Point b, const Ray& ray, long double& t, long double* alongEdge)
{
    const Real dx = ray.dx, dy = ray.dy;
    const Real ax = a.x, ay = a.y;
    const Real ex = b.x - ax, ey = b.y - ay;
    const Real denominator = dx * ey - dy * ex;
    if (denominator == 0.0L)
        return false;
    const bool positive = denominator > 0.0L;
    const Real alongRay = ax * ey - ay * ex;
    if (alongRay == 0.0L || (alongRay > 0.0L) != positive)
        return false; // t <= 0: behind the origin
    const Real edge = ax * dy - ay * dx;
    if (edge != 0.0L && (edge > 0.0L) != positive)
        return false; // u < 0: before the edge's start
    const Real u = edge / denominator;
    if (!(u <= 1.0L))
        return false;
    if (alongEdge)
        *alongEdge = u;
    t = alongRay / denominator;
    return true;
}

void ReadCrossing(const Ray& ray, long double nearest, RayCapacity& result)
{
    result.resisting = Point{static_cast<double>(nearest * ray.dx), static_cast<double>(nearest * ray.dy)};
    result.resistingMoment = static_cast<double>(nearest);
    const Real eta = ray.length / nearest;
    if (eta <= std::numeric_limits<double>::max())
        result.utilisation = static_cast<double>(eta);
}

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
