#include "engine/column/Column.h"

#include "engine/section/Uproced.h"

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {

using Real = long double;

// The code's formulas take h and le in metres.
constexpr Real MetresPerCm = 0.01L;

} // namespace

bool HasColumnData(const Column& column)
{
    return column.leastDimension || column.creepCoefficient || column.quasiPermanentShare ||
           column.aggregate != Aggregate::GraniteOrGneiss;
}

bool ColumnDatumValid(ColumnDatum datum, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (datum) {
    case ColumnDatum::LeastDimension:
        return value > 0.0;
    case ColumnDatum::CreepCoefficient:
        return value >= 0.0;
    case ColumnDatum::QuasiPermanentShare:
        break;
    }
    return value >= 0.0 && value <= 1.0;
}

std::optional<LengthProblem> LengthProblemOf(double le)
{
    if (le > 0.0)
        return std::nullopt;
    if (le == 0.0)
        return LengthProblem::Zero;
    return le < 0.0 ? LengthProblem::Negative : LengthProblem::Invalid;
}

std::optional<ColumnLengthFault> ColumnLengthFaultOf(const Column& column)
{
    for (int k = 0; k < BendingCount; ++k)
        if (const std::optional<LengthProblem> problem =
                LengthProblemOf(column.bending[static_cast<std::size_t>(k)].le))
            return ColumnLengthFault{static_cast<Bending>(k), *problem};
    return std::nullopt;
}

ColumnSection ColumnSectionOf(const AnalysisState& state)
{
    ColumnSection section;
    const SectionRecord& outline = state.Section;
    const std::int32_t n = std::min<std::int32_t>(outline.VertexCount, MaxVertices);
    double area = 0.0;
    Point centroid;
    PolygonAreaCentroid(n, outline.Vertices.data(), area, centroid);
    double ixx = 0.0, iyy = 0.0;
    PolygonSecondMoments(n, outline.Vertices.data(), centroid, ixx, iyy);
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        const Point& p = outline.Vertices[static_cast<std::size_t>(k)];
        xMin = k == 0 ? p.x : std::min(xMin, p.x);
        xMax = k == 0 ? p.x : std::max(xMax, p.x);
        yMin = k == 0 ? p.y : std::min(yMin, p.y);
        yMax = k == 0 ? p.y : std::max(yMax, p.y);
    }
    section.area = std::fabs(area);
    section.fcd = state.Fcd;
    section.h[static_cast<std::size_t>(Bending::Mx)] = static_cast<double>(static_cast<Real>(yMax) - yMin);
    section.h[static_cast<std::size_t>(Bending::My)] = static_cast<double>(static_cast<Real>(xMax) - xMin);
    // A clockwise outline has area and moments both negative; the generation
    // refuses it, and its radius is the same as the counter-clockwise one's.
    if (area != 0.0) {
        section.i[static_cast<std::size_t>(Bending::Mx)] =
            static_cast<double>(std::sqrt(static_cast<Real>(ixx) / area));
        section.i[static_cast<std::size_t>(Bending::My)] =
            static_cast<double>(std::sqrt(static_cast<Real>(iyy) / area));
    }
    return section;
}

double MinimumFirstOrderMoment(double nd, double hCm)
{
    return static_cast<double>(std::fabs(static_cast<Real>(nd)) * (0.015L + 0.03L * (hCm * MetresPerCm)));
}

void EndMoments(SupportCondition condition, double top, double base, double& ma, double& mb)
{
    // A cantilever's first-order moment is largest at its fixed base, whatever
    // the top's.
    const bool baseGoverns = condition == SupportCondition::Cantilever || std::fabs(base) > std::fabs(top);
    ma = baseGoverns ? base : top;
    mb = baseGoverns ? top : base;
}

double AlphaB(SupportCondition condition, double ma, double mb, double m1dMin)
{
    // Below the minimum the end moments do not shape the column's deflection:
    // the minimum acts alone, uniform along it.
    if (std::fabs(ma) < m1dMin)
        return 1.0;
    switch (condition) {
    case SupportCondition::PinnedWithoutTransverseLoads: {
        // MB/MA > 0 when both ends bend the same side (single curvature).
        const Real alpha = 0.60L + 0.40L * (static_cast<Real>(mb) / ma);
        return static_cast<double>(std::max(alpha, 0.40L));
    }
    case SupportCondition::PinnedWithTransverseLoads:
        return 1.0;
    case SupportCondition::Cantilever: {
        const Real mc = (static_cast<Real>(ma) + mb) / 2.0L; // the moment at mid-length
        const Real alpha = 0.80L + 0.20L * (mc / ma);
        return static_cast<double>(std::clamp(alpha, 0.85L, 1.0L));
    }
    }
    return 1.0;
}

