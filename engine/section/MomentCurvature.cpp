#include "engine/section/MomentCurvature.h"

#include "engine/Units.h"
#include "engine/case/BarLayout.h"
#include "engine/section/Capacity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace flexara {

namespace {

using Real = long double;

// Steps of one search on ε0 or on the curvature; a search that has not met
// its tolerance by then keeps its best bracket end.
constexpr int SearchStepBudget = 200;
// The axial force is met to this part of the section's largest force
// (1,10·fcd·Ac + fyd·As): some 1e-10 kN for a 20 x 40 column.
constexpr Real ForceTolerance = 1e-13L;
// The moment of point B is met to this part of it.
constexpr Real MomentTolerance = 1e-12L;
// Steps of curvature the first reaching of a moment is looked for in.
constexpr int ReachingSteps = 8;

// f(x) increasing from fa <= 0 at a to fb >= 0 at b: the root by regula
// falsi with the Illinois halving, a midpoint where the secant leaves the
// bracket; it ends where |f| <= tolerance, or keeps the end of the bracket
// the caller can use (the low one with keepLow) when the bracket collapses
// or the budget runs out.
template <class F> Real IncreasingRoot(const F& f, Real a, Real fa, Real b, Real fb, Real tolerance, bool keepLow)
{
    int last = 0; // the end moved in the previous step: -1 a, +1 b
    for (int step = 0; step < SearchStepBudget; ++step) {
        if (std::fabs(fa) <= tolerance)
            return a;
        if (std::fabs(fb) <= tolerance)
            return b;
        Real c = (a * fb - b * fa) / (fb - fa);
        if (!(c > a && c < b))
            c = (a + b) / 2.0L;
        if (!(c > a && c < b))
            break; // the bracket has collapsed
        const Real fc = f(c);
        if (fc < 0.0L) {
            a = c;
            fa = fc;
            if (last == -1)
                fb /= 2.0L;
            last = -1;
        } else {
            b = c;
            fb = fc;
            if (last == 1)
                fa /= 2.0L;
            last = 1;
        }
    }
    return keepLow ? a : b;
}

} // namespace

DeformationSection DeformationSectionOf(const AnalysisState& s, const ModelParameters& model)
{
    DeformationSection d;
    const SectionRecord& sec = s.Section;
    const std::int32_t n = std::clamp<std::int32_t>(sec.VertexCount, 0, MaxVertices);
    double area = 0.0;
    Point centroid;
    PolygonAreaCentroid(n, sec.Vertices.data(), area, centroid);
    d.area = std::fabs(area);
    d.outline.resize(static_cast<std::size_t>(n));
    TranslatePoints(n, sec.Vertices.data(), centroid, d.outline.data());
    const int lines = std::clamp<std::int32_t>(s.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const double barArea = static_cast<double>(Pi * line.Diameter * line.Diameter / 400.0L);
        for (int j = 1; j <= BarsInLine(line); ++j) {
            const Point at = BarPosition(line, j);
            d.bars.push_back(SectionBar{Point{static_cast<double>(static_cast<Real>(at.x) - centroid.x),
                                              static_cast<double>(static_cast<Real>(at.y) - centroid.y)},
                                        barArea, line.Diameter});
        }
    }
    // The classic model has no parameters of its own for the curve: those of
    // fck up to 50 MPa.
    const bool code = IsCodeModel(model.model);
    d.concrete.plateauStress = static_cast<Real>(DeformationPeakFactor) * s.Fcd;
    d.concrete.epsC2 = code ? model.epsC2 : 2.0L;
    d.concrete.exponent = code && model.exponent ? *model.exponent : 2.0L;
    d.epsCu = code ? model.epsCu : 3.5;
    d.steel.bilinear = true;
    d.steel.fyd = s.Fyd;
    d.steel.es = s.Es;
    d.steel.epsYd = static_cast<double>(static_cast<Real>(s.Fyd) / s.Es * 1000.0L);
    return d;
}

