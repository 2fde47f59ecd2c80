#include "engine/section/ParabolaRectangle.h"

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {

using Real = long double;

// ∫₀¹ tʲ·u(t)ⁿ dt for j = 0, 1, 2, with u linear from ua (t = 0) to ub (t = 1).
struct PowerMoments {
    Real j0 = 0.0L;
    Real j1 = 0.0L;
    Real j2 = 0.0L;
};

// Where u changes by less than an eighth of its size along a piece, the closed
// form is a difference of nearly equal terms divided by the change cubed; the
// binomial series about the middle of the piece takes over there.
constexpr Real SeriesBelow = 0.125L;
// With |ρ| <= 1/15 the terms fall below 1e-22 well before this.
constexpr int SeriesTermBudget = 64;
constexpr Real SeriesTail = 1e-22L;

// ∫_{-1}^{1} σᵐ dσ, and 1/(k + 1), for the terms of the series.
struct SeriesTables {
    Real evenMoment[SeriesTermBudget + 2];
    Real reciprocal[SeriesTermBudget];
    constexpr SeriesTables() : evenMoment(), reciprocal()
    {
        for (int m = 0; m < SeriesTermBudget + 2; ++m)
            evenMoment[m] = (m % 2 != 0) ? 0.0L : 2.0L / static_cast<Real>(m + 1);
        for (int k = 0; k < SeriesTermBudget; ++k)
            reciprocal[k] = 1.0L / static_cast<Real>(k + 1);
    }
};
constexpr SeriesTables Tables;

// The law's constants of one integration.
struct Exponent {
    Real n;
    Real inverse1, inverse2, inverse3; // 1/(n + 1), 1/(n + 2), 1/(n + 3)

    explicit Exponent(Real exponent)
        : n(exponent), inverse1(1.0L / (exponent + 1.0L)), inverse2(1.0L / (exponent + 2.0L)),
          inverse3(1.0L / (exponent + 3.0L))
    {
    }

    // uⁿ for u in [0, 1]. As 2^(n·log₂u): the library's powl takes an exact
    // path of a microsecond, and this stays within 1e-18 of it.
    Real Power(Real u) const
    {
        if (n == 2.0L)
            return u * u;
        if (u == 0.0L || u == 1.0L)
            return u;
        return std::exp2(n * std::log2(u));
    }
};

// With t = (σ + 1)/2 and u = um·(1 + ρσ): uⁿ = umⁿ·Σ C(n,k)·ρᵏ·σᵏ, and the
// moments of σᵏ over [-1, 1] are known.
template <bool Second> PowerMoments SeriesMoments(Real ua, Real ub, const Exponent& e)
{
    const Real um = (ua + ub) / 2.0L;
    if (um == 0.0L)
        return {};
    const Real rho = (ub - ua) / 2.0L / um;
    const Real* const m = Tables.evenMoment;
    Real s0 = 0.0L, s1 = 0.0L, s2 = 0.0L;
    Real term = 1.0L; // C(n,k)·ρᵏ
    for (int k = 0; k < SeriesTermBudget; ++k) {
        s0 += term * m[k];
        s1 += term * (m[k + 1] + m[k]) / 2.0L;
        if (Second)
            s2 += term * (m[k + 2] + 2.0L * m[k + 1] + m[k]) / 4.0L;
        term *= (e.n - static_cast<Real>(k)) * Tables.reciprocal[k] * rho;
        // An integer n ends the series by itself.
        if (std::fabs(term) < SeriesTail)
            break;
    }
    const Real scale = e.Power(um) / 2.0L;
    return {scale * s0, scale * s1, scale * s2};
}

// ∫ (u - ua)ʲ·uⁿ du from ua to ub, divided by (ub - ua)^(j+1); pa = uaⁿ, pb = ubⁿ.
template <bool Second> PowerMoments ClosedMoments(Real ua, Real pa, Real ub, Real pb, const Exponent& e)
{
    const Real inverse = 1.0L / (ub - ua);
    // Antiderivatives of (u - ua)ʲ·uⁿ at u, with p = uⁿ.
    auto at = [&](Real u, Real p) {
        const Real p1 = p * u * e.inverse1, p2 = p * u * u * e.inverse2;
        const Real p3 = Second ? p * u * u * u * e.inverse3 : 0.0L;
        return PowerMoments{p1, p2 - ua * p1, Second ? p3 - 2.0L * ua * p2 + ua * ua * p1 : 0.0L};
    };
    const PowerMoments a = at(ua, pa);
    const PowerMoments b = at(ub, pb);
    return {(b.j0 - a.j0) * inverse, (b.j1 - a.j1) * inverse * inverse,
            Second ? (b.j2 - a.j2) * inverse * inverse * inverse : 0.0L};
}

constexpr Real OneThird = 1.0L / 3.0L;

// j2 only for the first moments.
template <bool Second> PowerMoments Moments(Real ua, Real pa, Real ub, Real pb, const Exponent& e)
{
    if (std::fabs(ub - ua) <= SeriesBelow * std::max(ua, ub))
        return SeriesMoments<Second>(ua, ub, e);
    return ClosedMoments<Second>(ua, pa, ub, pb, e);
}

// With n = 2, u(t)² = ua² + 2·ua·δ·t + δ²·t², δ = ub - ua: the moments are
// polynomials in ua and δ, exact for any change along the piece, with no
// difference of nearly equal powers to lose digits in.
PowerMoments QuadraticMoments(Real ua, Real ub)
{
    const Real d = ub - ua;
    const Real aa = ua * ua, ad = ua * d, dd = d * d;
    return {aa + ad + dd * OneThird, aa * 0.5L + ad * (2.0L * OneThird) + dd * 0.25L, 0.0L};
}

// j0 and j1 of a piece on the parabola, for the force.
PowerMoments ForceMoments(Real ua, Real pa, Real ub, Real pb, const Exponent& e)
{
    return e.n == 2.0L ? QuadraticMoments(ua, ub) : Moments<false>(ua, pa, ub, pb, e);
}

// A point of the outline where a piece ends: its place along the edge, its
// shortening, u = 1 - s/εc2 and uⁿ (u and uⁿ meaningful on the parabola only).
struct PieceEnd {
    Real t, s, u, p;
};

struct Constants {
    Real plateauStress;
    Real epsC2;
    Real inverseEpsC2;
    Exponent exponent;
};

// The integrals along one edge, cut where it crosses s = 0 (u = 1) and
// s = εc2 (u = 0); on each piece the stress is σcd or σcd·(1 - uⁿ) with u
// linear along it.
void AddEdgeByPieces(const Point& a, const Point& b, const PieceEnd& ea, const PieceEnd& eb, const Constants& c,
                     ConcreteResultant& r)
{
    const Real sa = ea.s, sb = eb.s;
    // In its own order; at a cut the shortening is the level itself, exactly.
    PieceEnd ends[4];
    int count = 0;
    ends[count++] = ea;
    const Real levels[2] = {sa < sb ? 0.0L : c.epsC2, sa < sb ? c.epsC2 : 0.0L};
    Real inverseChange = 0.0L;
    for (const Real level : levels) {
        if ((sa - level) * (sb - level) < 0.0L) {
            if (inverseChange == 0.0L)
                inverseChange = 1.0L / (sb - sa);
            const Real u = level == 0.0L ? 1.0L : 0.0L;
            ends[count++] = PieceEnd{std::clamp((level - sa) * inverseChange, 0.0L, 1.0L), level, u, u};
        }
    }
    ends[count] = eb;
    ends[count++].t = 1.0L;

    const Real xa = a.x, ya = a.y;
    const Real edgeDx = static_cast<Real>(b.x) - xa;
    const Real edgeDy = static_cast<Real>(b.y) - ya;
    for (int k = 0; k + 1 < count; ++k) {
        const PieceEnd& e0 = ends[k];
        const PieceEnd& e1 = ends[k + 1];
        if (e0.s <= 0.0L && e1.s <= 0.0L)
            continue;
        const Real x0 = e0.t == 0.0L ? xa : xa + e0.t * edgeDx;
        const Real y0 = e0.t == 0.0L ? ya : ya + e0.t * edgeDy;
        const Real x1 = e1.t == 1.0L ? static_cast<Real>(b.x) : xa + e1.t * edgeDx;
        const Real y1 = e1.t == 1.0L ? static_cast<Real>(b.y) : ya + e1.t * edgeDy;
        const Real dx = x1 - x0, dy = y1 - y0;
        if (dy == 0.0L)
            continue;
        // ∫₀¹ tʲ·σ/σcd dt: 1/(j + 1) on the plateau, less ∫₀¹ tʲ·uⁿ dt on
        // the parabola, where σ = σcd·(1 - uⁿ).
        Real i0 = 1.0L, i1 = 0.5L, i2 = OneThird;
        if (e0.s < c.epsC2 || e1.s < c.epsC2) {
            const PowerMoments m = Moments<true>(e0.u, e0.p, e1.u, e1.p, c.exponent);
            i0 -= m.j0;
            i1 -= m.j1;
            i2 -= m.j2;
        }
        // Green: ∬ f(y) dA = ∮ x·f dy, ∬ x·f dA = ∮ x²/2·f dy, ∬ y·f dA = ∮ x·y·f dy,
        // with x = x0 + t·dx and y = y0 + t·dy along the piece.
        const Real scale = c.plateauStress * dy;
        r.force += scale * (x0 * i0 + dx * i1);
        r.firstMomentX += scale * (x0 * x0 * 0.5L * i0 + x0 * dx * i1 + dx * dx * 0.5L * i2);
        r.firstMomentY += scale * (x0 * y0 * i0 + (x0 * dy + y0 * dx) * i1 + dx * dy * i2);
    }
}

// f(i, j) for every edge from v[i] to v[j] that is not horizontal: a
// horizontal edge adds nothing to the integrals along y.
template <class F> void ForEachSlopedEdge(const Point* v, std::int32_t n, const F& f)
{
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t j = i + 1 == n ? 0 : i + 1;
        if (v[i].y != v[j].y)
            f(i, j);
    }
}

