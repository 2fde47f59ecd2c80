// The column of a case and its checks by NBR 6118:2014 (11.3.3.4.3, 15.8):
// the buckling length and support condition of each bending and the
// approximate method of local second order go in; for each combination in
// compression come out, bending by bending, the slenderness, the minimum
// first-order moment, αb, λ1 and the total moment of the intermediate
// section, and then the design situations (top, base, intermediate section,
// minimum envelope) that the combinations check reads off the curve of the
// row's Nd.
//
// Lengths and dimensions in cm (h and le in metres inside the code's
// formulas, as the code writes them), forces in kN (|Nd| where the code uses
// the magnitude), moments in kN·m in the program's sign convention: positive
// Mx compresses the +y side, positive My the +x side.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/column/SlenderData.h"
#include "engine/section/Capacity.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace flexara {

// The support condition of one bending (the codes of the project file).
enum class SupportCondition : std::uint8_t {
    PinnedWithoutTransverseLoads = 0,
    PinnedWithTransverseLoads = 1,
    Cantilever = 2, // fixed at the base
};

// The approximate method of local second order.
enum class SecondOrderMethod : std::uint8_t {
    Curvature = 0, // standard column with approximate curvature
    Stiffness = 1, // standard column with approximate stiffness κ
    Coupled = 2,   // standard column coupled to the section's M–N–1/r relation
    General = 3,   // the general method: the bar solved on the section's M–N–1/r relation
};

// The bending of Mxd compresses the ±y side: its h is the outline's extent
// along y and its radius of gyration is about the centroidal x axis. The
// bending of Myd likewise along x.
enum class Bending : std::uint8_t { Mx = 0, My = 1 };
constexpr int BendingCount = 2;

struct ColumnBending {
    double le = 0.0; // buckling length, cm
    SupportCondition condition = SupportCondition::PinnedWithoutTransverseLoads;

    bool operator==(const ColumnBending&) const = default;
};

struct Column {
    std::array<ColumnBending, BendingCount> bending{}; // indexed by Bending
    SecondOrderMethod method = SecondOrderMethod::Curvature;
    // The least dimension b of a free polygon, cm: the column check needs it
    // (the families compute theirs).
    std::optional<double> leastDimension;
    // Creep above λ = 90: φ, ψ = Nsg/|Nd|, and the aggregate for Eci.
    std::optional<double> creepCoefficient;
    std::optional<double> quasiPermanentShare;
    Aggregate aggregate = Aggregate::GraniteOrGneiss;
    // Steps of the general method's bar (a setting, not kept in the file).
    int generalSteps = DefaultGeneralSteps;

    bool operator==(const Column&) const = default;
};

// Whether a column has any of the data of small and slender columns (b,
// φ, ψ, an aggregate other than granite or gneiss).
bool HasColumnData(const Column& column);

// The data of small and slender columns a value can be: b > 0 cm, φ ≥ 0,
// 0 ≤ ψ ≤ 1, each finite.
enum class ColumnDatum : std::uint8_t { LeastDimension, CreepCoefficient, QuasiPermanentShare };
bool ColumnDatumValid(ColumnDatum datum, double value);

// Why a buckling length cannot be checked: a column needs a positive le in
// each bending. A length of 0 is no column of length 0 (no slenderness, no
// second order) but a length never given.
enum class LengthProblem : std::uint8_t {
    Missing,  // no length given (an empty field)
    Zero,     // le = 0
    Negative, // le < 0
    Invalid,  // not a number
};
struct ColumnLengthFault {
    Bending bending = Bending::Mx;
    LengthProblem problem = LengthProblem::Zero;
};
// What is wrong with a length (none for a positive one).
std::optional<LengthProblem> LengthProblemOf(double le);
// The first bending, Mxd before Myd, whose length cannot be checked; none
// when both are positive.
std::optional<ColumnLengthFault> ColumnLengthFaultOf(const Column& column);

struct ColumnCase;

// What the checks need of the section: the gross outline and the design
// strength of the concrete.
struct ColumnSection {
    double area = 0.0;                    // Ac, cm²
    double fcd = 0.0;                     // kN/cm²
    std::array<double, BendingCount> h{}; // extent of the outline, cm
    std::array<double, BendingCount> i{}; // radius of gyration √(I/A), cm
    // What the checks of small and slender columns need besides
    // (engine/column/Slenderness.h); without it a column is checked as ever.
    std::shared_ptr<const ColumnCase> columnCase;
};

// The outline's area, extents and radii of gyration about its centroidal
// axes, and the state's Fcd (as the material update of a generation leaves
// it). A zero area gives zero radii.
ColumnSection ColumnSectionOf(const AnalysisState& state);

