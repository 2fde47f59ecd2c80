#include "engine/section/PartialCurve.h"

#include "engine/Faults.h"
#include "engine/Units.h"
#include "engine/case/BarLayout.h"
#include "engine/section/Uproced.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace flexara {

namespace {

using Real = long double;

// Below this many curve points a bracket saves little over the whole curve.
constexpr int FewestCurvePoints = 16;
// Sizes within which no operation of a generation overflows, or divides by a
// difference that underflows to zero: coordinates (cm), strengths and moduli
// (kN/cm²) between 1e-50 and 1e50, or zero.
constexpr double LargestSize = 1e50;
constexpr double SmallestSize = 1e-50;
// The least width of the outline at any angle, and the least distance of a
// bar from its edges, as fractions of its size: far above the rounding of
// the turned coordinates, so that no angle puts the top vertex level with
// the bottom one, or with the extreme bar.
constexpr Real LeastSlenderness = 1e-6L;
// A ray within this angle (radians) of a vertex's direction may be caught
// by the edges on both sides of it.
constexpr Real VertexClearance = 1e-9L;
// The most vertices read along one ray's direction before the whole curve
// is the simpler reading.
constexpr int MostVerticesAlongRay = 8;
// Beside the design ray the points are read until the curve has turned this
// far (radians) past it, one at least on each side and at most a twelfth of
// the turn: a fold narrower than the window shows among them, and a curve
// that lingers longer is read whole.
constexpr Real WindowBeside = 0.05L;
// Where the curve comes near the origin in one direction it may pass it:
// the opposite ray's crossing is at least this fraction of the design ray's,
// and the design ray's of the opposite one's.
constexpr Real OriginClearance = 0.3L;
// Reinforcement whose centroid is off the outline's shrinks the curve, as Nd
// nears N1 or N4, about a point off the origin, where it folds and pinches:
// within this fraction of the limit the whole curve is read.
constexpr Real NearLimit = 0.9L;
// The steel's centroid is the outline's within this fraction of the size.
constexpr Real CentredSteel = 1e-9L;
// The sine of the least angle between the ray and the edge it crosses: a
// design point near an edge that runs along the ray is near the curve
// however far along the ray it lies.
constexpr Real LeastSlant = 1e-3L;
// The design point's distance from the crossing, and the origin's nearer
// crossing, as fractions of the crossing's distance: the curve's own inside
// test is rounded far below this.
constexpr Real CurveClearance = 1e-9L;

bool SaneSize(double value)
{
    const double size = std::fabs(value);
    return std::isfinite(value) && (value == 0.0 || (size >= SmallestSize && size <= LargestSize));
}

bool SaneSize(Point p)
{
    return SaneSize(p.x) && SaneSize(p.y);
}

Real DistanceToEdge(Point p, Point a, Point b)
{
    const Real ex = static_cast<Real>(b.x) - a.x, ey = static_cast<Real>(b.y) - a.y;
    const Real px = static_cast<Real>(p.x) - a.x, py = static_cast<Real>(p.y) - a.y;
    const Real squared = ex * ex + ey * ey;
    const Real along = squared > 0.0L ? std::clamp((px * ex + py * ey) / squared, 0.0L, 1.0L) : 0.0L;
    return std::hypot(px - along * ex, py - along * ey);
}

// The largest distance of a vertex from the outline's centroid, cm.
Real OutlineRadius(const SectionRecord& sec)
{
    Real radius = 0.0L;
    const int vertices = std::clamp(sec.VertexCount, 0, MaxVertices);
    for (int i = 0; i < vertices; ++i) {
        const Point v = sec.CentroidalVertices[static_cast<std::size_t>(i)];
        radius = std::max(radius, std::hypot(static_cast<Real>(v.x), static_cast<Real>(v.y)));
    }
    return radius;
}

// Whether no angle of the case can fault where another does not: the sizes
// bounded, the outline not a needle, and in the parabola-rectangle model,
// which divides by the height from the extreme bar to the top vertex, the
// bars clear of the edges. What remains is the same at every angle, and the
// angles computed show it.
bool FaultsAlike(const AnalysisState& s)
{
    for (const double value : {s.Fcd, s.Fyd, s.Es, s.AlphaC})
        if (!SaneSize(value))
            return false;
    const SectionRecord& sec = s.Section;
    const int vertices = std::clamp(sec.VertexCount, 0, MaxVertices);
    for (int i = 0; i < vertices; ++i)
        if (!SaneSize(sec.Vertices[static_cast<std::size_t>(i)]) ||
            !SaneSize(sec.CentroidalVertices[static_cast<std::size_t>(i)]))
            return false;
    // The width at any angle is at least the area over the diameter.
    const Real diameter = 2.0L * OutlineRadius(sec);
    if (!(std::fabs(static_cast<Real>(sec.Area)) >= LeastSlenderness * diameter * diameter))
        return false;
    const bool parabola = s.Model == CalculationModel::NbrParabolaRectangle;
    const int lines = std::clamp(s.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const int bars = BarsInLine(line);
        if (bars > 0 && !SaneSize(line.BarArea))
            return false;
        for (int j = 0; j < bars; ++j) {
            const Point bar = line.CentroidalBars[static_cast<std::size_t>(j)];
            if (!SaneSize(line.Bars[static_cast<std::size_t>(j)]) || !SaneSize(bar))
                return false;
            for (int i = 0; parabola && i < vertices; ++i)
                if (!(DistanceToEdge(bar, sec.CentroidalVertices[static_cast<std::size_t>(i)],
                                     sec.CentroidalVertices[static_cast<std::size_t>(i + 1 == vertices ? 0 : i + 1)]) >=
                      LeastSlenderness * diameter))
                    return false;
        }
    }
    return true;
}

// Whether the bars' centroid is the outline's (the centroidal frame's origin).
bool SteelCentred(const AnalysisState& s)
{
    Real area = 0.0L, x = 0.0L, y = 0.0L;
    const int lines = std::clamp(s.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        for (int j = 0; j < BarsInLine(line); ++j) {
            area += line.BarArea;
            x += static_cast<Real>(line.BarArea) * line.CentroidalBars[static_cast<std::size_t>(j)].x;
            y += static_cast<Real>(line.BarArea) * line.CentroidalBars[static_cast<std::size_t>(j)].y;
        }
    }
    return std::hypot(x, y) <= CentredSteel * area * OutlineRadius(s.Section);
}

// The angle reduced to [0, 2π).
Real WithinTurn(Real angle)
{
    angle = std::fmod(angle, TwoPi);
    return angle < 0.0L ? angle + TwoPi : angle;
}

// The clockwise angle of p from the +Mx axis, in (-π, π].
Real ClockwiseAngle(Point p)
{
    return -std::atan2(static_cast<Real>(p.y), static_cast<Real>(p.x));
}

// Where a point of angle theta lies about the origin: u, its clockwise angle
// from the +Mx axis counted on from theta; a point off the side its neutral
// axis compresses turns back.
WholeCurveNeed WhereAbout(const TurnAngle& angle, Point p, Real& u)
{
    // The direction the neutral axis compresses: +Mx at theta = 0, turning
    // clockwise with theta.
    const Real nx = angle.cos;
    const Real ny = -angle.sin;
    const Real along = nx * p.x + ny * p.y;
    const Real across = nx * p.y - ny * p.x;
    if (!(along > 0.0L))
        return WholeCurveNeed::TurnsBack;
    u = angle.theta - std::atan2(across, along);
    return WholeCurveNeed::None;
}

int IndexNear(Real index, int low, int high)
{
    return static_cast<int>(std::clamp(std::floor(index), static_cast<Real>(low), static_cast<Real>(high)));
}

} // namespace