ConcreteResultant IntegrateByEdges(const Point* v, std::int32_t n, const StrainPlane& plane,
                                   const ParabolaRectangleLaw& law)
{
    ConcreteResultant r;
    if (n > MaxVertices)
        n = MaxVertices;
    if (n < 3)
        return r;
    const Real yTop = plane.yTop;
    const Real gradient = (static_cast<Real>(plane.refStrain) - plane.topStrain) / (yTop - plane.yRef);
    const Constants c{law.plateauStress, law.epsC2, 1.0L / law.epsC2, Exponent(law.exponent)};
    const Real eps = c.epsC2;

    // Each vertex's shortening (positive) and, on the parabola, u and uⁿ: the
    // powers are worked out once per vertex, not once per edge.
    PieceEnd at[MaxVertices];
    for (std::int32_t i = 0; i < n; ++i) {
        PieceEnd& e = at[i];
        e.t = 0.0L;
        e.s = -(plane.topStrain + gradient * (yTop - v[i].y));
        e.u = e.s <= 0.0L ? 1.0L : (e.s >= eps ? 0.0L : std::clamp(1.0L - e.s * c.inverseEpsC2, 0.0L, 1.0L));
        e.p = c.exponent.Power(e.u);
    }

    ForEachSlopedEdge(v, n, [&](std::int32_t i, std::int32_t j) {
        const PieceEnd& ea = at[i];
        const PieceEnd& eb = at[j];
        if (ea.s > 0.0L || eb.s > 0.0L) // not in tension all along
            AddEdgeByPieces(v[i], v[j], ea, eb, c, r);
    });
    return r;
}

} // namespace

