#include "engine/column/GeneralMethod.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace flexara {

namespace {

using Real = long double;

// The displacement in cm times |Nd| in kN gives kN·cm; moments are kN·m.
constexpr Real CmPerM = 100.0L;
// The tabulated phase stops where its step is this part of the largest moment.
constexpr Real ApproximateStep = 1e-9L;
// The exact phase ends where its error bound is this part of it.
constexpr Real ExactBound = 1e-12L;
// A step this part of the largest moment is the rounding of the sums.
constexpr Real RoundingStep = 1e-16L;
// Halvings of a Newton step that leaves the relation.
constexpr int MaxHalvings = 40;
// A moment on the relation is met to this part of the side's greatest moment.
constexpr Real MomentMatch = 1e-13L;
// Steps of the search of a curvature, and of the top of a curve that falls.
constexpr int CurvatureSearchBudget = 100;
constexpr int PeakSearchSteps = 60;

// The slopes of a monotone cubic through (x, y), x and y rising
// (Fritsch–Butland: a weighted harmonic mean of the two secants).
std::vector<Real> MonotoneSlopes(const std::vector<Real>& x, const std::vector<Real>& y)
{
    const std::size_t n = x.size();
    std::vector<Real> d(n, 0.0L);
    if (n < 2)
        return d;
    std::vector<Real> h(n - 1), delta(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        h[i] = x[i + 1] - x[i];
        delta[i] = (y[i + 1] - y[i]) / h[i];
    }
    d[0] = delta[0];
    d[n - 1] = delta[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const Real a = delta[i - 1], b = delta[i];
        if (!(a > 0.0L) || !(b > 0.0L)) {
            d[i] = 0.0L;
            continue;
        }
        const Real w1 = 2.0L * h[i] + h[i - 1], w2 = h[i] + 2.0L * h[i - 1];
        d[i] = (w1 + w2) / (w1 / a + w2 / b);
    }
    return d;
}

// The cubic Hermite between (x0, y0, d0) and (x1, y1, d1) at x, and its slope.
void Hermite(Real x0, Real x1, Real y0, Real y1, Real d0, Real d1, Real x, Real& y, Real& slope)
{
    const Real h = x1 - x0;
    const Real t = (x - x0) / h;
    const Real t2 = t * t, t3 = t2 * t;
    y = (2.0L * t3 - 3.0L * t2 + 1.0L) * y0 + (t3 - 2.0L * t2 + t) * h * d0 + (-2.0L * t3 + 3.0L * t2) * y1 +
        (t3 - t2) * h * d1;
    slope = (6.0L * t2 - 6.0L * t) / h * y0 + (3.0L * t2 - 4.0L * t + 1.0L) * d0 + (-6.0L * t2 + 6.0L * t) / h * y1 +
            (3.0L * t2 - 2.0L * t) * d1;
}

} // namespace

std::optional<RelationPoint> LinearRelation::Exact(long double moment, const RelationPoint*) const
{
    return RelationPoint{moment / ei, 1.0L / ei, moment};
}

