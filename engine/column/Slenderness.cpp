#include "engine/column/Slenderness.h"

#include "engine/case/Shapes.h"
#include "engine/column/GeneralMethod.h"
#include "engine/section/Uproced.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace flexara {

namespace {

using Real = long double;

constexpr Real MetresPerCm = 0.01L;
// (EI)sec in kN·m² against Ac·h²·fcd in kN·cm².
constexpr Real SquareCmPerSquareM = 1e4L;
// Beyond this exponent 2,718^x leaves the extended range.
constexpr Real LargestCreepExponent = 11000.0L;

std::size_t Index(Bending bending)
{
    return static_cast<std::size_t>(bending);
}

bool Approximate(SecondOrderMethod method)
{
    return method == SecondOrderMethod::Curvature || method == SecondOrderMethod::Stiffness;
}

// The first-order moments and the semi-axis of both sides of a bending by
// the coupled method, creep included; false with the row's status set where
// it is refused or unstable.
bool CoupleBending(const CurveRays& rays, const ColumnBending& data, const Column& column, const ColumnSection& section,
                   double nd, Bending bending, ColumnResult& checked)
{
    const ColumnCase& c = *section.columnCase;
    BendingCheck& check = checked.bending[Index(bending)];
    auto refuse = [&](ColumnRefusal refusal) {
        checked.status = ColumnCheckStatus::Refused;
        checked.refusal = refusal;
        checked.slenderBending = bending;
        return false;
    };
    auto unstable = [&](Instability instability, CurvatureSide side) {
        checked.status = ColumnCheckStatus::Unstable;
        checked.instability = instability;
        checked.instabilitySide = side;
        checked.slenderBending = bending;
        return false;
    };
    // Creep adds |Nd|·e_cc to the first-order moment on MA's side and to the
    // envelope's semi-axis.
    Real added = 0.0L;
    if (check.lambda > MaxApproximateSlenderness) {
        bool stable = true;
        check.creep = CreepOf(nd, check.ma, data.le, *column.creepCoefficient, *column.quasiPermanentShare, c.eci,
                              c.ic[Index(bending)], stable);
        if (!stable)
            return unstable(Instability::CreepEuler,
                            check.ma < 0.0 ? CurvatureSide::Negative : CurvatureSide::Positive);
        added = check.creep->moment;
    }
    const Real m1 = check.m1dA + added;
    const Real m1Min = check.m1dMin + added;

    const BendingDirection direction = DirectionOf(bending);
    const MomentCurvature relation(c.deformation, nd, direction);
    CoupledBending coupled;
    std::array<double, CurvatureSideCount> mdTot{}, mdMinTot{};
    const Real h = section.h[Index(bending)];
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const CurvatureSide side = static_cast<CurvatureSide>(s);
        coupled.end[static_cast<std::size_t>(s)] = relation.End(side);
        coupled.endCurvature[static_cast<std::size_t>(s)] = relation.EndCurvature(side);
    }
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const CurvatureSide side = static_cast<CurvatureSide>(s);
        const double sign = s == 0 ? 1.0 : -1.0;
        const RayCapacity reading =
            rays.Capacity(Point{static_cast<double>(sign * direction.mx), static_cast<double>(sign * direction.my)});
        if (!reading.resistingMoment) {
            check.coupled = coupled;
            return refuse(ColumnRefusal::NoResistingMoment);
        }
        CoupledSide& result = coupled.sides[static_cast<std::size_t>(s)].emplace();
        static_cast<SecantStiffness&>(result) = SecantOf(relation, side, *reading.resistingMoment);
        if (!result.pointB) {
            check.coupled = coupled;
            return refuse(ColumnRefusal::NoPointB);
        }
        result.kappa = static_cast<double>(static_cast<Real>(result.eiSec) * SquareCmPerSquareM /
                                           (static_cast<Real>(section.area) * h * h * section.fcd));
        result.denominator = CoupledDenominator(nd, data.le, result.eiSec);
        if (!(result.denominator > 0.0)) {
            check.coupled = coupled;
            return unstable(Instability::SecantStiffness, side);
        }
        // Md,tot = αb·M1/(1 − |Nd|·le²/(10·(EI)sec)), at least M1.
        const Real denominator = result.denominator;
        const double total = static_cast<double>(std::max(static_cast<Real>(check.alphaB) * m1 / denominator, m1));
        const double minimum = static_cast<double>(std::max(m1Min / denominator, m1Min));
        result.mdTot = total;
        result.mdMinTot = minimum;
        mdTot[static_cast<std::size_t>(s)] = total;
        mdMinTot[static_cast<std::size_t>(s)] = minimum;
    }
    check.coupled = coupled;
    check.mdTotBySide = mdTot;
    check.mdMinTotBySide = mdMinTot;
    check.mdTot = mdTot[check.ma < 0.0 ? 1 : 0];
    check.mdMinTot = mdMinTot[0];
    return true;
}