ConcreteResultant IntegrateParabolaRectangle(const Point* v, std::int32_t n, const StrainPlane& plane,
                                             const ParabolaRectangleLaw& law, ResultantParts parts)
{
    if (parts == ResultantParts::ForceAndFirstMoments)
        return IntegrateByEdges(v, n, plane, law);
    ParabolaOutline outline;
    outline.Prepare(v, n);
    return ConcreteResultant{outline.Force(plane, law), 0.0L, 0.0L};
}

namespace {

// Where the strain puts a level: in tension, on the parabola, on the plateau.
enum Zone : int { InTension = 0, OnParabola = 1, OnPlateau = 2 };

Zone ZoneOf(Real s, Real epsC2)
{
    return s <= 0.0L ? InTension : (s >= epsC2 ? OnPlateau : OnParabola);
}

// ∫₀¹ (a0 + h·t)ʲ·(wl + dw·t)·h dt for j = 0, 1, 2: the area of a slab of
// height h and its moments about the origin, a0 its lower level from there.
void SlabMoments(Real a0, Real h, Real wl, Real dw, Real& m0, Real& m1, Real& m2)
{
    const Real c0 = wl + dw * 0.5L;
    const Real c1 = wl * 0.5L + dw * OneThird;
    const Real c2 = wl * OneThird + dw * 0.25L;
    m0 = h * c0;
    m1 = h * (a0 * c0 + h * c1);
    m2 = h * (a0 * a0 * c0 + 2.0L * a0 * h * c1 + h * h * c2);
}

// u = 1 - s/εc2 on the parabola.
Real ParabolaU(Real s, Real inverseEpsC2)
{
    return std::clamp(1.0L - s * inverseEpsC2, 0.0L, 1.0L);
}

// A zone of parabola at least 1/32 of the outline deep is integrated from
// the sums of moments: their differences then lose at most 32² = 1024 units
// of the last place of the extended format, some 1e-16 of the force.
constexpr Real DeepParabola = 1.0L / 32.0L;
// Fewer slabs than this are cheaper one by one.
constexpr int FewSlabs = 4;

} // namespace