DeformationRelation::DeformationRelation(const MomentCurvature& relation, int samples) : curve(&relation)
{
    samples = std::max(samples, 4);
    if (const std::optional<CurvaturePoint> start = relation.At(CurvatureSide::Positive, 0.0))
        zeroMoment = start->moment;
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const CurvatureSide which = static_cast<CurvatureSide>(s);
        Side& side = sides[static_cast<std::size_t>(s)];
        if (relation.End(which) == CurveEnd::NoState)
            continue;
        const Real end = relation.EndCurvature(which);
        auto momentAt = [&](Real k) -> std::optional<Real> {
            const std::optional<CurvaturePoint> p = relation.At(which, static_cast<double>(k));
            if (!p)
                return std::nullopt;
            return static_cast<Real>(p->moment);
        };
        // The rising branch at equal steps of curvature, to the end or to the
        // first step down.
        for (int i = 0; i < samples; ++i) {
            const Real k = i + 1 == samples ? end : end * i / (samples - 1);
            const std::optional<Real> m = momentAt(k);
            if (!m)
                break;
            if (!side.moment.empty() && !(*m > side.moment.back())) {
                // The top lies between the last two points kept and this one.
                const Real lowK = side.curvature.size() >= 2 ? side.curvature[side.curvature.size() - 2] : 0.0L;
                Real a = lowK, b = k;
                constexpr Real Golden = 0.6180339887498948482L;
                Real c = b - Golden * (b - a), d = a + Golden * (b - a);
                std::optional<Real> fc = momentAt(c), fd = momentAt(d);
                for (int step = 0; step < PeakSearchSteps && fc && fd; ++step) {
                    if (*fc > *fd) {
                        b = d;
                        d = c;
                        fd = fc;
                        c = b - Golden * (b - a);
                        fc = momentAt(c);
                    } else {
                        a = c;
                        c = d;
                        fc = fd;
                        d = a + Golden * (b - a);
                        fd = momentAt(d);
                    }
                }
                const Real top = (a + b) / 2.0L;
                const std::optional<Real> mTop = momentAt(top);
                while (!side.curvature.empty() && !(side.curvature.back() < top))
                    side.curvature.pop_back(), side.moment.pop_back();
                while (!side.moment.empty() && mTop && !(side.moment.back() < *mTop))
                    side.curvature.pop_back(), side.moment.pop_back();
                if (mTop) {
                    side.curvature.push_back(top);
                    side.moment.push_back(*mTop);
                }
                break;
            }
            side.curvature.push_back(k);
            side.moment.push_back(*m);
        }
        side.valid = side.curvature.size() >= 2;
        if (side.valid)
            side.slope = MonotoneSlopes(side.moment, side.curvature);
    }
}

double DeformationRelation::GreatestMoment(CurvatureSide which) const
{
    const Side& side = sides[static_cast<std::size_t>(which)];
    return side.valid ? static_cast<double>(side.moment.back()) : 0.0;
}

bool DeformationRelation::Holds(long double moment) const
{
    if (moment >= zeroMoment)
        return sides[0].valid && moment <= sides[0].moment.back();
    return sides[1].valid && -moment <= sides[1].moment.back();
}

std::optional<RelationPoint> DeformationRelation::Exact(long double moment, const RelationPoint* near) const
{
    return Read(moment, true, near);
}

std::optional<RelationPoint> DeformationRelation::Approximate(long double moment) const
{
    return Read(moment, false, nullptr);
}

std::optional<RelationPoint> DeformationRelation::Read(long double moment, bool exact, const RelationPoint* near) const
{
    // The positive side from the moment of no curvature up, the negative
    // below it, each on its own side's moment (a point near it in the
    // side's terms too).
    if (moment >= zeroMoment)
        return ReadSide(sides[0], CurvatureSide::Positive, moment, exact,
                        near && near->curvature >= 0.0L && near->moment >= zeroMoment ? near : nullptr);
    std::optional<RelationPoint> mirrored;
    if (near && near->curvature <= 0.0L && near->moment < zeroMoment)
        mirrored = RelationPoint{-near->curvature, near->slope, -near->moment};
    std::optional<RelationPoint> p =
        ReadSide(sides[1], CurvatureSide::Negative, -moment, exact, mirrored ? &*mirrored : nullptr);
    if (p) {
        p->curvature = -p->curvature;
        p->moment = -p->moment;
    }
    return p;
}