// One side: the outline and the bars turned so that y' runs towards the
// compressed side, the outline prepared for the searches, and where the
// curve ends.
struct MomentCurvature::Frame {
    CurveEnd end = CurveEnd::NoState;
    Real endCurvature = 0.0L;
    Real cosine = 1.0L, sine = 0.0L; // x' = c·x + s·y, y' = -s·x + c·y
    std::int32_t vertexCount = 0;
    Point rotated[MaxVertices]{};
    ParabolaOutline outline;
    Real yTop = 0.0L, yBottom = 0.0L; // of the outline
    Real yBar = 0.0L;                 // the extreme bar, the lowest
    std::vector<Real> barX, barY, barArea;
    ParabolaRectangleLaw concrete;
    Real epsCu = 3.5L;
    SteelLaw steel;
    Real nd = 0.0L;
    Real tolerance = 0.0L; // of the axial force, kN

    // The strain plane of ε0 and the curvature over the outline.
    StrainPlane Plane(Real eps0, Real curvature) const
    {
        return StrainPlane{static_cast<double>(yTop), static_cast<double>(eps0 - 10.0L * curvature * yTop),
                           static_cast<double>(yBottom), static_cast<double>(eps0 - 10.0L * curvature * yBottom)};
    }
    // A bar's strain: never past the 10 per mil the bracket holds it to,
    // whatever the rounding (the law has no stress beyond).
    double BarStrain(Real eps0, Real curvature, std::size_t i) const
    {
        return static_cast<double>(
            std::min(eps0 - 10.0L * curvature * barY[i], static_cast<Real>(SteelUltimateStrain)));
    }
    // The section's axial force less Nd, kN (tension positive).
    Real Excess(Real eps0, Real curvature) const
    {
        Real force = -outline.Force(Plane(eps0, curvature), concrete);
        for (std::size_t i = 0; i < barY.size(); ++i)
            force += static_cast<Real>(steel.Stress(BarStrain(eps0, curvature, i))) * barArea[i];
        return force - nd;
    }
    // ε0 with the most compressed fibre at -εcu, and with the extreme bar at 10.
    Real Low(Real curvature) const { return -epsCu + 10.0L * curvature * yTop; }
    Real High(Real curvature) const { return SteelUltimateStrain + 10.0L * curvature * yBar; }
};

MomentCurvature::MomentCurvature(const DeformationSection& section, double nd, BendingDirection direction) : nd(nd)
{
    for (int side = 0; side < CurvatureSideCount; ++side) {
        auto frame = std::make_unique<Frame>();
        Frame& f = *frame;
        frames[static_cast<std::size_t>(side)] = std::move(frame);
        // y' along the compressed side: the moment (Mx, My) = Σ F·(y, x), so
        // a moment along (mx, my) compresses the side (my, mx).
        const Real sign = side == 0 ? 1.0L : -1.0L;
        const Real dx = sign * direction.my, dy = sign * direction.mx;
        f.cosine = dy;
        f.sine = -dx;
        f.vertexCount = static_cast<std::int32_t>(std::min<std::size_t>(section.outline.size(), MaxVertices));
        RotatePoints(f.vertexCount, section.outline.data(), f.cosine, f.sine, f.rotated);
        f.outline.Prepare(f.rotated, f.vertexCount);
        f.concrete = section.concrete;
        f.epsCu = section.epsCu;
        f.steel = section.steel;
        f.nd = nd;
        Real scale = 0.0L;
        for (std::int32_t i = 0; i < f.vertexCount; ++i) {
            f.yTop = i == 0 ? f.rotated[i].y : std::max<Real>(f.yTop, f.rotated[i].y);
            f.yBottom = i == 0 ? f.rotated[i].y : std::min<Real>(f.yBottom, f.rotated[i].y);
        }
        for (const SectionBar& bar : section.bars) {
            const Real x = bar.at.x, y = bar.at.y;
            f.barX.push_back(f.cosine * x + f.sine * y);
            f.barY.push_back(-f.sine * x + f.cosine * y);
            f.barArea.push_back(bar.area);
            f.yBar = f.barY.size() == 1 ? f.barY.back() : std::min(f.yBar, f.barY.back());
            scale += static_cast<Real>(f.steel.fyd) * bar.area;
        }
        scale += f.concrete.plateauStress * section.area;
        f.tolerance = ForceTolerance * scale;
        if (f.barY.empty() || !(f.yTop > f.yBottom) || !(f.yTop > f.yBar))
            continue; // no curve: NoState

        // At no curvature Nd must lie between the uniform shortening of εcu
        // and the bars all at 10 per mil.
        const Real lowExcess = f.Excess(f.Low(0.0L), 0.0L);
        const Real highExcess = f.Excess(f.High(0.0L), 0.0L);
        if (lowExcess > f.tolerance || highExcess < -f.tolerance)
            continue;
        // The two limits meet at the largest curvature any state has. Where
        // the axial force of that state is above Nd the concrete's limit is
        // reached first: along it (the top at -εcu) the force grows with the
        // curvature; else the steel's, along which it falls.
        const Real largest = (SteelUltimateStrain + f.epsCu) / (10.0L * (f.yTop - f.yBar));
        const Real atLargest = f.Excess(f.Low(largest), largest);
        if (std::fabs(atLargest) <= f.tolerance) {
            f.end = CurveEnd::Both;
            f.endCurvature = largest;
        } else if (atLargest > 0.0L) {
            f.end = CurveEnd::ConcreteCrushing;
            f.endCurvature = IncreasingRoot([&](Real k) { return f.Excess(f.Low(k), k); }, 0.0L, lowExcess, largest,
                                            atLargest, f.tolerance, true);
        } else {
            f.end = CurveEnd::SteelElongation;
            // Increasing in -k: the root of -excess over the curvature.
            f.endCurvature = IncreasingRoot([&](Real k) { return -f.Excess(f.High(k), k); }, 0.0L, -highExcess, largest,
                                            -atLargest, f.tolerance, true);
        }
        // The end as the double it is given out as, on the side that has a state.
        double end = static_cast<double>(f.endCurvature);
        if (end > f.endCurvature)
            end = std::nextafter(end, 0.0);
        f.endCurvature = end;
    }
}