void ParabolaOutline::Prepare(const Point* v, std::int32_t n)
{
    levelCount = 0;
    if (n > MaxVertices)
        n = MaxVertices;
    if (n < 3)
        return;
    // The vertices in the order of their y, each given the index of its level.
    struct Ordered {
        double y;
        std::int32_t vertex;
    };
    Ordered order[MaxVertices];
    for (std::int32_t i = 0; i < n; ++i)
        order[i] = Ordered{v[i].y, i};
    std::sort(order, order + n, [](const Ordered& a, const Ordered& b) { return a.y < b.y; });
    std::int32_t levelOf[MaxVertices];
    int m = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        if (m == 0 || order[i].y != level[m - 1])
            level[m++] = order[i].y;
        levelOf[order[i].vertex] = m - 1;
    }
    levelCount = m;
    origin = (level[0] + level[m - 1]) / 2.0L;
    std::fill(widthLow, widthLow + m, 0.0L);
    std::fill(widthHigh, widthHigh + m, 0.0L);
    ForEachSlopedEdge(v, n, [&](std::int32_t i, std::int32_t j) {
        const Point& a = v[i];
        const Point& b = v[j];
        // Green: ∬ f(y) dA = ∮ x·f(y) dy, an edge going up adds its x to the
        // width, one going down takes it away.
        const bool up = b.y > a.y;
        const Real sign = up ? 1.0L : -1.0L;
        const Point& low = up ? a : b;
        const Point& high = up ? b : a;
        const int first = levelOf[up ? i : j];
        const int last = levelOf[up ? j : i];
        if (last == first + 1) {
            widthLow[first] += sign * low.x;
            widthHigh[first] += sign * high.x;
            return;
        }
        // x at the levels the edge passes on its way; its own ends exactly.
        const Real slope = (static_cast<Real>(high.x) - low.x) / (static_cast<Real>(high.y) - low.y);
        Real x = low.x;
        for (int k = first; k < last; ++k) {
            const Real next = k + 1 == last ? static_cast<Real>(high.x) : low.x + (level[k + 1] - low.y) * slope;
            widthLow[k] += sign * x;
            widthHigh[k] += sign * next;
            x = next;
        }
    });
    below0[0] = below1[0] = below2[0] = 0.0L;
    above0[m - 1] = 0.0L;
    for (int k = 0; k + 1 < m; ++k) {
        Real m0 = 0.0L, m1 = 0.0L, m2 = 0.0L;
        SlabMoments(level[k] - origin, level[k + 1] - level[k], widthLow[k], widthHigh[k] - widthLow[k], m0, m1, m2);
        below0[k + 1] = below0[k] + m0;
        below1[k + 1] = below1[k] + m1;
        below2[k + 1] = below2[k] + m2;
    }
    for (int k = m - 2; k >= 0; --k)
        above0[k] = above0[k + 1] + (below0[k + 1] - below0[k]);
}