std::optional<RelationPoint> DeformationRelation::ReadSide(const Side& side, CurvatureSide which, long double target,
                                                           bool exact, const RelationPoint* near) const
{
    if (!side.valid)
        return std::nullopt;
    const std::vector<Real>& m = side.moment;
    const std::vector<Real>& k = side.curvature;
    if (target > m.back())
        return std::nullopt;
    if (target <= m.front())
        return RelationPoint{k.front(), side.slope.front(), m.front()};
    // The step of the table holding the target: m[i] ≤ t < m[i+1].
    const std::size_t i = static_cast<std::size_t>(std::upper_bound(m.begin(), m.end(), target) - m.begin()) - 1;
    if (i + 1 >= m.size())
        return RelationPoint{k.back(), side.slope.back(), m.back()};
    Real guess = 0.0L, slope = 0.0L;
    Hermite(m[i], m[i + 1], k[i], k[i + 1], side.slope[i], side.slope[i + 1], target, guess, slope);
    slope = std::max(slope, 0.0L);
    if (!exact)
        return RelationPoint{std::clamp(guess, k[i], k[i + 1]), slope, target};
    if (near && near->curvature > k[i] && near->curvature < k[i + 1] && near->slope > 0.0L) {
        // From the point read before: its tangent.
        guess = near->curvature + (target - near->moment) * near->slope;
        slope = near->slope;
    }

    // The curvature of the target on the curve itself inside the table's
    // step: secant steps from the guess (the first along the guess's
    // slope), each kept inside the bracket the evaluations narrow, then
    // regula falsi with the Illinois halving where the secant is slow. The
    // slope given back is that of the last two points evaluated.
    const Real tolerance = MomentMatch * m.back();
    Real a = k[i], fa = m[i] - target, b = k[i + 1], fb = m[i + 1] - target;
    Real lastK = 0.0L, lastF = 0.0L, prevK = 0.0L, prevF = 0.0L;
    int evaluated = 0;
    int moved = 0;
    Real c = guess;
    Real found = std::clamp(guess, a, b);
    Real foundMoment = target;
    constexpr int SecantSteps = 6;
    for (int step = 0; step < CurvatureSearchBudget; ++step) {
        if (!(c > a && c < b))
            c = (a * fb - b * fa) / (fb - fa);
        if (!(c > a && c < b))
            c = (a + b) / 2.0L;
        if (!(c > a && c < b)) {
            const bool low = std::fabs(fa) <= std::fabs(fb);
            found = low ? a : b;
            foundMoment = target + (low ? fa : fb);
            break;
        }
        // At takes the curvature as a double: the point is at the double's curvature.
        const Real kc = static_cast<double>(c);
        const std::optional<CurvaturePoint> p = curve->At(which, static_cast<double>(kc));
        if (!p)
            return std::nullopt;
        const Real fc = static_cast<Real>(p->moment) - target;
        prevK = lastK, prevF = lastF;
        lastK = kc, lastF = fc;
        ++evaluated;
        found = kc;
        foundMoment = p->moment;
        if (std::fabs(fc) <= tolerance)
            break;
        if (fc < 0.0L) {
            if (kc > a)
                a = kc, fa = fc;
            if (moved == -1 && step >= SecantSteps)
                fb /= 2.0L;
            moved = -1;
        } else {
            if (kc < b)
                b = kc, fb = fc;
            if (moved == 1 && step >= SecantSteps)
                fa /= 2.0L;
            moved = 1;
        }
        if (step + 1 >= SecantSteps)
            c = (a * fb - b * fa) / (fb - fa);
        else if (evaluated >= 2 && lastF != prevF)
            c = lastK - lastF * (lastK - prevK) / (lastF - prevF);
        else
            c = kc - fc * slope;
    }
    if (evaluated >= 2 && lastK != prevK && lastF != prevF) {
        const Real secant = (lastK - prevK) / (lastF - prevF);
        if (secant > 0.0L)
            slope = secant;
    }
    return RelationPoint{found, slope, foundMoment};
}

double GeneralBarLength(SupportCondition condition, double le)
{
    return condition == SupportCondition::Cantilever ? static_cast<double>(static_cast<Real>(le) / 2.0L) : le;
}

bool FirstOrderLineIsZero(SupportCondition condition, double top, double base)
{
    double ma = 0.0, mb = 0.0;
    EndMoments(condition, top, base, ma, mb);
    if (condition == SupportCondition::PinnedWithTransverseLoads)
        return ma == 0.0;
    return top == 0.0 && base == 0.0;
}

std::vector<double> FirstOrderStations(SupportCondition condition, double top, double base, double m1dMin,
                                       double creepMoment, int steps, double sign)
{
    double ma = 0.0, mb = 0.0;
    EndMoments(condition, top, base, ma, mb);
    const Real zeroSign = top != 0.0 ? (top < 0.0 ? -1.0L : 1.0L) : ma != 0.0 ? (ma < 0.0 ? -1.0L : 1.0L) : sign;
    std::vector<double> m1(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const Real line = condition == SupportCondition::PinnedWithTransverseLoads
                              ? static_cast<Real>(ma)
                              : base + (static_cast<Real>(top) - base) * k / steps;
        const Real s = line > 0.0L ? 1.0L : line < 0.0L ? -1.0L : zeroSign;
        m1[static_cast<std::size_t>(k)] =
            static_cast<double>(s * (std::max(std::fabs(line), static_cast<Real>(m1dMin)) + creepMoment));
    }
    return m1;
}