void PartialCurve::Prepare(AnalysisState& state, const MaterialSelection& materials)
{
    caseNeed = WholeCurveNeed::None;
    angleCount = 0;
    try {
        if (!angles.Prepare(state, materials)) {
            caseNeed = WholeCurveNeed::Refused;
            return;
        }
        const int count = state.CurvePointCount;
        if (count < FewestCurvePoints || count > MaxCurvePointCount) {
            caseNeed = WholeCurveNeed::AngleCount;
            return;
        }
        for (double theta = 0.0; AngleInTurn(theta); theta = NextAngle(theta, count)) {
            if (angleCount == MaxTurnAngles) {
                caseNeed = WholeCurveNeed::AngleCount;
                return;
            }
            data[static_cast<std::size_t>(angleCount)].known = false;
            turn[static_cast<std::size_t>(angleCount++)] = TurnAngleOf(theta);
        }
        // The curved branch of a cold-worked steel may be undefined for some
        // strains, which only some angles reach.
        if (!SteelLaw::FromState(state).DefinedForEveryStrain() || !FaultsAlike(state)) {
            caseNeed = WholeCurveNeed::MayFault;
            return;
        }
    } catch (const EngineError&) {
        // Refused before the first angle: the whole curve says how.
        caseNeed = WholeCurveNeed::MayFault;
        return;
    }
    centred = SteelCentred(state);
    ClearFpFaults();
    if (!Data(0))
        caseNeed = WholeCurveNeed::MayFault;
}