// The general method of a bending: creep above λ = 90, then the bar under
// the end moments and the minimum envelope's bars on the section's
// deformation curve at Nd; false with the row's status set where it is
// unstable.
bool GeneralMethodBending(const ColumnBending& data, const Column& column, const ColumnSection& section, double nd,
                          Bending bending, ColumnResult& checked)
{
    const ColumnCase& c = *section.columnCase;
    BendingCheck& check = checked.bending[Index(bending)];
    auto unstable = [&](Instability instability, CurvatureSide side) {
        checked.status = ColumnCheckStatus::Unstable;
        checked.instability = instability;
        checked.instabilitySide = side;
        checked.slenderBending = bending;
        return false;
    };
    double added = 0.0;
    if (check.lambda > MaxApproximateSlenderness) {
        bool stable = true;
        check.creep = CreepOf(nd, check.ma, data.le, *column.creepCoefficient, *column.quasiPermanentShare, c.eci,
                              c.ic[Index(bending)], stable);
        if (!stable)
            return unstable(Instability::CreepEuler,
                            check.ma < 0.0 ? CurvatureSide::Negative : CurvatureSide::Positive);
        added = check.creep->moment;
    }
    const MomentCurvature curve(c.deformation, nd, DirectionOf(bending));
    const DeformationRelation relation(curve);
    GeneralBending general;
    general.steps = std::max(column.generalSteps, MinGeneralSteps);
    general.length = GeneralBarLength(data.condition, data.le);
    general.bothSigns = FirstOrderLineIsZero(data.condition, check.top, check.base);
    GeneralBar bar;
    bar.condition = data.condition;
    bar.le = data.le;
    bar.nd = nd;
    // A rectangle with its bars mirrored about the bending's axis bends
    // alike both ways: the negative side's bar of the minimum is the
    // positive one's mirrored.
    const bool mirrored = c.rectangle && c.barsSymmetric[Index(bending)];
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const double sign = s == 0 ? 1.0 : -1.0;
        if (s == 1 && mirrored && general.minimum[0]) {
            GeneralSolution image = *general.minimum[0];
            // 0 − x: the image of a zero is a zero, not −0.
            for (GeneralStation& station : image.stations) {
                station.m1 = 0.0 - station.m1;
                station.u = 0.0 - station.u;
                station.m = 0.0 - station.m;
                station.curvature = 0.0 - station.curvature;
            }
            image.signedMd = 0.0 - image.signedMd;
            general.minimum[1] = image;
            continue;
        }
        bar.m1 = FirstOrderStations(data.condition, 0.0, 0.0, check.m1dMin, added, general.steps, sign);
        general.minimum[static_cast<std::size_t>(s)] = SolveGeneralBar(bar, relation);
    }
    if (general.bothSigns) {
        // The end moments' bar is then the minimum's, both signs.
        general.bar = general.minimum;
    } else {
        bar.m1 = FirstOrderStations(data.condition, check.top, check.base, check.m1dMin, added, general.steps);
        general.bar[0] = SolveGeneralBar(bar, relation);
    }
    const std::vector<double> ends = bar.m1;
    check.general = general;
    // The first bar without a shape that stands, the end moments' first.
    for (const bool minimum : {false, true}) {
        for (int s = 0; s < CurvatureSideCount; ++s) {
            const std::optional<GeneralSolution>& solution =
                (minimum ? general.minimum : general.bar)[static_cast<std::size_t>(s)];
            if (!solution || solution->Stable())
                continue;
            checked.generalOutcome = solution->outcome;
            checked.generalMinimum = minimum;
            // The side of the first-order moment where it failed.
            const bool negative = minimum || general.bothSigns ? s == 1
                                  : solution->station >= 0 ? ends[static_cast<std::size_t>(solution->station)] < 0.0
                                                           : check.ma < 0.0;
            return unstable(Instability::General, negative ? CurvatureSide::Negative : CurvatureSide::Positive);
        }
    }
    std::array<double, CurvatureSideCount> mdTot{}, mdMinTot{};
    if (general.bothSigns) {
        mdTot = {general.bar[0]->mdTot, general.bar[1]->mdTot};
    } else {
        // The largest |M(z)| on each side of the bar's moments.
        for (const GeneralStation& station : general.bar[0]->stations) {
            double& largest = mdTot[station.m < 0.0 ? 1 : 0];
            largest = std::max(largest, std::fabs(station.m));
        }
    }
    for (int s = 0; s < CurvatureSideCount; ++s)
        mdMinTot[static_cast<std::size_t>(s)] = general.minimum[static_cast<std::size_t>(s)]->mdTot;
    check.mdTotBySide = mdTot;
    check.mdMinTotBySide = mdMinTot;
    check.mdTot = general.bothSigns ? std::max(mdTot[0], mdTot[1]) : general.bar[0]->mdTot;
    check.mdMinTot = mdMinTot[0];
    return true;
}

} // namespace