namespace {

// The second-order displacements of unit curvatures: column j holds, for a
// curvature of 1 (1/m) at station j falling linearly to 0 at its
// neighbours, the displacement of every station (cm) whose |Nd| times gives
// the second-order moment; the deflection of the bar in `deflection`.
// Exact for a curvature linear between stations: over a step of length h
// with curvatures a and b (1/cm) the slope changes by h·(a + b)/2 and the
// displacement by θ·h + h²·(2a + b)/6.
struct Influence {
    std::size_t size = 0;
    std::vector<Real> displacement; // row-major: [k·size + j]
    std::vector<Real> deflection;
};

Influence InfluenceOf(SupportCondition condition, Real length, int steps)
{
    Influence inf;
    const std::size_t n = static_cast<std::size_t>(steps) + 1;
    inf.size = n;
    inf.displacement.assign(n * n, 0.0L);
    inf.deflection.assign(n * n, 0.0L);
    const Real h = length / steps;
    const bool cantilever = condition == SupportCondition::Cantilever;
    // u'' = −1/r pinned, u'' = 1/r for the cantilever.
    const Real sense = cantilever ? 1.0L : -1.0L;
    std::vector<Real> u(n);
    for (std::size_t j = 0; j < n; ++j) {
        Real theta = 0.0L;
        u[0] = 0.0L;
        for (std::size_t k = 0; k + 1 < n; ++k) {
            const Real a = k == j ? 1.0L / CmPerM : 0.0L;
            const Real b = k + 1 == j ? 1.0L / CmPerM : 0.0L;
            u[k + 1] = u[k] + theta * h + sense * h * h * (2.0L * a + b) / 6.0L;
            theta += sense * h * (a + b) / 2.0L;
        }
        for (std::size_t k = 0; k < n; ++k) {
            Real deflection = u[k], displacement = 0.0L;
            if (cantilever) {
                displacement = u[n - 1] - u[k];
            } else {
                // The line that brings the top back to 0.
                deflection = u[k] - u[n - 1] * static_cast<Real>(k) / steps;
                displacement = deflection;
            }
            inf.displacement[k * n + j] = displacement;
            inf.deflection[k * n + j] = deflection;
        }
    }
    return inf;
}


// The Newton step Δ of J·Δ = −R, J = I − |Nd|·S·D, by elimination without
// pivoting: J is a Z-matrix, a nonsingular M-matrix exactly where every
// pivot is positive. The station of the first pivot that is not, or −1.
int DenseStep(const Influence& inf, Real force, const std::vector<Real>& slope, const std::vector<Real>& residual,
              std::vector<Real>& jac, std::vector<Real>& step)
{
    const std::size_t n = residual.size();
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t j = 0; j < n; ++j)
            jac[k * n + j] = (k == j ? 1.0L : 0.0L) - force * inf.displacement[k * n + j] * slope[j];
    for (std::size_t c = 0; c < n; ++c) {
        const Real pivot = jac[c * n + c];
        if (!(pivot > 0.0L))
            return static_cast<int>(c);
        for (std::size_t r = c + 1; r < n; ++r) {
            const Real f = jac[r * n + c] / pivot;
            jac[r * n + c] = f;
            if (f == 0.0L)
                continue;
            for (std::size_t j = c + 1; j < n; ++j)
                jac[r * n + j] -= f * jac[c * n + j];
        }
    }
    for (std::size_t r = 0; r < n; ++r) {
        Real v = -residual[r];
        for (std::size_t j = 0; j < r; ++j)
            v -= jac[r * n + j] * step[j];
        step[r] = v;
    }
    for (std::size_t r = n; r-- > 0;) {
        Real v = step[r];
        for (std::size_t j = r + 1; j < n; ++j)
            v -= jac[r * n + j] * step[j];
        step[r] = v / jac[r * n + r];
    }
    return -1;
}