long double ParabolaOutline::Force(const StrainPlane& plane, const ParabolaRectangleLaw& law) const
{
    const int m = levelCount;
    if (m < 2)
        return 0.0L;
    const Real yTop = plane.yTop;
    const Real topStrain = plane.topStrain;
    const Real gradient = (static_cast<Real>(plane.refStrain) - plane.topStrain) / (yTop - plane.yRef);
    const Real eps = law.epsC2;
    const Real inverseEps = 1.0L / eps;
    const Exponent e(law.exponent);
    auto shorteningAt = [&](Real y) { return -(topStrain + gradient * (yTop - y)); };
    auto zoneAt = [&](int k) { return ZoneOf(shorteningAt(level[k]), eps); };
    // u and uⁿ of a level, worked out once for the slabs on both sides of it.
    Real uOf[MaxVertices], pOf[MaxVertices];
    bool known[MaxVertices] = {};
    auto powerAt = [&](int k, Real& u) {
        if (!known[k]) {
            known[k] = true;
            uOf[k] = ParabolaU(std::max(shorteningAt(level[k]), 0.0L), inverseEps);
            pOf[k] = e.Power(uOf[k]);
        }
        u = uOf[k];
        return pOf[k];
    };

    // Slabs first..last-1, on the parabola all through.
    auto fullParabolaSlabs = [&](int first, int last) {
        const Real depth = level[last] - level[first];
        if (e.n == 2.0L && last - first > FewSlabs && depth >= DeepParabola * (level[m - 1] - level[0])) {
            // σ/σcd = 1 - u² with u = uc + u'·(y - yc) about the middle yc of
            // the zone: ∫(1 - u²)·w dy = (1 - uc²)·M0 - 2·uc·u'·M1 - u'²·M2,
            // the moments Mj of the zone's width about yc.
            const Real yc = (level[first] + level[last]) / 2.0L;
            const Real c = yc - origin;
            const Real d0 = below0[last] - below0[first];
            const Real d1 = below1[last] - below1[first];
            const Real d2 = below2[last] - below2[first];
            const Real m1 = d1 - c * d0;
            const Real m2 = d2 - 2.0L * c * d1 + c * c * d0;
            const Real uc = 1.0L - shorteningAt(yc) * inverseEps;
            const Real slope = -gradient * inverseEps;
            return (1.0L - uc) * (1.0L + uc) * d0 - 2.0L * uc * slope * m1 - slope * slope * m2;
        }
        Real sum = 0.0L;
        for (int k = first; k < last; ++k) {
            Real ua = 0.0L, ub = 0.0L;
            const Real pa = powerAt(k, ua);
            const Real pb = powerAt(k + 1, ub);
            const PowerMoments j = ForceMoments(ua, pa, ub, pb, e);
            sum += (level[k + 1] - level[k]) *
                   (widthLow[k] * (1.0L - j.j0) + (widthHigh[k] - widthLow[k]) * (0.5L - j.j1));
        }
        return sum;
    };

    // Slab k, where the zone changes. From the antiderivatives in s, which
    // hold in every zone: G0 = s - εc2·(1 - u^(n+1))/(n + 1) and
    // G1 = s²/2 - εc2²·[(1 - u^(n+1))/(n + 1) - (1 - u^(n+2))/(n + 2)] (0 in
    // tension, u = 0 on the plateau). With x = sl + D·t along the slab,
    // D = sh - sl, ∫w·σ/σcd dy = h/D·[wl·ΔG0 + Δw/D·(ΔG1 - sl·ΔG0)]. Where s
    // hardly changes across the slab that is a difference of nearly equal
    // terms: the slab is cut where s = 0 and s = εc2 instead, in the order
    // of t from its lower level (at a cut the shortening is the level itself,
    // exactly) and each piece integrated in its own zone.
    auto splitSlab = [&](int k) {
        const Real h = level[k + 1] - level[k];
        const Real sLow = shorteningAt(level[k]);
        const Real sHigh = shorteningAt(level[k + 1]);
        const Real wl = widthLow[k];
        const Real dw = widthHigh[k] - widthLow[k];
        const Real change = sHigh - sLow;
        if (std::fabs(change) > SeriesBelow * std::max(std::fabs(sLow), std::fabs(sHigh))) {
            auto antiderivatives = [&](int at, Real shortening, Real& g0, Real& g1) {
                const Real sp = shortening > 0.0L ? shortening : 0.0L;
                Real u = 0.0L;
                const Real p = powerAt(at, u);
                const Real rest1 = (1.0L - p * u) * e.inverse1;
                const Real rest2 = (1.0L - p * u * u) * e.inverse2;
                g0 = sp - eps * rest1;
                g1 = sp * sp * 0.5L - eps * eps * (rest1 - rest2);
            };
            Real g0Low = 0.0L, g1Low = 0.0L, g0High = 0.0L, g1High = 0.0L;
            antiderivatives(k, sLow, g0Low, g1Low);
            antiderivatives(k + 1, sHigh, g0High, g1High);
            const Real inverse = 1.0L / change;
            const Real dg0 = g0High - g0Low;
            const Real dg1 = g1High - g1Low;
            return h * inverse * (wl * dg0 + dw * inverse * (dg1 - sLow * dg0));
        }
        Real t[4] = {0.0L, 0.0L, 0.0L, 1.0L};
        Real s[4] = {sLow, 0.0L, 0.0L, sHigh};
        int count = 1;
        const Real cuts[2] = {sLow < sHigh ? 0.0L : eps, sLow < sHigh ? eps : 0.0L};
        for (const Real cut : cuts) {
            if ((sLow - cut) * (sHigh - cut) < 0.0L) {
                t[count] = std::clamp((cut - sLow) / (sHigh - sLow), 0.0L, 1.0L);
                s[count++] = cut;
            }
        }
        t[count] = 1.0L;
        s[count++] = sHigh;
        Real sum = 0.0L;
        for (int i = 0; i + 1 < count; ++i) {
            const Zone zone = ZoneOf((s[i] + s[i + 1]) / 2.0L, eps);
            if (zone == InTension)
                continue;
            const Real w0 = wl + dw * t[i];
            const Real w1 = wl + dw * t[i + 1];
            const Real height = h * (t[i + 1] - t[i]);
            if (zone == OnPlateau) {
                sum += height * (w0 + w1) * 0.5L;
                continue;
            }
            const Real u0 = ParabolaU(s[i], inverseEps);
            const Real u1 = ParabolaU(s[i + 1], inverseEps);
            const PowerMoments j = ForceMoments(u0, e.Power(u0), u1, e.Power(u1), e);
            sum += height * (w0 * (1.0L - j.j0) + (w1 - w0) * (0.5L - j.j1));
        }
        return sum;
    };

    // The zones follow one another along y in one order, up or down: the
    // levels of the first zone, of the middle one (the parabola, when the
    // ends are in tension and on the plateau) and of the last.
    const Zone firstZone = zoneAt(0);
    const Zone lastZone = zoneAt(m - 1);
    auto firstIndexWhere = [&](auto&& predicate) {
        int low = 0, high = m; // predicate false below low, true from high on
        while (low < high) {
            const int mid = (low + high) / 2;
            if (predicate(mid))
                high = mid;
            else
                low = mid + 1;
        }
        return low;
    };
    const int middle = firstIndexWhere([&](int k) { return zoneAt(k) != firstZone; });
    const int end = firstIndexWhere([&](int k) { return zoneAt(k) == lastZone; });
    Real sum = 0.0L;
    // A run of whole slabs in one zone, slabs first..last-1.
    auto run = [&](Zone zone, int first, int last) {
        if (last <= first || zone == InTension)
            return;
        if (zone == OnParabola)
            sum += fullParabolaSlabs(first, last);
        else // the plateau lies at one end of the outline
            sum += last == m - 1 ? above0[first] : below0[last] - below0[first];
    };
    if (middle == m) {
        run(firstZone, 0, m - 1);
    } else {
        run(firstZone, 0, middle - 1);
        sum += splitSlab(middle - 1);
        if (end > middle) {
            run(zoneAt(middle), middle, end - 1);
            sum += splitSlab(end - 1);
        }
        run(lastZone, end, m - 1);
    }
    return law.plateauStress * sum;
}

} // namespace flexara