std::optional<double> FamilyLeastDimension(const AnalysisState& s)
{
    const auto& d = s.ShapeDims;
    auto least = [](std::initializer_list<double> values) { return std::min(values); };
    switch (s.Section.ShapeKind) {
    case ShapeRectangle:
        return least({d[0], d[1]});
    case ShapeTrapezoid:
        return least({d[0], d[1], d[3]});
    case ShapeT:
        return least({d[1], d[3]});
    case ShapeL:
        return least({d[0], d[4]});
    case ShapeU:
        return least({d[0], d[1], d[4]});
    case ShapeBox:
        return least({d[0], d[1], d[4], d[5]});
    case ShapeH:
        return least({d[1], d[2], static_cast<double>(static_cast<Real>(d[3]) - d[4] - d[5])});
    default:
        return std::nullopt;
    }
}

double GammaN(double b)
{
    if (b >= LeastDimensionWithoutGammaN)
        return 1.0;
    return static_cast<double>(1.95L - 0.05L * static_cast<Real>(b));
}

LoadCombination ForcesTimesGammaN(const LoadCombination& row, double gammaN)
{
    if (gammaN == 1.0)
        return row;
    const Real g = gammaN;
    auto times = [g](double value) { return static_cast<double>(g * value); };
    LoadCombination scaled = row;
    scaled.Nd = times(row.Nd);
    scaled.Mxd = times(row.Mxd);
    scaled.Myd = times(row.Myd);
    if (row.MxdBase)
        scaled.MxdBase = times(*row.MxdBase);
    if (row.MydBase)
        scaled.MydBase = times(*row.MydBase);
    return scaled;
}

bool BarsSymmetricAbout(const std::vector<SectionBar>& bars, Bending bending)
{
    // Mirrored about the x axis a bar keeps its x; about the y axis its y.
    const bool aboutX = bending == Bending::Mx;
    auto kept = [aboutX](const Point& p) { return aboutX ? p.x : p.y; };
    std::vector<std::size_t> order(bars.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return kept(bars[a].at) < kept(bars[b].at); });
    std::vector<bool> taken(bars.size(), false);
    for (const SectionBar& bar : bars) {
        const Point image = aboutX ? Point{bar.at.x, -bar.at.y} : Point{-bar.at.x, bar.at.y};
        // The bars whose kept coordinate is within the tolerance of the image's.
        auto first = std::lower_bound(order.begin(), order.end(), kept(image) - SymmetryTolerance,
                                      [&](std::size_t i, double value) { return kept(bars[i].at) < value; });
        bool matched = false;
        for (auto it = first; it != order.end() && kept(bars[*it].at) <= kept(image) + SymmetryTolerance; ++it) {
            const SectionBar& other = bars[*it];
            if (taken[*it] || other.diameter != bar.diameter)
                continue;
            const Real dx = static_cast<Real>(other.at.x) - image.x;
            const Real dy = static_cast<Real>(other.at.y) - image.y;
            if (std::sqrt(dx * dx + dy * dy) <= static_cast<Real>(SymmetryTolerance)) {
                taken[*it] = true;
                matched = true;
                break;
            }
        }
        if (!matched)
            return false;
    }
    return true;
}

bool IsAxisAlignedRectangle(std::int32_t n, const Point* v)
{
    if (n != 4)
        return false;
    bool horizontal[4];
    for (int k = 0; k < 4; ++k) {
        const Point& a = v[k];
        const Point& b = v[(k + 1) % 4];
        const bool alongX = a.y == b.y && a.x != b.x;
        const bool alongY = a.x == b.x && a.y != b.y;
        if (!alongX && !alongY)
            return false;
        horizontal[k] = alongX;
    }
    return horizontal[0] != horizontal[1] && horizontal[0] == horizontal[2] && horizontal[1] == horizontal[3];
}