// The same step for the pinned bar, whose displacements are those of the
// second differences: −u(k−1) + 2·u(k) − u(k+1) = h²·(κ(k−1) + 4·κ(k) +
// κ(k+1))/600 =: (B·κ)(k) inside, u(0) = u(n) = 0, so S = L⁻¹·B. With
// ΔM = |Nd|·Δu − R the step is the tridiagonal (L − |Nd|·B·D)·Δu = −B·D·R.
// L − |Nd|·B·D = L − N is a regular splitting (L⁻¹ ≥ 0, N ≥ 0): the
// spectral radius of L⁻¹·N = |Nd|·S·D is below 1 exactly where that
// Z-matrix is a nonsingular M-matrix, every pivot positive, as for J.
int PinnedStep(Real force, Real h, const std::vector<Real>& slope, const std::vector<Real>& residual,
               std::vector<Real>& band, std::vector<Real>& step)
{
    const std::size_t n = residual.size();
    const Real b = h * h / (6.0L * CmPerM);
    // band: [3k] below, [3k + 1] diagonal, [3k + 2] above; rows 1..n−2 of
    // the unknowns Δu(1..n−1), the right side in step.
    for (std::size_t k = 1; k + 1 < n; ++k) {
        band[3 * k] = -1.0L - force * b * slope[k - 1];
        band[3 * k + 1] = 2.0L - 4.0L * force * b * slope[k];
        band[3 * k + 2] = -1.0L - force * b * slope[k + 1];
        step[k] = -b * (slope[k - 1] * residual[k - 1] + 4.0L * slope[k] * residual[k] +
                        slope[k + 1] * residual[k + 1]);
    }
    for (std::size_t k = 1; k + 1 < n; ++k) {
        if (k > 1) {
            const Real f = band[3 * k] / band[3 * (k - 1) + 1];
            band[3 * k + 1] -= f * band[3 * (k - 1) + 2];
            step[k] -= f * step[k - 1];
        }
        if (!(band[3 * k + 1] > 0.0L))
            return static_cast<int>(k);
    }
    for (std::size_t k = n - 1; k-- > 1;) {
        Real v = step[k];
        if (k + 2 < n)
            v -= band[3 * k + 2] * step[k + 1];
        step[k] = v / band[3 * k + 1];
    }
    step[0] = 0.0L;
    step[n - 1] = 0.0L;
    // ΔM = |Nd|·Δu − R.
    for (std::size_t k = 0; k < n; ++k)
        step[k] = force * step[k] - residual[k];
    return -1;
}

} // namespace