MomentCurvature::~MomentCurvature() = default;
MomentCurvature::MomentCurvature(MomentCurvature&&) noexcept = default;
MomentCurvature& MomentCurvature::operator=(MomentCurvature&&) noexcept = default;

CurveEnd MomentCurvature::End(CurvatureSide side) const
{
    return frames[static_cast<std::size_t>(side)]->end;
}

double MomentCurvature::EndCurvature(CurvatureSide side) const
{
    return static_cast<double>(frames[static_cast<std::size_t>(side)]->endCurvature);
}

std::optional<CurvaturePoint> MomentCurvature::Solve(const Frame& f, Real curvature) const
{
    if (f.end == CurveEnd::NoState || curvature < 0.0L || curvature > f.endCurvature)
        return std::nullopt;
    const Real low = f.Low(curvature), high = std::max(f.High(curvature), low);
    const Real lowExcess = f.Excess(low, curvature);
    const Real highExcess = f.Excess(high, curvature);
    if (lowExcess > f.tolerance || highExcess < -f.tolerance)
        return std::nullopt;
    const Real eps0 = IncreasingRoot([&](Real e) { return f.Excess(e, curvature); }, low, lowExcess, high, highExcess,
                                     f.tolerance, true);

    CurvaturePoint point;
    const StrainPlane plane = f.Plane(eps0, curvature);
    const ConcreteResultant concrete = IntegrateParabolaRectangle(f.rotated, f.vertexCount, plane, f.concrete);
    // Σ F·x' and Σ F·y', compression counted positive.
    Real alongX = concrete.firstMomentX, alongY = concrete.firstMomentY;
    for (std::size_t i = 0; i < f.barY.size(); ++i) {
        const Real force = static_cast<Real>(f.steel.Stress(f.BarStrain(eps0, curvature, i))) * f.barArea[i];
        alongX -= force * f.barX[i];
        alongY -= force * f.barY[i];
    }
    point.curvature = static_cast<double>(curvature);
    point.eps0 = static_cast<double>(eps0);
    point.moment = static_cast<double>(alongY / KNcmPerKNm);
    // Back into the section's frame: x = c·x' - s·y', y = s·x' + c·y'.
    point.mx = static_cast<double>((f.sine * alongX + f.cosine * alongY) / KNcmPerKNm);
    point.my = static_cast<double>((f.cosine * alongX - f.sine * alongY) / KNcmPerKNm);
    point.topStrain = plane.topStrain;
    point.barStrain = static_cast<double>(eps0 - 10.0L * curvature * f.yBar);
    return point;
}