double AggregateFactor(Aggregate aggregate)
{
    switch (aggregate) {
    case Aggregate::Basalt:
        return 1.2;
    case Aggregate::Limestone:
        return 0.9;
    case Aggregate::Sandstone:
        return 0.7;
    case Aggregate::GraniteOrGneiss:
        break;
    }
    return 1.0;
}

double InitialModulus(double fck, Aggregate aggregate)
{
    const Real alphaE = AggregateFactor(aggregate);
    const Real f = fck;
    // MPa, then kN/cm².
    const Real eci = f <= 50.0L ? 5600.0L * alphaE * std::sqrt(f) : 21.5e3L * alphaE * std::cbrt(f / 10.0L + 1.25L);
    return static_cast<double>(eci / 10.0L);
}

double ImperfectionAngle(double leCm)
{
    const Real theta = 1.0L / (100.0L * std::sqrt(static_cast<Real>(leCm) * MetresPerCm));
    return static_cast<double>(std::clamp(theta, 1.0L / 300.0L, 1.0L / 200.0L));
}

CreepResult CreepOf(double nd, double ma, double leCm, double phi, double psi, double eci, double ic, bool& stable)
{
    CreepResult r;
    const Real n = std::fabs(static_cast<Real>(nd));
    const Real le = leCm;
    r.phi = phi;
    r.psi = psi;
    r.eci = eci;
    r.ic = ic;
    const Real nsg = static_cast<Real>(psi) * n;
    const Real msg = static_cast<Real>(psi) * std::fabs(static_cast<Real>(ma));
    const Real ne = 10.0L * eci * static_cast<Real>(ic) / (le * le);
    r.nsg = static_cast<double>(nsg);
    r.msg = static_cast<double>(msg);
    r.ne = static_cast<double>(ne);
    r.theta1 = ImperfectionAngle(leCm);
    const Real ea = static_cast<Real>(r.theta1) * le / 2.0L;
    r.ea = static_cast<double>(ea);
    stable = ne > nsg;
    if (!stable)
        return r;
    const Real exponent = static_cast<Real>(phi) * nsg / (ne - nsg);
    if (exponent > LargestCreepExponent) {
        stable = false;
        return r;
    }
    // Without a quasi-permanent share there is no creep: Msg/Nsg is then
    // never formed.
    const Real eccentricity = nsg > 0.0L ? msg * 100.0L / nsg + ea : ea;
    const Real ecc = nsg > 0.0L ? eccentricity * (std::pow(CreepBase, exponent) - 1.0L) : 0.0L;
    r.ecc = static_cast<double>(ecc);
    r.moment = static_cast<double>(n * ecc / 100.0L);
    return r;
}

double CoupledDenominator(double nd, double leCm, double eiSec)
{
    const Real le = leCm * MetresPerCm;
    return static_cast<double>(1.0L - std::fabs(static_cast<Real>(nd)) * le * le / (10.0L * eiSec));
}

BendingDirection DirectionOf(Bending bending)
{
    return bending == Bending::Mx ? BendingDirection{1.0L, 0.0L} : BendingDirection{0.0L, 1.0L};
}

ColumnCase ColumnCaseOf(const AnalysisState& s, const MaterialSelection& materials, const Column& column)
{
    ColumnCase c;
    const ModelParameters model = CalculationModelParameters(s, materials);
    c.deformation = DeformationSectionOf(s, model);
    // The outline about its centroid.
    const std::vector<Point>& outline = c.deformation.outline;
    const std::int32_t n = static_cast<std::int32_t>(outline.size());
    c.area = c.deformation.area;
    c.leastDimension = s.Section.ShapeKind == ShapeFreePolygon ? column.leastDimension : FamilyLeastDimension(s);
    c.rectangle = IsAxisAlignedRectangle(n, outline.data());
    // A wall column: the larger side of a rectangle beyond five times the smaller.
    bool wall = false;
    if (c.rectangle) {
        const Real a = std::fabs(static_cast<Real>(outline[1].x) - outline[0].x) +
                       std::fabs(static_cast<Real>(outline[1].y) - outline[0].y);
        const Real b = std::fabs(static_cast<Real>(outline[2].x) - outline[1].x) +
                       std::fabs(static_cast<Real>(outline[2].y) - outline[1].y);
        wall = std::max(a, b) > static_cast<Real>(WallProportion) * std::min(a, b);
    }
    if (!c.leastDimension)
        c.refusal = ColumnRefusal::LeastDimensionMissing;
    else if (*c.leastDimension < SmallestLeastDimension)
        c.refusal = ColumnRefusal::LeastDimensionBelow14;
    else if (c.area < SmallestColumnArea)
        c.refusal = ColumnRefusal::AreaBelow360;
    else if (wall)
        c.refusal = ColumnRefusal::WallColumn;
    c.gammaN = c.refusal == ColumnRefusal::None ? GammaN(*c.leastDimension) : 1.0;

    for (int b = 0; b < BendingCount; ++b)
        c.barsSymmetric[static_cast<std::size_t>(b)] = BarsSymmetricAbout(c.deformation.bars, static_cast<Bending>(b));
    double ixx = 0.0, iyy = 0.0;
    PolygonSecondMoments(n, outline.data(), Point{}, ixx, iyy);
    c.ic = {std::fabs(ixx), std::fabs(iyy)};
    c.fck = model.fck;
    c.eci = InitialModulus(model.fck, column.aggregate);
    return c;
}