// Every number of one bending of one combination, in the order the code
// computes them.
struct BendingCheck {
    double h = 0.0; // cm
    double i = 0.0; // cm
    double lambda = 0.0;
    // The end moments: MA the one of larger magnitude (the base of a
    // cantilever), MB the other; signed, kN·m.
    double ma = 0.0;
    double mb = 0.0;
    double top = 0.0; // the end moments as given, kN·m
    double base = 0.0;
    double m1dMin = 0.0; // |Nd|·(0,015 + 0,03·h), kN·m
    double alphaB = 1.0;
    double e1 = 0.0; // |MA| / |Nd|, cm
    double lambda1 = 0.0;
    double m1dA = 0.0; // max(|MA|, M1d,min), kN·m
    bool secondOrder = false;
    std::optional<double> curvature;   // 1/r, 1/m: the curvature method with second order
    std::optional<double> kappaOverNu; // κ/ν at Md,tot: the κ method with second order
    double mdTot = 0.0;                // the intermediate section, kN·m (a magnitude)
    // The semi-axis of the minimum envelope: with second order the Md,tot of
    // the same method for M1d,A = M1d,min and αb = 1, else M1d,min; kN·m.
    double mdMinTot = 0.0;
    // Where the bending needs second order, why each approximate method
    // would be refused (None where it applies), whichever was chosen.
    ColumnRefusal curvatureMethodRefusal = ColumnRefusal::None;
    ColumnRefusal stiffnessMethodRefusal = ColumnRefusal::None;
    // Creep and the coupled method, where they ran; with the coupled method
    // the two sides (CurvatureSide) have each their Md,tot and semi-axis, and
    // mdTot and mdMinTot above are those of MA's side and of the positive one.
    std::optional<CreepResult> creep;
    std::optional<CoupledBending> coupled;
    std::optional<std::array<double, CurvatureSideCount>> mdTotBySide;
    std::optional<std::array<double, CurvatureSideCount>> mdMinTotBySide;
    // The general method: its bars, whatever λ; mdTot is then the largest
    // |M(z)| of the end moments' bar (of both signs' bars where their line
    // is zero) and mdTotBySide holds it on its side.
    std::optional<GeneralBending> general;
};

// Md,tot and the envelope's semi-axis on the side of a moment of sign `sign`
// (the positive side for 0).
inline double MdTotOn(const BendingCheck& check, double sign)
{
    return check.mdTotBySide ? (*check.mdTotBySide)[sign < 0.0 ? 1 : 0] : check.mdTot;
}
inline double MdMinTotOn(const BendingCheck& check, double sign)
{
    return check.mdMinTotBySide ? (*check.mdMinTotBySide)[sign < 0.0 ? 1 : 0] : check.mdMinTot;
}

// λ beyond which the approximate methods do not apply.
constexpr double MaxApproximateSlenderness = 90.0;
// Points of the minimum envelope's ellipse, at angles 2πk/72.
constexpr int MinimumEnvelopePoints = 72;

// M1d,min = |Nd|·(0,015 + 0,03·h), h in metres; kN·m.
double MinimumFirstOrderMoment(double nd, double hCm);

// MA and MB of the end moments at the top and at the base: MA is the larger
// in magnitude (the top when both are equal), or the base of a cantilever.
void EndMoments(SupportCondition condition, double top, double base, double& ma, double& mb);

// αb of the condition: 0,60 + 0,40·MB/MA at least 0,40; 1,0 with transverse
// loads; 0,80 + 0,20·MC/MA held to 0,85..1,0 for a cantilever, MC the moment
// at mid-length; and 1,0 whenever |MA| < M1d,min.
double AlphaB(SupportCondition condition, double ma, double mb, double m1dMin);

// λ1 = (25 + 12,5·e1/h)/αb held to 35..90 (e1 and h in cm).
double LimitSlenderness(double e1, double hCm, double alphaB);

// The total moment of the intermediate section by one approximate method,
// for the first-order moment m1dA (kN·m) and αb; h and le in cm.
struct SecondOrderMoment {
    double mdTot = 0.0;
    double curvature = 0.0;   // 1/r, 1/m (curvature method)
    double kappaOverNu = 0.0; // κ/ν at the solution (κ method)
};
// Md,tot = max(αb·M1d,A + |Nd|·le²/10·1/r, M1d,A) with
// 1/r = 0,005/[h·(ν + 0,5)] ≤ 0,005/h.
SecondOrderMoment CurvatureMethodMoment(double nd, double nu, double leCm, double hCm, double alphaB, double m1dA);
// κ/ν = 32·(1 + 5·Md,tot/(h·|Nd|)) and Md,tot = αb·M1d,A/(1 − λ²/(120·κ/ν)),
// solved together as a quadratic in Md,tot (its positive root), then at
// least M1d,A.
SecondOrderMoment StiffnessMethodMoment(double nd, double lambda, double hCm, double alphaB, double m1dA);

