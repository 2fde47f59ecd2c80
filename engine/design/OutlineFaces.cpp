#include "engine/design/OutlineFaces.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace flexara {

namespace {
using Real = long double;
} // namespace

OutlineFaces::OutlineFaces(const SectionRecord& outline)
{
    const std::int32_t n = std::clamp<std::int32_t>(outline.VertexCount, 0, MaxVertices);
    vertices.assign(outline.Vertices.begin(), outline.Vertices.begin() + n);
    faceFromStart.assign(vertices.size(), false);
    faceToEnd.assign(vertices.size(), false);
    for (std::size_t i = 0; i < vertices.size(); ++i)
        AddFacesOf(i);
}

bool OutlineFaces::Holds(Point centre, double radius) const
{
    if (vertices.size() < 3 || !Inside(centre))
        return false;
    for (const Face& face : faces)
        if (Distance(centre, face) < radius)
            return false;
    return true;
}

long double OutlineFaces::Distance(Point p) const
{
    Real least = std::numeric_limits<Real>::infinity();
    for (const Face& face : faces)
        least = std::min(least, Distance(p, face));
    return least;
}

std::vector<int> OutlineFaces::ConvexCorners() const
{
    std::vector<int> corners;
    const std::size_t n = vertices.size();
    if (n < 3)
        return corners;
    // Twice the signed area: positive for an outline walked anticlockwise.
    Real area = 0.0L;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = Vertex(i), b = Vertex(i + 1);
        area += static_cast<Real>(a.x) * b.y - static_cast<Real>(b.x) * a.y;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Point prev = Vertex(i + n - 1), at = Vertex(i), next = Vertex(i + 1);
        const Real turn = (static_cast<Real>(at.x) - prev.x) * (static_cast<Real>(next.y) - at.y) -
                          (static_cast<Real>(at.y) - prev.y) * (static_cast<Real>(next.x) - at.x);
        const std::size_t before = (i + n - 1) % n;
        if (turn * area > 0.0L && faceToEnd[before] && faceFromStart[i])
            corners.push_back(static_cast<int>(i));
    }
    return corners;
}

bool OutlineFaces::Inside(Point p) const
{
    bool inside = false;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const Point a = Vertex(i), b = Vertex(i + 1);
        if ((a.y > p.y) == (b.y > p.y))
            continue;
        const Real x = a.x + (static_cast<Real>(p.y) - a.y) * (static_cast<Real>(b.x) - a.x) / (b.y - a.y);
        if (x > p.x)
            inside = !inside;
    }
    return inside;
}


long double OutlineFaces::Distance(Point p, const Face& face)
{
    const Real ux = static_cast<Real>(face.b.x) - face.a.x, uy = static_cast<Real>(face.b.y) - face.a.y;
    const Real px = static_cast<Real>(p.x) - face.a.x, py = static_cast<Real>(p.y) - face.a.y;
    const Real length2 = ux * ux + uy * uy;
    const Real t = length2 > 0.0L ? std::clamp((px * ux + py * uy) / length2, 0.0L, 1.0L) : 0.0L;
    return std::hypot(px - t * ux, py - t * uy);
}


void OutlineFaces::AddFacesOf(std::size_t i)
{
    const Point a = Vertex(i), b = Vertex(i + 1);
    const Real ux = static_cast<Real>(b.x) - a.x, uy = static_cast<Real>(b.y) - a.y;
    const Real length = std::hypot(ux, uy);
    if (!(length > 0.0L))
        return;
    std::vector<std::pair<Real, Real>> covered;
    for (std::size_t j = 0; j < vertices.size(); ++j) {
        if (j == i)
            continue;
        const Point c = Vertex(j), d = Vertex(j + 1);
        const Real wx = static_cast<Real>(d.x) - c.x, wy = static_cast<Real>(d.y) - c.y;
        // Off the line of edge i by the distance of each end of edge j.
        const auto off = [&](Point q) {
            return std::fabs(ux * (static_cast<Real>(q.y) - a.y) - uy * (static_cast<Real>(q.x) - a.x)) / length;
        };
        if (!(ux * wx + uy * wy < 0.0L) || off(c) > SlitWidth || off(d) > SlitWidth)
            continue;
        const auto along = [&](Point q) {
            return ((static_cast<Real>(q.x) - a.x) * ux + (static_cast<Real>(q.y) - a.y) * uy) / (length * length);
        };
        const Real from = std::max(0.0L, std::min(along(c), along(d)));
        const Real to = std::min(1.0L, std::max(along(c), along(d)));
        if (from < to)
            covered.emplace_back(from, to);
    }
    std::sort(covered.begin(), covered.end());
    Real start = 0.0L;
    const auto face = [&](Real from, Real to) {
        faces.push_back(Face{Point{static_cast<double>(a.x + from * ux), static_cast<double>(a.y + from * uy)},
                             Point{static_cast<double>(a.x + to * ux), static_cast<double>(a.y + to * uy)},
                             static_cast<int>(i)});
        if (from == 0.0L)
            faceFromStart[i] = true;
        if (to == 1.0L)
            faceToEnd[i] = true;
    };
    for (const auto& [from, to] : covered) {
        if (from > start)
            face(start, from);
        start = std::max(start, to);
    }
    if (start < 1.0L)
        face(start, 1.0L);
}


} // namespace flexara
