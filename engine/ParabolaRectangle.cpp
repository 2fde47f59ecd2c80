#include "engine/ParabolaRectangle.h"

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

Real Power(Real u, Real n)
{
    if (n == 2.0L)
        return u * u;
    return u == 0.0L ? 0.0L : std::pow(u, n);
}

// ∫_{-1}^{1} s^m ds.
Real EvenMoment(int m)
{
    return (m % 2 != 0) ? 0.0L : 2.0L / static_cast<Real>(m + 1);
}

// With t = (σ + 1)/2 and u = um·(1 + ρσ): uⁿ = umⁿ·Σ C(n,k)·ρᵏ·σᵏ, and the
// moments of σᵏ over [-1, 1] are known.
PowerMoments SeriesMoments(Real ua, Real ub, Real n)
{
    const Real um = (ua + ub) / 2.0L;
    if (um == 0.0L)
        return {};
    const Real rho = (ub - ua) / 2.0L / um;
    Real s0 = 0.0L, s1 = 0.0L, s2 = 0.0L;
    Real term = 1.0L; // C(n,k)·ρᵏ
    for (int k = 0; k < SeriesTermBudget; ++k) {
        const Real e0 = EvenMoment(k), e1 = EvenMoment(k + 1), e2 = EvenMoment(k + 2);
        s0 += term * e0;
        s1 += term * (e1 + e0) / 2.0L;
        s2 += term * (e2 + 2.0L * e1 + e0) / 4.0L;
        term *= (n - static_cast<Real>(k)) / static_cast<Real>(k + 1) * rho;
        // An integer n ends the series by itself.
        if (std::fabs(term) < SeriesTail)
            break;
    }
    const Real scale = Power(um, n) / 2.0L;
    return {scale * s0, scale * s1, scale * s2};
}

// ∫ (u - ua)ʲ·uⁿ du from ua to ub, divided by (ub - ua)^(j+1).
PowerMoments ClosedMoments(Real ua, Real ub, Real n)
{
    const Real d = ub - ua;
    const Real n1 = n + 1.0L, n2 = n + 2.0L, n3 = n + 3.0L;
    // Antiderivatives of (u - ua)ʲ·uⁿ at u, with p = uⁿ.
    auto at = [&](Real u, Real p) {
        const Real p1 = p * u, p2 = p1 * u, p3 = p2 * u;
        return PowerMoments{p1 / n1, p2 / n2 - ua * p1 / n1, p3 / n3 - 2.0L * ua * p2 / n2 + ua * ua * p1 / n1};
    };
    const PowerMoments a = at(ua, Power(ua, n));
    const PowerMoments b = at(ub, Power(ub, n));
    return {(b.j0 - a.j0) / d, (b.j1 - a.j1) / (d * d), (b.j2 - a.j2) / (d * d * d)};
}

PowerMoments Moments(Real ua, Real ub, Real n)
{
    if (std::fabs(ub - ua) <= SeriesBelow * std::max(ua, ub))
        return SeriesMoments(ua, ub, n);
    return ClosedMoments(ua, ub, n);
}

// A quadratic q0 + q1·t + q2·t² in the piece's parameter.
struct Quadratic {
    Real q0, q1, q2;
    Real Integral() const { return q0 + q1 / 2.0L + q2 / 3.0L; }
    Real Against(const PowerMoments& m) const { return q0 * m.j0 + q1 * m.j1 + q2 * m.j2; }
};

} // namespace

ConcreteResultant IntegrateParabolaRectangle(const Point* v, std::int32_t n, const StrainPlane& plane,
                                             const ParabolaRectangleLaw& law)
{
    ConcreteResultant r;
    if (n > MaxVertices)
        n = MaxVertices;
    if (n < 3)
        return r;
    const Real yTop = plane.yTop;
    const Real gradient = (static_cast<Real>(plane.refStrain) - plane.topStrain) / (yTop - plane.yRef);
    // Shortening (positive) of the fibre at y.
    auto shortening = [&](Real y) { return -(plane.topStrain + gradient * (yTop - y)); };
    const Real epsC2 = law.epsC2;

    for (std::int32_t i = 0; i < n; ++i) {
        const Point& a = v[i];
        const Point& b = v[i + 1 == n ? 0 : i + 1];
        // A horizontal edge adds nothing to the integrals along y.
        if (a.y == b.y)
            continue;
        const Real sa = shortening(a.y);
        const Real sb = shortening(b.y);
        if (sa <= 0.0L && sb <= 0.0L)
            continue; // in tension all along

        // The edge cut where it crosses s = 0 and s = εc2, in its own order;
        // at a cut the shortening is the level itself, exactly.
        Real cutT[4];
        Real cutS[4];
        int cuts = 0;
        cutT[cuts] = 0.0L;
        cutS[cuts++] = sa;
        const Real levels[2] = {sa < sb ? 0.0L : epsC2, sa < sb ? epsC2 : 0.0L};
        for (const Real level : levels) {
            if ((sa - level) * (sb - level) < 0.0L) {
                cutT[cuts] = std::clamp((level - sa) / (sb - sa), 0.0L, 1.0L);
                cutS[cuts++] = level;
            }
        }
        cutT[cuts] = 1.0L;
        cutS[cuts++] = sb;

        const Real xa = a.x, ya = a.y;
        const Real edgeDx = static_cast<Real>(b.x) - xa;
        const Real edgeDy = static_cast<Real>(b.y) - ya;
        for (int k = 0; k + 1 < cuts; ++k) {
            const Real s0 = cutS[k], s1 = cutS[k + 1];
            if (s0 <= 0.0L && s1 <= 0.0L)
                continue;
            const Real t0 = cutT[k], t1 = cutT[k + 1];
            const Real x0 = t0 == 0.0L ? xa : xa + t0 * edgeDx;
            const Real y0 = t0 == 0.0L ? ya : ya + t0 * edgeDy;
            const Real x1 = t1 == 1.0L ? static_cast<Real>(b.x) : xa + t1 * edgeDx;
            const Real y1 = t1 == 1.0L ? static_cast<Real>(b.y) : ya + t1 * edgeDy;
            const Real dx = x1 - x0, dy = y1 - y0;
            if (dy == 0.0L)
                continue;
            // Green: ∬ f(y) dA = ∮ x·f dy, ∬ x·f dA = ∮ x²/2·f dy, ∬ y·f dA = ∮ x·y·f dy.
            const Quadratic force{x0, dx, 0.0L};
            const Quadratic momentX{x0 * x0 / 2.0L, x0 * dx, dx * dx / 2.0L};
            const Quadratic momentY{x0 * y0, x0 * dy + y0 * dx, dx * dy};
            Real wf = force.Integral(), wx = momentX.Integral(), wy = momentY.Integral();
            if (s0 < epsC2 || s1 < epsC2) {
                // On the parabola: σ = σcd·(1 - uⁿ).
                const Real u0 = std::clamp(1.0L - s0 / epsC2, 0.0L, 1.0L);
                const Real u1 = std::clamp(1.0L - s1 / epsC2, 0.0L, 1.0L);
                const PowerMoments m = Moments(u0, u1, law.exponent);
                wf -= force.Against(m);
                wx -= momentX.Against(m);
                wy -= momentY.Against(m);
            }
            const Real scale = law.plateauStress * dy;
            r.force += scale * wf;
            r.firstMomentX += scale * wx;
            r.firstMomentY += scale * wy;
        }
    }
    return r;
}

} // namespace flexara
