// The capacity of the section at one Nd, read off its interaction curve: whether
// a design point lies inside the closed curve, and the resisting moment along
// the ray from the origin through the design point. The batch tool, the load
// combinations, the chart's corner text and the report all read it here.
//
// Moments in kN·m; the curve as generated (the closing copy may be there).
#pragma once

#include "engine/case/UVariav.h"

#include <optional>
#include <span>

namespace flexara {

// Whether p lies inside the closed curve; a point on the curve is inside. A
// curve of fewer than three points holds nothing.
bool InsideCurve(std::span<const Point> curve, Point p);

struct RayCapacity {
    bool originInside = false;
    bool inside = false; // the design point
    // Where the ray from the origin through the design point first leaves the
    // curve, (MRx, MRy), and its distance from the origin, MRd. Empty when the
    // origin is not inside, or the design point is the origin.
    std::optional<Point> resisting;
    std::optional<double> resistingMoment;
    // η = |Md| / MRd; 0 for a design point at the origin inside the curve.
    // Empty where the origin is not inside the curve (or η is beyond the
    // double range): the design point is then judged by inside alone.
    std::optional<double> utilisation;
    // The verdict: η ≤ 1 where there is an η, the design point inside the
    // curve otherwise.
    bool holds = false;
};

RayCapacity CapacityAlongRay(std::span<const Point> curve, Point design);

// The ray from the origin through a design point: |Md| and the unit
// direction, as every reading forms them (no direction for the origin).
struct Ray {
    long double length = 0.0L;
    long double dx = 0.0L;
    long double dy = 0.0L;
};
Ray RayThrough(Point design);
// Whether the ray crosses the edge from a to b (the curve's order), and
// where: t along the ray and, when asked, u along the edge (0 at a, 1 at b).
bool EdgeCrossing(Point a, Point b, const Ray& ray, long double& t, long double* alongEdge = nullptr);
// The reading of the nearest crossing, t along the ray: MRd, its point and η.
void ReadCrossing(const Ray& ray, long double nearest, RayCapacity& result);

// One curve read along many rays (the design situations of a column): the
// origin's test made once, each reading that of CapacityAlongRay.
class CurveRays {
public:
    explicit CurveRays(std::span<const Point> curve);
    RayCapacity Capacity(Point design) const;
    // The utilisation alone, as Capacity gives it, without the test of the
    // design point itself: what ranks many points where each has an η.
    std::optional<double> Utilisation(Point design) const;

private:
    std::span<const Point> curve;
    bool originInside = false;
};

} // namespace flexara
