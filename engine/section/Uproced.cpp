#include "engine/section/Uproced.h"
#include "engine/Trigonometry.h"

#include <cmath>
#include <cstring>

namespace flexara {

using Real = long double;

void PolygonAreaCentroid(std::int32_t n, const Point* v, double& area, Point& centroid)
{
    double doubledArea = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    if (n > MaxCompressedVertices)
        n = MaxCompressedVertices;
    if (n >= 3) {
        const Real x1 = v[0].x;
        const Real y1 = v[0].y;
        for (std::int32_t i = 1; i + 1 < n; ++i) {
            const Real xi = v[i].x, yi = v[i].y;
            const Real xj = v[i + 1].x, yj = v[i + 1].y;
            // Twice the signed area of the triangle v0 vi vi+1.
            const double g = static_cast<double>((xi - x1) * (yj - y1) - (xj - x1) * (yi - y1));
            const double sx = static_cast<double>(x1 + xi + xj);
            const double sy = static_cast<double>(y1 + yi + yj);
            sumX = static_cast<double>(sumX + static_cast<Real>(g) * sx);
            sumY = static_cast<double>(sumY + static_cast<Real>(g) * sy);
            doubledArea = static_cast<double>(doubledArea + static_cast<Real>(g));
        }
    }
    if (doubledArea != 0.0) {
        centroid.x = static_cast<double>(sumX / (3.0L * doubledArea));
        centroid.y = static_cast<double>(sumY / (3.0L * doubledArea));
    } else {
        centroid = Point{};
    }
    area = static_cast<double>(static_cast<Real>(doubledArea) / 2.0L);
}

void PolygonSecondMoments(std::int32_t n, const Point* v, Point about, double& ixx, double& iyy)
{
    if (n > MaxVertices)
        n = MaxVertices;
    // Green's theorem edge by edge, about the given point so that the terms
    // stay of the size of the section and nothing cancels away.
    Real sumXx = 0.0L;
    Real sumYy = 0.0L;
    for (std::int32_t k = 0; k < n; ++k) {
        const Point& p = v[k];
        const Point& q = v[k + 1 == n ? 0 : k + 1];
        const Real xi = static_cast<Real>(p.x) - about.x, yi = static_cast<Real>(p.y) - about.y;
        const Real xj = static_cast<Real>(q.x) - about.x, yj = static_cast<Real>(q.y) - about.y;
        const Real cross = xi * yj - xj * yi;
        sumXx += cross * (yi * yi + yi * yj + yj * yj);
        sumYy += cross * (xi * xi + xi * xj + xj * xj);
    }
    ixx = n >= 3 ? static_cast<double>(sumXx / 12.0L) : 0.0;
    iyy = n >= 3 ? static_cast<double>(sumYy / 12.0L) : 0.0;
}

void TranslatePoints(std::int32_t n, const Point* in, Point origin, Point* out)
{
    // Element by element, so out may be in.
    for (std::int32_t i = 0; i < n; ++i) {
        const Point p = in[i];
        out[i].x = static_cast<double>(static_cast<Real>(p.x) - origin.x);
        out[i].y = static_cast<double>(static_cast<Real>(p.y) - origin.y);
    }
}

void RotatePoints(std::int32_t n, const Point* in, double theta, Point* out)
{
    RotatePoints(n, in, Cosine(static_cast<Real>(theta)), Sine(static_cast<Real>(theta)), out);
}

void RotatePoints(std::int32_t n, const Point* in, long double c, long double s, Point* out)
{
    for (std::int32_t i = 0; i < n; ++i) {
        const Real x = in[i].x;
        const Real y = in[i].y;
        out[i].x = static_cast<double>(c * x + s * y);
        out[i].y = static_cast<double>(-s * x + c * y);
    }
}

void ClipAtLevel(const Point* v, std::int32_t n, double c, Point* out, std::int32_t& m)
{
    m = 0;
    if (n <= 0)
        return;
    if (n > MaxVertices)
        n = MaxVertices;
    // A working copy only where out is v itself; left uninitialised, since
    // every slot used is copied first.
    struct Slot {
        double x, y;
    };
    Slot work[MaxVertices];
    const Point* src = v;
    if (out == v) {
        std::memcpy(work, v, sizeof(Point) * static_cast<std::size_t>(n));
        src = reinterpret_cast<const Point*>(work);
    }

    auto append = [&](double x, double y) {
        if (m < MaxCompressedVertices) {
            out[m].x = x;
            out[m].y = y;
            ++m;
        }
    };
    // The abscissa where the edge crosses the level, from its slope and
    // intercept; worked out only for the edges that cross.
    auto crossing = [c](double xi, double yi, double xj, double yj) {
        const double slope = static_cast<double>((static_cast<Real>(yj) - yi) / (static_cast<Real>(xj) - xi + 1e-21L));
        const double intercept = static_cast<double>(static_cast<Real>(yi) - static_cast<Real>(slope) * xi);
        return (xj == xi) ? xi : static_cast<double>((static_cast<Real>(intercept) - c) / (-static_cast<Real>(slope)));
    };

    for (std::int32_t i = 0; i < n; ++i) {
        const Point& p = src[i];
        const Point& q = src[i + 1 == n ? 0 : i + 1]; // the last vertex joins the first
        const double xi = p.x, yi = p.y;
        const double xj = q.x, yj = q.y;
        if (yi >= c)
            append(xi, yi);
        if (yj == yi)
            continue; // horizontal edge: no crossing
        if (yi >= c && yj < c)
            append(crossing(xi, yi, xj, yj), c); // the edge leaves the kept side
        if (yi < c && yj > c)
            append(crossing(xi, yi, xj, yj), c); // the edge enters the kept side
    }
}

namespace {

// The sign of the turn from a through b to c: +1 left, -1 right, 0 straight on.
int Turn(Point a, Point b, Point c)
{
    const Real cross = (static_cast<Real>(b.x) - a.x) * (static_cast<Real>(c.y) - a.y) -
                       (static_cast<Real>(b.y) - a.y) * (static_cast<Real>(c.x) - a.x);
    return cross > 0.0L ? 1 : (cross < 0.0L ? -1 : 0);
}

// Whether the segments ab and cd cross at a point inside both.
bool Cross(Point a, Point b, Point c, Point d)
{
    return Turn(a, b, c) * Turn(a, b, d) < 0 && Turn(c, d, a) * Turn(c, d, b) < 0;
}

} // namespace

bool IsSimpleCounterClockwise(std::int32_t n, const Point* v)
{
    if (n > MaxVertices)
        n = MaxVertices;
    double area = 0.0;
    Point centroid;
    PolygonAreaCentroid(n, v, area, centroid);
    if (!(area > 0.0))
        return false;
    for (std::int32_t i = 0; i < n; ++i) {
        const Point a = v[i];
        const Point b = v[(i + 1) % n];
        // Neighbouring edges share a vertex and cannot cross.
        for (std::int32_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;
            if (Cross(a, b, v[j], v[(j + 1) % n]))
                return false;
        }
    }
    return true;
}

bool BarsInsideSection(AnalysisState& s)
{
    SectionRecord& sec = s.Section;
    std::int32_t n = sec.VertexCount;
    if (n < 0)
        n = 0;
    if (n > MaxVertices)
        n = MaxVertices;
    Point* cv = sec.CentroidalVertices.data();
    cv[n] = cv[0];

    bool ok = true;
    const std::int32_t lineCount = s.LineCount < 0 ? 0 : (s.LineCount > MaxLines ? MaxLines : s.LineCount);
    for (std::int32_t k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const std::int32_t bars = line.BarCount > MaxBarsPerLine ? MaxBarsPerLine : line.BarCount;
        for (std::int32_t j = 0; j < bars; ++j) {
            const Real bx = line.CentroidalBars[static_cast<std::size_t>(j)].x;
            const Real by = line.CentroidalBars[static_cast<std::size_t>(j)].y;
            int left = 0;
            int below = 0;
            for (std::int32_t i = 0; i < n && ok; ++i) {
                const Real x0 = cv[i].x, y0 = cv[i].y;
                const Real x1 = cv[i + 1].x, y1 = cv[i + 1].y;
                // The crossing must lie on the edge; that half of the test needs no
                // slope, so edges beside the bar cost no division.
                if (y1 != y0 && std::fabs(y0 - y1) == std::fabs(y0 - by) + std::fabs(y1 - by)) {
                    // Ray from the bar to the left.
                    const double slope = static_cast<double>((y1 - y0) / (x1 - x0 + 1e-21L));
                    const double intercept = static_cast<double>(y0 - static_cast<Real>(slope) * x0);
                    const Real xc = (x1 == x0)
                                        ? x0
                                        : static_cast<Real>(static_cast<double>((static_cast<Real>(intercept) - by) /
                                                                                (-static_cast<Real>(slope))));
                    if (std::fabs(x0 - x1) == std::fabs(x0 - xc) + std::fabs(x1 - xc)) {
                        // A crossing counts when exactly one end of the edge lies beyond
                        // the ray's line, so a ray that only grazes a vertex counts 0 or 2.
                        if (xc < bx && ((y0 > by) != (y1 > by)))
                            ++left;
                        if (xc == bx)
                            ok = false;
                    }
                }
                if (ok && x1 != x0 && std::fabs(x0 - x1) == std::fabs(x0 - bx) + std::fabs(x1 - bx)) {
                    // Ray from the bar downwards.
                    const double slope = static_cast<double>((x1 - x0) / (y1 - y0 + 1e-21L));
                    const double intercept = static_cast<double>(x0 - static_cast<Real>(slope) * y0);
                    const Real yc = (y1 == y0)
                                        ? y0
                                        : static_cast<Real>(static_cast<double>((static_cast<Real>(intercept) - bx) /
                                                                                (-static_cast<Real>(slope))));
                    if (std::fabs(y0 - y1) == std::fabs(y0 - yc) + std::fabs(y1 - yc)) {
                        if (yc < by && ((x0 > bx) != (x1 > bx)))
                            ++below;
                        if (yc == by)
                            ok = false;
                    }
                }
            }
            if (ok && (left % 2 == 0 || below % 2 == 0))
                ok = false;
        }
    }
    return ok;
}

namespace {
// Constants of the curved branch of the cold-worked steels.
struct ColdWorkedConstants {
    Real k1;
    Real k2;
};
constexpr ColdWorkedConstants ClassBConstants[2] = {{0.063L, 0.6534L}, {0.0751L, 0.6441L}};
} // namespace

SteelLaw SteelLaw::FromState(const AnalysisState& s)
{
    SteelLaw law;
    law.steelClass = s.SteelClass;
    law.bilinear = IsCodeModel(s.Model);
    law.fyd = s.Fyd;
    law.es = s.Es;
    law.epsYd = s.EpsYd;
    // Proportional limit of the cold-worked steels, per mil.
    law.epsP = static_cast<double>(0.7L * s.Fyd / s.Es * 1000.0L);
    return law;
}

bool SteelLaw::DefinedForEveryStrain() const
{
    if (bilinear || (steelClass != 2 && steelClass != 3))
        return true;
    // The branch holds for |ε| beyond epsP, and its radicand grows with |ε|,
    // rounded or not: it is nowhere negative when it is not at epsP.
    const ColdWorkedConstants k = ClassBConstants[steelClass - 2];
    return epsP >= 0.0 && static_cast<Real>(epsP) * 45.0L / 1000.0L - k.k1 >= 0.0L;
}

double SteelLaw::CurvedBranch(double e, long double sign) const
{
    const ColdWorkedConstants k = ClassBConstants[steelClass - 2];
    const Real el = e;
    // |ε|·45 then divided by 1000.
    const Real ratio = std::sqrt(std::fabs(el) * 45.0L / 1000.0L - k.k1) + k.k2;
    return static_cast<double>(sign * ratio * fyd);
}

double SteelStress(const AnalysisState& s, double strain)
{
    return SteelLaw::FromState(s).Stress(strain);
}

} // namespace flexara