bool PartialCurve::Data(int index)
{
    AngleData& angle = data[static_cast<std::size_t>(index)];
    if (angle.known)
        return true;
    const TurnAngle& at = turn[static_cast<std::size_t>(index)];
    try {
        Point guide;
        angle.references = angles.References(at, &guide);
        angle.guide = at.theta;
        Real u = 0.0L;
        if (WhereAbout(at, guide, u) == WholeCurveNeed::None)
            angle.guide = u;
    } catch (const EngineError&) {
        // The whole curve faults at this angle, whatever the Nd.
        caseNeed = ndNeed = WholeCurveNeed::MayFault;
        return false;
    }
    angle.known = true;
    return true;
}

void PartialCurve::SetNd(double value)
{
    nd = value;
    for (int k = 0; k < computedCount; ++k)
        probes[static_cast<std::size_t>(computed[static_cast<std::size_t>(k)])].computed = false;
    computedCount = 0;
    ndNeed = caseNeed;
    // N1 and N4 are the same at every angle.
    const ReferenceForces& r = data[0].references;
    if (ndNeed == WholeCurveNeed::None && !(r.N4 <= nd && nd <= r.N1))
        ndNeed = WholeCurveNeed::OutOfRange;
    if (ndNeed == WholeCurveNeed::None && !centred && (nd < NearLimit * r.N4 || nd > NearLimit * r.N1))
        ndNeed = WholeCurveNeed::NearAxialLimit;
    ClearFpFaults();
}

std::optional<ReferenceForces> PartialCurve::FirstReferences() const
{
    if (caseNeed != WholeCurveNeed::None)
        return std::nullopt;
    return data[0].references;
}

WholeCurveNeed PartialCurve::At(int index, Point& point, long double& u)
{
    Real turns = 0.0L;
    if (index < 0) {
        index += angleCount;
        turns = -TwoPi;
    } else if (index >= angleCount) {
        index -= angleCount;
        turns = TwoPi;
    }
    Probe& probe = probes[static_cast<std::size_t>(index)];
    if (!probe.computed) {
        probe.computed = true;
        probe.need = WholeCurveNeed::MayFault;
        // In the order of the angles, for the checks and the estimates.
        int k = computedCount++;
        for (; k > 0 && computed[static_cast<std::size_t>(k - 1)] > index; --k)
            computed[static_cast<std::size_t>(k)] = computed[static_cast<std::size_t>(k - 1)];
        computed[static_cast<std::size_t>(k)] = index;
        if (Data(index)) {
            const TurnAngle& at = turn[static_cast<std::size_t>(index)];
            try {
                const std::optional<Point> found =
                    angles.PointAt(at, data[static_cast<std::size_t>(index)].references, nd);
                if (found) {
                    probe.point = *found;
                    probe.need = WhereAbout(at, probe.point, probe.u);
                } else {
                    probe.need = WholeCurveNeed::NoPoint;
                }
            } catch (const EngineError&) {
                // The whole curve reports the fault.
                probe.need = WholeCurveNeed::MayFault;
            }
        }
    }
    point = probe.point;
    u = probe.u + turns;
    return probe.need;
}