// One bending of a combination in compression (nd < 0), with the end moments
// at the top and at the base. nu is |Nd|/(Ac·Fcd), used by the curvature method.
BendingCheck CheckBending(const ColumnBending& bending, SecondOrderMethod method, double h, double i, double nd,
                          double nu, double top, double base);

// The design situations of a combination, each a point (Mx, My) at its Nd.
enum class DesignSituation : std::uint8_t {
    Top,          // the first-order moments at the top
    Base,         // at the base
    Intermediate, // Md,tot of both bendings at once
    Minimum,      // the minimum envelope with second order (its governing point)
};

struct SituationReading {
    DesignSituation situation = DesignSituation::Top;
    Point moments;       // kN·m
    RayCapacity reading; // along the ray on the curve of the row's Nd
};

enum class ColumnCheckStatus : std::uint8_t {
    Checked,    // in compression: both bendings worked out
    Tension,    // Nd > 0: no column check, the two ends are read as sections
    TooSlender, // λ > 90 in a bending: the approximate methods do not apply
    ZeroForce,  // Nd = 0: no column check either, the two ends read as in tension
    Refused,    // the reason in ColumnResult::refusal
    Unstable,   // in compression, the column fails by instability
};

struct ColumnResult {
    ColumnCheckStatus status = ColumnCheckStatus::Checked;
    std::optional<double> nu;                         // |Nd|/(Ac·Fcd): the curvature method
    std::array<BendingCheck, BendingCount> bending{}; // in compression; indexed by Bending
    Bending slenderBending = Bending::Mx;             // the bending the refusal names
    // Read where the curve of Nd gives readings: top, base and, in
    // compression, intermediate and minimum, in this order.
    std::vector<SituationReading> situations;
    int governingSituation = -1; // index into situations, -1 for none
    // Refused: why, and the bending in slenderBending where it is one
    // bending's; CreepDataMissing says which of φ and ψ are missing.
    ColumnRefusal refusal = ColumnRefusal::None;
    bool creepCoefficientMissing = false;
    bool quasiPermanentShareMissing = false;
    // Unstable: why, the bending in slenderBending and the side.
    Instability instability = Instability::None;
    CurvatureSide instabilitySide = CurvatureSide::Positive;
    GeneralOutcome generalOutcome = GeneralOutcome::Converged; // Instability::General: how the bar failed
    bool generalMinimum = false;                               // ... in the minimum envelope's bar
    // The method the row was checked by (and, refused, would have been).
    SecondOrderMethod method = SecondOrderMethod::Curvature;
    // Where the checks of small and slender columns ran (a ColumnCase): the
    // least dimension b, γn, and the row's forces before and after γn.
    std::optional<double> leastDimension;
    double gammaN = 1.0;
    ColumnForces before;
    ColumnForces after;
    // The grounds of the approximate methods' applicability: the bars
    // symmetric about each bending's centroidal axis, the outline a rectangle.
    std::array<bool, BendingCount> barsSymmetric{};
    bool rectangle = false;

    // Whether the row was in compression, so that both bendings were worked
    // out (a case the code allows no column of works out none).
    bool InCompression() const
    {
        switch (status) {
        case ColumnCheckStatus::Checked:
        case ColumnCheckStatus::TooSlender:
        case ColumnCheckStatus::Unstable:
            return true;
        case ColumnCheckStatus::Refused:
            return !IsCaseRefusal(refusal);
        case ColumnCheckStatus::Tension:
        case ColumnCheckStatus::ZeroForce:
            break;
        }
        return false;
    }
};

// Md,tot and the envelope's semi-axis of a bending as the row's method
// worked them out: only for a row checked (neither refused, too slender nor
// unstable, where some bendings stop before them); none otherwise.
inline std::optional<double> WorkedMdTot(const ColumnResult& result, Bending bending)
{
    if (result.status != ColumnCheckStatus::Checked)
        return std::nullopt;
    return result.bending[static_cast<std::size_t>(bending)].mdTot;
}

inline std::optional<double> WorkedMdMinTot(const ColumnResult& result, Bending bending)
{
    if (result.status != ColumnCheckStatus::Checked)
        return std::nullopt;
    return result.bending[static_cast<std::size_t>(bending)].mdMinTot;
}

} // namespace flexara
