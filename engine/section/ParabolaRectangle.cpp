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

// j2 only for the first moments.
template <bool Second> PowerMoments Moments(Real ua, Real pa, Real ub, Real pb, const Exponent& e)
{
    if (std::fabs(ub - ua) <= SeriesBelow * std::max(ua, ub))
        return SeriesMoments<Second>(ua, ub, e);
    return ClosedMoments<Second>(ua, pa, ub, pb, e);
}

constexpr Real OneThird = 1.0L / 3.0L;

// A point of the outline where a piece ends: its place along the edge, its
// shortening, u = 1 - s/εc2 and uⁿ (u and uⁿ meaningful on the parabola only);
// at a vertex also G0 = ∫₀ˢ σ/σcd ds and G1 = ∫₀ˢ s·σ/σcd ds.
struct PieceEnd {
    Real t, s, u, p;
    Real g0, g1;
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
template <bool FirstMoments>
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
            ends[count++] = PieceEnd{std::clamp((level - sa) * inverseChange, 0.0L, 1.0L), level, u, u, 0.0L, 0.0L};
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
            const PowerMoments m = Moments<FirstMoments>(e0.u, e0.p, e1.u, e1.p, c.exponent);
            i0 -= m.j0;
            i1 -= m.j1;
            i2 -= m.j2;
        }
        // Green: ∬ f(y) dA = ∮ x·f dy, ∬ x·f dA = ∮ x²/2·f dy, ∬ y·f dA = ∮ x·y·f dy,
        // with x = x0 + t·dx and y = y0 + t·dy along the piece.
        const Real scale = c.plateauStress * dy;
        r.force += scale * (x0 * i0 + dx * i1);
        if (FirstMoments) {
            r.firstMomentX += scale * (x0 * x0 * 0.5L * i0 + x0 * dx * i1 + dx * dx * 0.5L * i2);
            r.firstMomentY += scale * (x0 * y0 * i0 + (x0 * dy + y0 * dx) * i1 + dx * dy * i2);
        }
    }
}

template <bool FirstMoments>
ConcreteResultant Integrate(const Point* v, std::int32_t n, const StrainPlane& plane, const ParabolaRectangleLaw& law)
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
        if (!FirstMoments) {
            // G0 = s - εc2·(1 - u^(n+1))/(n + 1) and
            // G1 = s²/2 - εc2²·[(1 - u^(n+1))/(n + 1) - (1 - u^(n+2))/(n + 2)],
            // which hold on the plateau as well, where u = 0.
            const Real s = e.s > 0.0L ? e.s : 0.0L;
            const Real rest1 = (1.0L - e.p * e.u) * c.exponent.inverse1;
            const Real rest2 = (1.0L - e.p * e.u * e.u) * c.exponent.inverse2;
            e.g0 = s - eps * rest1;
            e.g1 = s * s * 0.5L - eps * eps * (rest1 - rest2);
        }
    }

    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t j = i + 1 == n ? 0 : i + 1;
        const Point& a = v[i];
        const Point& b = v[j];
        // A horizontal edge adds nothing to the integrals along y.
        if (a.y == b.y)
            continue;
        const PieceEnd& ea = at[i];
        const PieceEnd& eb = at[j];
        if (ea.s <= 0.0L && eb.s <= 0.0L)
            continue; // in tension all along
        if (!FirstMoments) {
            // The force alone, from the antiderivatives in s: along the edge
            // x = xa + (s - sa)·(xb - xa)/D and dy = ds·Δy/D, D = sb - sa, so
            // ∮ x·σ dy = σcd·Δy/D·[xa·ΔG0 + (xb - xa)/D·(ΔG1 - sa·ΔG0)].
            // Where s hardly changes along the edge that is a difference of
            // nearly equal terms: the pieces take over there.
            const Real change = eb.s - ea.s;
            if (ea.s >= eps && eb.s >= eps) {
                r.force += c.plateauStress * (static_cast<Real>(b.y) - a.y) * (static_cast<Real>(a.x) + b.x) * 0.5L;
                continue;
            }
            if (std::fabs(change) > SeriesBelow * std::max(std::fabs(ea.s), std::fabs(eb.s))) {
                const Real inverse = 1.0L / change;
                const Real dg0 = eb.g0 - ea.g0;
                const Real dg1 = eb.g1 - ea.g1;
                r.force += c.plateauStress * (static_cast<Real>(b.y) - a.y) * inverse *
                           (a.x * dg0 + (static_cast<Real>(b.x) - a.x) * inverse * (dg1 - ea.s * dg0));
                continue;
            }
        }
        AddEdgeByPieces<FirstMoments>(a, b, ea, eb, c, r);
    }
    return r;
}

} // namespace

ConcreteResultant IntegrateParabolaRectangle(const Point* v, std::int32_t n, const StrainPlane& plane,
                                             const ParabolaRectangleLaw& law, ResultantParts parts)
{
    return parts == ResultantParts::Force ? Integrate<false>(v, n, plane, law) : Integrate<true>(v, n, plane, law);
}

} // namespace flexara