long double PartialCurve::Model(int index) const
{
    // The guide of the angle, moved by what the points computed show: by
    // their own offset at their angles, in proportion between two of them,
    // and by the nearest one's beyond.
    const int at = index % angleCount;
    const Real turns = index >= angleCount ? TwoPi : 0.0L;
    Real offset = 0.0L;
    int valid = 0;
    int before = -1, after = -1;
    for (int k = 0; k < computedCount; ++k) {
        const int i = computed[static_cast<std::size_t>(k)];
        if (probes[static_cast<std::size_t>(i)].need != WholeCurveNeed::None)
            continue;
        ++valid;
        if (i <= at)
            before = i;
        if (i >= at && after < 0)
            after = i;
    }
    auto offsetOf = [&](int i) {
        return probes[static_cast<std::size_t>(i)].u - data[static_cast<std::size_t>(i)].guide;
    };
    if (valid > 0) {
        if (before < 0)
            offset = offsetOf(after);
        else if (after < 0 || after == before)
            offset = offsetOf(before);
        else
            offset = offsetOf(before) + (offsetOf(after) - offsetOf(before)) * static_cast<Real>(at - before) /
                                            static_cast<Real>(after - before);
    }
    return data[static_cast<std::size_t>(at)].guide + turns + offset;
}

long double PartialCurve::Estimate(int lo, int hi, long double tau)
{
    // The angle where the guide, moved by the points computed, reaches the
    // target: halving over the angles, the guide computed where it is asked.
    auto model = [&](int i, Real& value) {
        if (!Data(i % angleCount))
            return false;
        value = Model(i);
        return true;
    };
    Real low = 0.0L, high = 0.0L;
    if (!model(lo, low) || !(low <= tau))
        return lo;
    if (!model(hi, high) || !(tau < high))
        return hi;
    while (hi - lo > 1) {
        const int m = (lo + hi) / 2;
        Real value = 0.0L;
        if (!model(m, value))
            return m;
        if (value <= tau) {
            lo = m;
            low = value;
        } else {
            hi = m;
            high = value;
        }
    }
    return lo + (tau - low) / (high - low);
}

WholeCurveNeed PartialCurve::Bracket(long double clockwise, int& low, long double& target)
{
    Point point;
    // The target in the turn from angle 0 to its closing copy. Until the
    // point of angle 0 is computed its guide stands for it; a search that
    // ends at angle 0 tells the turn, and runs once more where it was wrong.
    Real tau = WithinTurn(clockwise);
    const Probe& first = probes[0];
    const Real guess0 = first.computed && first.need == WholeCurveNeed::None ? first.u : data[0].guide;
    if (tau < guess0)
        tau += TwoPi;
    else if (tau >= guess0 + TwoPi)
        tau -= TwoPi;
    for (int attempt = 0;; ++attempt) {
        int lo = 0;
        int hi = angleCount;
        std::array<int, 3> spans = {2 * hi, 2 * hi, 2 * hi};
        for (int round = 0; hi - lo > 1; ++round) {
            // The estimate, and a plain halving where three probes did not
            // halve the bracket: the search stays within a few times log2 of
            // the angles whatever the points do.
            int m = IndexNear(Estimate(lo, hi, tau), lo + 1, hi - 1);
            if (2 * (hi - lo) > spans[static_cast<std::size_t>(round % 3)])
                m = (lo + hi) / 2;
            spans[static_cast<std::size_t>(round % 3)] = hi - lo;
            Real u = 0.0L;
            if (const WholeCurveNeed need = At(m, point, u); need != WholeCurveNeed::None)
                return need;
            (u <= tau ? lo : hi) = m;
        }
        Real uLo = 0.0L, uHi = 0.0L;
        if (const WholeCurveNeed need = At(lo, point, uLo); need != WholeCurveNeed::None)
            return need;
        if (const WholeCurveNeed need = At(hi, point, uHi); need != WholeCurveNeed::None)
            return need;
        if (uLo <= tau && tau < uHi) {
            low = lo;
            target = tau;
            return WholeCurveNeed::None;
        }
        if (attempt == 0 && lo == 0 && tau < uLo)
            tau += TwoPi;
        else if (attempt == 0 && hi == angleCount && tau >= uHi)
            tau -= TwoPi;
        else
            return WholeCurveNeed::TurnsBack;
    }
}