std::optional<CurvaturePoint> MomentCurvature::At(CurvatureSide side, double curvature) const
{
    return Solve(*frames[static_cast<std::size_t>(side)], curvature);
}

std::vector<CurvaturePoint> MomentCurvature::Curve(CurvatureSide side, int count) const
{
    std::vector<CurvaturePoint> points;
    const Frame& f = *frames[static_cast<std::size_t>(side)];
    if (f.end == CurveEnd::NoState || count < 2)
        return points;
    points.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const Real curvature = k + 1 == count ? f.endCurvature : f.endCurvature * k / (count - 1);
        if (const std::optional<CurvaturePoint> point = Solve(f, curvature))
            points.push_back(*point);
    }
    return points;
}

std::optional<CurvaturePoint> MomentCurvature::Reaching(CurvatureSide side, double moment) const
{
    const Frame& f = *frames[static_cast<std::size_t>(side)];
    if (f.end == CurveEnd::NoState)
        return std::nullopt;
    std::optional<CurvaturePoint> before;
    for (int k = 0; k <= ReachingSteps; ++k) {
        const Real curvature = k == ReachingSteps ? f.endCurvature : f.endCurvature * k / ReachingSteps;
        std::optional<CurvaturePoint> point = Solve(f, curvature);
        if (!point)
            continue;
        if (point->moment < moment) {
            before = point;
            continue;
        }
        if (!before)
            return point; // reached with no curvature at all
        // The moment grows from below to at least `moment` within this step.
        std::optional<CurvaturePoint> best = point;
        const Real tolerance = MomentTolerance * std::fabs(static_cast<Real>(moment));
        const Real found = IncreasingRoot(
            [&](Real c) {
                const std::optional<CurvaturePoint> p = Solve(f, c);
                if (!p)
                    return std::numeric_limits<Real>::max();
                return static_cast<Real>(p->moment) - moment;
            },
            before->curvature, static_cast<Real>(before->moment) - moment, point->curvature,
            static_cast<Real>(point->moment) - moment, tolerance, false);
        if (const std::optional<CurvaturePoint> p = Solve(f, found))
            best = p;
        return best;
    }
    return std::nullopt;
}

SecantStiffness SecantOf(const MomentCurvature& relation, CurvatureSide side, double mrd)
{
    SecantStiffness secant;
    secant.mrd = mrd;
    secant.target = static_cast<double>(static_cast<Real>(mrd) / GammaF3);
    const std::optional<CurvaturePoint> b = relation.Reaching(side, secant.target);
    if (b && b->curvature > 0.0) {
        secant.pointB = b;
        secant.eiSec = static_cast<double>(static_cast<Real>(secant.target) / b->curvature);
    }
    return secant;
}

DeformationStudy StudyDeformation(const AnalysisState& state, const MaterialSelection& materials, double nd,
                                  BendingDirection direction, int points)
{
    DeformationStudy study;
    const double nds[] = {nd};
    study.interaction = GenerateCurves(state, materials, nds, 1)[0];
    auto materialState = std::make_unique<AnalysisState>(state);
    UpdateMaterials(*materialState, materials);
    const DeformationSection section =
        DeformationSectionOf(*materialState, CalculationModelParameters(*materialState, materials));
    const MomentCurvature relation(section, nd, direction);
    const bool readable = study.interaction.done && !study.interaction.fault && !study.interaction.outcome.refused &&
                          !study.interaction.outcome.outOfRange;
    const CurveRays rays(study.interaction.points);
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const CurvatureSide side = static_cast<CurvatureSide>(s);
        const auto k = static_cast<std::size_t>(s);
        study.curves[k] = relation.Curve(side, points);
        study.end[k] = relation.End(side);
        const Real sign = s == 0 ? 1.0L : -1.0L;
        const RayCapacity reading = readable ? rays.Capacity(Point{static_cast<double>(sign * direction.mx),
                                                                   static_cast<double>(sign * direction.my)})
                                             : RayCapacity{};
        if (reading.resistingMoment)
            study.secant[k] = SecantOf(relation, side, *reading.resistingMoment);
    }
    return study;
}

} // namespace flexara