GeneralSolution SolveGeneralBar(const GeneralBar& bar, const BendingRelation& relation)
{
    GeneralSolution solution;
    const std::size_t n = bar.m1.size();
    if (n < 2)
        return solution;
    const int steps = static_cast<int>(n) - 1;
    const Real length = GeneralBarLength(bar.condition, bar.le);
    const Influence inf = InfluenceOf(bar.condition, length, steps);
    const Real force = std::fabs(static_cast<Real>(bar.nd)) / CmPerM; // kN·m per cm

    std::vector<Real> m1(n), m(n), kappa(n), slope(n), residual(n), step(n);
    for (std::size_t k = 0; k < n; ++k)
        m1[k] = m[k] = bar.m1[k];
    std::vector<Real> jac(n * n);
    auto largest = [&](const std::vector<Real>& v) {
        Real big = 0.0L;
        for (const Real x : v)
            big = std::max(big, std::fabs(x));
        return big;
    };
    auto fail = [&](GeneralOutcome outcome, int station) {
        solution.outcome = outcome;
        solution.station = station;
        return solution;
    };

    const bool pinned = bar.condition != SupportCondition::Cantilever;
    const Real h = length / steps;
    std::vector<Real> band(3 * n);
    bool exact = false;
    Real previousStep = 0.0L, norm = 0.0L;
    std::vector<Real> trial(n);
    // The last point each station read on the relation itself, which starts
    // its next search.
    std::vector<RelationPoint> read(n);
    std::vector<char> hasRead(n, 0);
    for (int iteration = 0;; ++iteration) {
        if (iteration >= MaxGeneralIterations)
            return fail(GeneralOutcome::NoConvergence, -1);
        // Whatever the table says against the bar, the relation itself decides.
        auto onTheRelation = [&]() {
            if (exact)
                return false;
            exact = true;
            previousStep = 0.0L;
            return true;
        };
        int beyond = -1;
        for (std::size_t k = 0; k < n && beyond < 0; ++k) {
            const std::optional<RelationPoint> p =
                exact ? relation.Exact(m[k], hasRead[k] ? &read[k] : nullptr) : relation.Approximate(m[k]);
            if (!p) {
                beyond = static_cast<int>(k);
                break;
            }
            kappa[k] = p->curvature;
            slope[k] = p->slope;
            if (exact) {
                read[k] = *p;
                hasRead[k] = 1;
            }
        }
        if (beyond >= 0) {
            if (onTheRelation())
                continue;
            return fail(GeneralOutcome::LeftTheCurve, beyond);
        }
        // R = M − M1 − |Nd|·S·κ; the norm of |Nd|·S·D by rows.
        norm = 0.0L;
        for (std::size_t k = 0; k < n; ++k) {
            Real w = 0.0L, row = 0.0L;
            for (std::size_t j = 0; j < n; ++j) {
                const Real s = inf.displacement[k * n + j];
                w += s * kappa[j];
                row += std::fabs(force * s * slope[j]);
            }
            residual[k] = m[k] - m1[k] - force * w;
            norm = std::max(norm, row);
        }
        const int lost = pinned ? PinnedStep(force, h, slope, residual, band, step)
                                : DenseStep(inf, force, slope, residual, jac, step);
        if (lost >= 0) {
            if (onTheRelation())
                continue;
            return fail(GeneralOutcome::LostStability, lost);
        }
        // The step halved until every station stays on the relation.
        Real t = 1.0L;
        int off = -1;
        for (int halvings = 0;; ++halvings) {
            off = -1;
            for (std::size_t k = 0; k < n && off < 0; ++k) {
                trial[k] = m[k] + t * step[k];
                if (!relation.Holds(trial[k]))
                    off = static_cast<int>(k);
            }
            if (off < 0 || halvings == MaxHalvings)
                break;
            t /= 2.0L;
        }
        if (off >= 0) {
            if (onTheRelation())
                continue;
            return fail(GeneralOutcome::LeftTheCurve, off);
        }
        ++solution.iterations;
        const Real size = largest(step) * t;
        const Real scale = std::max(largest(trial), std::numeric_limits<Real>::min());
        if (!exact) {
            m.swap(trial);
            if (size <= ApproximateStep * scale) {
                exact = true;
                previousStep = 0.0L;
            }
            continue;
        }
        // The moments M the curvatures were read at are within |Δ|/(1 − r)
        // of the fixed point, r = |Δ|/|Δ before| the contraction of the last
        // two full steps; the moments given out, M1 + |Nd|·S·κ(M), within
        // ‖|Nd|·S·D‖ times that.
        // A step at the rounding of the sums ends it: Newton's next would be
        // of its square.
        if (size <= RoundingStep * scale) {
            solution.errorBound = static_cast<double>(2.0L * norm * size);
            break;
        }
        if (t == 1.0L && previousStep > 0.0L) {
            const Real ratio = size / previousStep;
            if (ratio < 1.0L) {
                const Real bound = norm * size / (1.0L - ratio);
                if (bound <= ExactBound * scale) {
                    solution.errorBound = static_cast<double>(bound);
                    break;
                }
            }
        }
        m.swap(trial);
        previousStep = t == 1.0L ? size : 0.0L;
    }

    // The stations: the curvature of each on the relation at the last
    // moments read, the displacements of those curvatures, and the moments
    // in equilibrium with them.
    solution.stations.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        Real w = 0.0L, u = 0.0L;
        for (std::size_t j = 0; j < n; ++j) {
            w += inf.displacement[k * n + j] * kappa[j];
            u += inf.deflection[k * n + j] * kappa[j];
        }
        GeneralStation& st = solution.stations[k];
        st.z = static_cast<double>(h * static_cast<Real>(k));
        st.m1 = static_cast<double>(m1[k]);
        st.u = static_cast<double>(u);
        st.curvature = static_cast<double>(kappa[k]);
        st.m = static_cast<double>(m1[k] + force * w);
        if (solution.station < 0 || std::fabs(st.m) > solution.mdTot) {
            solution.station = static_cast<int>(k);
            solution.mdTot = std::fabs(st.m);
            solution.signedMd = st.m;
        }
    }
    solution.outcome = GeneralOutcome::Converged;
    return solution;
}

} // namespace flexara