WholeCurveNeed PartialCurve::TurnsOneWay(std::span<const long double> rays) const
{
    // Every pair of points computed, in the order of their angles and round
    // the turn. Between two consecutive angles the edge itself turns back
    // over the angles between its ends, and the curve is crossed more than
    // once only there. Between angles further apart the points not computed
    // may turn anywhere.
    auto turnsBack = [&](int a, int b, Real ua, Real ub, bool consecutive) {
        if (ub > ua)
            return false;
        const Point pa = probes[static_cast<std::size_t>(a)].point;
        const Point pb = probes[static_cast<std::size_t>(b)].point;
        if (pa.x == pb.x && pa.y == pb.y)
            return false; // the same point turns nowhere
        if (!consecutive)
            return true;
        for (const Real tau : rays) {
            const Real at = ub + WithinTurn(tau - ub); // the ray in the turn of the edge's ends
            if (at <= ua + VertexClearance || at >= ub + TwoPi - VertexClearance)
                return true;
        }
        return false;
    };
    int first = -1;
    int last = -1;
    for (int k = 0; k < computedCount; ++k) {
        const int i = computed[static_cast<std::size_t>(k)];
        const Probe& probe = probes[static_cast<std::size_t>(i)];
        if (probe.need != WholeCurveNeed::None)
            continue;
        if (last < 0)
            first = i;
        else if (turnsBack(last, i, probes[static_cast<std::size_t>(last)].u, probe.u, i == last + 1))
            return WholeCurveNeed::TurnsBack;
        last = i;
    }
    if (first >= 0 && last != first &&
        turnsBack(last, first, probes[static_cast<std::size_t>(last)].u,
                  probes[static_cast<std::size_t>(first)].u + TwoPi, first == 0 && last == angleCount - 1))
        return WholeCurveNeed::TurnsBack;
    return WholeCurveNeed::None;
}