ColumnSection SlenderColumnSectionOf(const AnalysisState& s, const MaterialSelection& materials, const Column& column)
{
    ColumnSection section = ColumnSectionOf(s);
    section.columnCase = std::make_shared<const ColumnCase>(ColumnCaseOf(s, materials, column));
    return section;
}

void JudgeSlenderness(const CurveRays* rays, const Column& column, const ColumnSection& section, double nd,
                      ColumnResult& checked)
{
    const ColumnCase* c = section.columnCase.get();
    const bool approximate = Approximate(column.method);
    auto refuse = [&](ColumnRefusal refusal, Bending bending) {
        checked.status = ColumnCheckStatus::Refused;
        checked.refusal = refusal;
        checked.slenderBending = bending;
    };
    if (c) {
        checked.barsSymmetric = c->barsSymmetric;
        checked.rectangle = c->rectangle;
        for (std::size_t b = 0; b < BendingCount; ++b) {
            BendingCheck& check = checked.bending[b];
            if (!check.secondOrder)
                continue;
            if (!c->barsSymmetric[b])
                check.curvatureMethodRefusal = ColumnRefusal::BarsNotSymmetric;
            check.stiffnessMethodRefusal = !c->rectangle          ? ColumnRefusal::OutlineNotRectangle
                                           : !c->barsSymmetric[b] ? ColumnRefusal::BarsNotSymmetric
                                                                  : ColumnRefusal::None;
        }
    }
    for (std::size_t b = 0; b < BendingCount; ++b) {
        const BendingCheck& check = checked.bending[b];
        const Bending bending = static_cast<Bending>(b);
        if (c && check.lambda > MaxSlenderness) {
            refuse(ColumnRefusal::SlendernessAbove200, bending);
            return;
        }
        if (approximate || !c) {
            if (check.lambda > MaxApproximateSlenderness) {
                checked.status = ColumnCheckStatus::TooSlender;
                checked.slenderBending = bending;
                return;
            }
            if (!c || !approximate)
                continue;
            const ColumnRefusal refusal = column.method == SecondOrderMethod::Curvature ? check.curvatureMethodRefusal
                                                                                        : check.stiffnessMethodRefusal;
            if (refusal != ColumnRefusal::None) {
                refuse(refusal, bending);
                return;
            }
            continue;
        }
        if (column.method != SecondOrderMethod::General && check.lambda > MaxCoupledSlenderness) {
            refuse(ColumnRefusal::GeneralMethodNeeded, bending);
            return;
        }
        if (check.lambda > MaxApproximateSlenderness && (!column.creepCoefficient || !column.quasiPermanentShare)) {
            checked.creepCoefficientMissing = !column.creepCoefficient;
            checked.quasiPermanentShareMissing = !column.quasiPermanentShare;
            refuse(ColumnRefusal::CreepDataMissing, bending);
            return;
        }
    }
    if (approximate)
        return;
    if (!c) {
        // Without the section's relation the coupled method has nothing to run on.
        refuse(ColumnRefusal::NoPointB, Bending::Mx);
        return;
    }
    if (!rays)
        return;
    if (column.method == SecondOrderMethod::General) {
        // Every bending, whatever λ.
        for (std::size_t b = 0; b < BendingCount; ++b)
            if (!GeneralMethodBending(column.bending[b], column, section, nd, static_cast<Bending>(b), checked))
                return;
        return;
    }
    for (std::size_t b = 0; b < BendingCount; ++b) {
        if (checked.bending[b].secondOrder &&
            !CoupleBending(*rays, column.bending[b], column, section, nd, static_cast<Bending>(b), checked))
            return;
    }
}

} // namespace flexara