double LimitSlenderness(double e1, double hCm, double alphaB)
{
    const Real lambda1 = (25.0L + 12.5L * (static_cast<Real>(e1) / hCm)) / alphaB;
    return static_cast<double>(std::clamp(lambda1, 35.0L, 90.0L));
}

SecondOrderMoment CurvatureMethodMoment(double nd, double nu, double leCm, double hCm, double alphaB, double m1dA)
{
    SecondOrderMoment result;
    const Real n = std::fabs(static_cast<Real>(nd));
    const Real h = hCm * MetresPerCm;
    const Real le = leCm * MetresPerCm;
    const Real curvature = std::min(0.005L / (h * (static_cast<Real>(nu) + 0.5L)), 0.005L / h);
    const Real md = alphaB * static_cast<Real>(m1dA) + n * le * le / 10.0L * curvature;
    result.curvature = static_cast<double>(curvature);
    result.mdTot = static_cast<double>(std::max(md, static_cast<Real>(m1dA)));
    return result;
}

SecondOrderMoment StiffnessMethodMoment(double nd, double lambda, double hCm, double alphaB, double m1dA)
{
    // Md·(1 − λ²/(120·κ/ν)) = αb·M1d,A with κ/ν = 32·(1 + 5·Md/(h·N)), times
    // 120·κ/ν·h·N/3840:
    //   5·Md² + (h·N − h·N·λ²/3840 − 5·αb·M1d,A)·Md − h·N·αb·M1d,A = 0.
    // The constant term is negative: one positive root, and there
    // 120·κ/ν > λ², so the stiffness is that of a column that stands.
    SecondOrderMoment result;
    const Real n = std::fabs(static_cast<Real>(nd));
    const Real h = hCm * MetresPerCm;
    const Real l = lambda;
    const Real first = static_cast<Real>(alphaB) * m1dA;
    const Real a = 5.0L;
    const Real b = h * n - h * n * l * l / 3840.0L - 5.0L * first;
    const Real c = -h * n * first;
    const Real root = std::sqrt(b * b - 4.0L * a * c);
    // The root without the cancellation of −b against the square root.
    const Real md = b > 0.0L ? -2.0L * c / (b + root) : (root - b) / (2.0L * a);
    result.kappaOverNu = static_cast<double>(32.0L * (1.0L + 5.0L * md / (h * n)));
    result.mdTot = static_cast<double>(std::max(md, static_cast<Real>(m1dA)));
    return result;
}

BendingCheck CheckBending(const ColumnBending& bending, SecondOrderMethod method, double h, double i, double nd,
                          double nu, double top, double base)
{
    BendingCheck check;
    check.h = h;
    check.i = i;
    check.lambda = static_cast<double>(static_cast<Real>(bending.le) / i);
    EndMoments(bending.condition, top, base, check.ma, check.mb);
    check.top = top;
    check.base = base;
    check.m1dMin = MinimumFirstOrderMoment(nd, h);
    check.alphaB = AlphaB(bending.condition, check.ma, check.mb, check.m1dMin);
    // e1 in cm, as h: the moment in kN·cm over the force.
    check.e1 = static_cast<double>(std::fabs(static_cast<Real>(check.ma)) * 100.0L / std::fabs(static_cast<Real>(nd)));
    check.lambda1 = LimitSlenderness(check.e1, h, check.alphaB);
    // The minimum is a floor under the end moment, never added to it.
    check.m1dA = std::max(std::fabs(check.ma), check.m1dMin);
    check.secondOrder = check.lambda > check.lambda1;
    if (method == SecondOrderMethod::General) {
        // The bar is solved whatever λ, on the section's relation
        // (JudgeSlenderness): the first-order values until then.
        check.mdTot = check.m1dA;
        check.mdMinTot = check.m1dMin;
        return check;
    }
    if (!check.secondOrder) {
        check.mdTot = check.m1dA;
        check.mdMinTot = check.m1dMin;
        return check;
    }
    if (check.lambda > MaxApproximateSlenderness)
        return check; // the approximate methods do not apply: refused
    if (method == SecondOrderMethod::Curvature) {
        const SecondOrderMoment total = CurvatureMethodMoment(nd, nu, bending.le, h, check.alphaB, check.m1dA);
        check.curvature = total.curvature;
        check.mdTot = total.mdTot;
        check.mdMinTot = CurvatureMethodMoment(nd, nu, bending.le, h, 1.0, check.m1dMin).mdTot;
    } else {
        const SecondOrderMoment total = StiffnessMethodMoment(nd, check.lambda, h, check.alphaB, check.m1dA);
        check.kappaOverNu = total.kappaOverNu;
        check.mdTot = total.mdTot;
        check.mdMinTot = StiffnessMethodMoment(nd, check.lambda, h, 1.0, check.m1dMin).mdTot;
    }
    return check;
}

} // namespace flexara