WholeCurveNeed PartialCurve::Crossing(const Ray& ray, long double clockwise, bool designRay, long double& t)
{
    int lo = 0;
    Real tau = 0.0L;
    if (const WholeCurveNeed need = Bracket(clockwise, lo, tau); need != WholeCurveNeed::None)
        return need;
    Point point;
    Real u = 0.0L;
    // The edges whose ends lie within a hair of the ray's direction may
    // catch the ray as well as the bracket's own.
    std::array<int, 2> ends = {lo, lo + 1};
    for (const int direction : {-1, 1}) {
        int& end = ends[direction < 0 ? 0 : 1];
        for (;;) {
            At(end, point, u);
            if (direction * (u - tau) > VertexClearance)
                break;
            if (std::abs(end - lo) == MostVerticesAlongRay)
                return WholeCurveNeed::NearVertex;
            end += direction;
            if (const WholeCurveNeed need = At(end, point, u); need != WholeCurveNeed::None)
                return need;
        }
    }
    const int first = ends[0];
    const int last = ends[1];
    // Beside the design ray the curve turns one way until it has turned
    // a window's width past it: a fold beside the ray shows there.
    if (designRay)
        for (const int direction : {-1, 1}) {
            int i = direction < 0 ? first : last;
            Point before;
            Real uBefore = 0.0L;
            At(i, before, uBefore);
            for (int steps = 1;; ++steps) {
                if (steps > std::max(4, angleCount / 12))
                    return WholeCurveNeed::TurnsBack;
                i += direction;
                if (const WholeCurveNeed need = At(i, point, u); need != WholeCurveNeed::None)
                    return need;
                const bool same = point.x == before.x && point.y == before.y;
                if (!same && !(direction < 0 ? u < uBefore : u > uBefore))
                    return WholeCurveNeed::TurnsBack;
                before = point;
                uBefore = u;
                if (direction < 0 ? u < tau - WindowBeside : u > tau + WindowBeside)
                    break;
            }
        }

    // The nearest of the crossings, as the whole curve takes it.
    bool crossed = false;
    Real nearest = 0.0L;
    Point nearestA, nearestB;
    for (int i = first; i < last; ++i) {
        Point a, b;
        Real ua = 0.0L, ub = 0.0L;
        At(i, a, ua);
        At(i + 1, b, ub);
        Real crossing = 0.0L;
        if (EdgeCrossing(a, b, ray, crossing) && (!crossed || crossing < nearest)) {
            crossed = true;
            nearest = crossing;
            nearestA = a;
            nearestB = b;
        }
    }
    if (!crossed)
        return WholeCurveNeed::NearVertex; // the ray slips past: the whole curve looks for the vertex
    if (designRay) {
        const Real ex = static_cast<Real>(nearestB.x) - nearestA.x;
        const Real ey = static_cast<Real>(nearestB.y) - nearestA.y;
        if (!(std::fabs(ray.dx * ey - ray.dy * ex) >= LeastSlant * std::hypot(ex, ey)))
            return WholeCurveNeed::AlongEdge;
    }
    t = nearest;
    return WholeCurveNeed::None;
}

std::optional<RayCapacity> PartialCurve::Capacity(Point design, WholeCurveNeed& need)
{
    need = ndNeed;
    if (need != WholeCurveNeed::None)
        return std::nullopt;
    const Ray ray = RayThrough(design);
    const bool atOrigin = ray.length == 0.0L;
    // A design point at the origin is read along the Mx axis both ways.
    const Ray forward = atOrigin ? Ray{1.0L, 1.0L, 0.0L} : ray;
    const Real clockwise = atOrigin ? 0.0L : ClockwiseAngle(design);
    Real t = 0.0L;
    need = Crossing(forward, clockwise, !atOrigin, t);
    // The origin's witness: the opposite ray crosses the curve too, not much
    // nearer the origin.
    Real opposite = 0.0L;
    if (need == WholeCurveNeed::None) {
        need = Crossing(Ray{forward.length, -forward.dx, -forward.dy}, clockwise + Pi, false, opposite);
        if (need == WholeCurveNeed::NearVertex)
            need = WholeCurveNeed::OriginUncertain;
    }
    if (need == WholeCurveNeed::None) {
        const std::array<Real, 2> rays = {clockwise, clockwise + Pi};
        need = TurnsOneWay(rays);
    }
    if (need == WholeCurveNeed::None && !(std::min(t, opposite) > OriginClearance * std::max(t, opposite)))
        need = WholeCurveNeed::OriginUncertain;
    if (need == WholeCurveNeed::None && !atOrigin && !(std::fabs(ray.length - t) > CurveClearance * t))
        need = WholeCurveNeed::OnCurve;
    // A fault at an angle the estimates asked for ends the whole curve.
    if (ndNeed != WholeCurveNeed::None)
        need = ndNeed;
    if (need != WholeCurveNeed::None)
        return std::nullopt;

    RayCapacity result;
    result.originInside = true;
    if (atOrigin) {
        result.inside = true;
        result.utilisation = 0.0;
    } else {
        result.inside = ray.length < t;
        ReadCrossing(ray, t, result);
    }
    result.holds = result.utilisation ? *result.utilisation <= 1.0 : result.inside;
    return result;
}

} // namespace flexara
