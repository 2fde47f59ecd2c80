// What the checks of small and slender columns (NBR 6118:2014, 13.2.3,
// 14.4.2.4, 15.3.1, 15.8.3.3, 15.8.4) add to a column and to its result: the
// least dimension and γn, the refusals and their reasons as codes, the
// standard column coupled to the section's M–N–1/r relation (point B of the
// deformation curve, the secant stiffness) and creep. The arithmetic is in
// engine/column/Slenderness.h; the words of the codes in texts/Words.h.
//
// Lengths in cm, forces in kN, moments in kN·m, stiffness in kN·m².
#pragma once

#include "engine/case/UVariav.h"
#include "engine/section/MomentCurvature.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace flexara {

// The aggregate of the concrete, for αE of its modulus Eci (8.2.8).
enum class Aggregate : std::uint8_t {
    GraniteOrGneiss = 0, // αE = 1,0
    Basalt = 1,          // 1,2
    Limestone = 2,       // 0,9
    Sandstone = 3,       // 0,7
};

// Why a row is not checked as a column (the section check of the case still
// works). The first four are the case's own and refuse every row.
enum class ColumnRefusal : std::uint8_t {
    None,
    LeastDimensionMissing, // a free polygon without its typed b
    LeastDimensionBelow14, // b < 14 cm (13.2.3)
    AreaBelow360,          // Ac < 360 cm² (13.2.3)
    WallColumn,            // a rectangle longer than five times its width (14.4.2.4); 15.9 is not done here
    SlendernessAbove200,   // λ > 200 (15.8.1)
    GeneralMethodNeeded,   // 140 < λ ≤ 200: only the general method (15.8.3.2)
    BarsNotSymmetric,      // the curvature or κ method where the bending needs second order (15.8.3.3.2–3)
    OutlineNotRectangle,   // the κ method where the bending needs second order (15.8.3.3.3)
    CreepDataMissing,      // λ > 90 without φ or ψ (15.8.4)
    NoResistingMoment,     // no MRd along the bending's direction on the curve of Nd
    NoPointB,              // the deformation curve ends before MRd/γf3 (or is there already without curvature)
};

// A refusal of the case itself (every row, whatever its Nd), not of a row.
constexpr bool IsCaseRefusal(ColumnRefusal refusal)
{
    return refusal == ColumnRefusal::LeastDimensionMissing || refusal == ColumnRefusal::LeastDimensionBelow14 ||
           refusal == ColumnRefusal::AreaBelow360 || refusal == ColumnRefusal::WallColumn;
}

// Why a row in compression fails by instability.
enum class Instability : std::uint8_t {
    None,
    SecantStiffness, // |Nd|·le²/(10·(EI)sec) ≥ 1: the coupled method's denominator ≤ 0
    CreepEuler,      // Ne ≤ Nsg: the creep's exponent has no value
    General,         // the general method's bar has no shape that stands (GeneralOutcome says why)
};

// The forces of a row in the column check, kN and kN·m.
struct ColumnForces {
    double nd = 0.0;
    Point top;
    Point base;
};

// Creep of one bending (15.8.4), with λ > 90.
struct CreepResult {
    double phi = 0.0;    // φ
    double psi = 0.0;    // ψ = Nsg/|Nd|
    double nsg = 0.0;    // ψ·|Nd|, kN
    double msg = 0.0;    // ψ·|MA|, the first-order end moment before any floor, kN·m
    double eci = 0.0;    // kN/cm²
    double ic = 0.0;     // of the gross outline for the bending, cm⁴
    double ne = 0.0;     // 10·Eci·Ic/le², kN
    double theta1 = 0.0; // 1/(100·√le), le in m, held to 1/300..1/200
    double ea = 0.0;     // θ1·le/2, cm
    double ecc = 0.0;    // (Msg/Nsg + ea)·(2,718^(φ·Nsg/(Ne − Nsg)) − 1), cm (0 when unstable)
    double moment = 0.0; // |Nd|·e_cc, kN·m
};

// One side of a bending in the coupled method: MRd along the side's
// direction on the interaction curve of Nd, MRd/γf3, point B and (EI)sec,
// then the rest.
struct CoupledSide : SecantStiffness {
    double kappa = 0.0;       // (EI)sec/(Ac·h²·fcd)
    double denominator = 0.0; // 1 − |Nd|·le²/(10·(EI)sec)
    double mdTot = 0.0;       // the intermediate section on this side, kN·m (a magnitude)
    double mdMinTot = 0.0;    // the minimum envelope's semi-axis on this side, kN·m
};

// The coupled method of one bending that needs second order: both sides,
// indexed by CurvatureSide, and where each side's deformation curve ends.
struct CoupledBending {
    std::array<std::optional<CoupledSide>, CurvatureSideCount> sides;
    std::array<CurveEnd, CurvatureSideCount> end{};
    std::array<double, CurvatureSideCount> endCurvature{}; // 1/m
};

// Stations of the general method's bar: at least 20 steps, 40 unless set
// otherwise.
constexpr int MinGeneralSteps = 20;
constexpr int DefaultGeneralSteps = 40;

// The general method's bar of one bending (engine/column/GeneralMethod.h):
// each station, and the solution.
struct GeneralStation {
    double z = 0.0;         // from the base, cm
    double m1 = 0.0;        // kN·m
    double u = 0.0;         // cm: the deflection, positive where it adds to a positive moment
    double m = 0.0;         // kN·m
    double curvature = 0.0; // 1/m, signed as m
};

enum class GeneralOutcome : std::uint8_t {
    Converged,
    LeftTheCurve,  // a station's moment beyond the greatest moment of its side
    LostStability, // the tangent stiffness of the bar lost (a pivot ≤ 0)
    NoConvergence, // no fixed point within MaxGeneralIterations steps
};

struct GeneralSolution {
    GeneralOutcome outcome = GeneralOutcome::NoConvergence;
    std::vector<GeneralStation> stations;
    int iterations = 0;      // Newton steps, both phases
    int station = -1;        // where Md,tot is (or where the curve was left)
    double mdTot = 0.0;      // the largest |M(z)|
    double signedMd = 0.0;   // M there
    double errorBound = 0.0; // of every M against the fixed point, kN·m
    bool Stable() const { return outcome == GeneralOutcome::Converged; }
};

// The general method of one bending: the bar under the end moments (both
// signs where their line is zero all along, the worse kept by the
// situations) and the minimum envelope's bars with M1(z) = ±M1d,min (creep
// added) on each side, indexed by CurvatureSide.
struct GeneralBending {
    int steps = 0;
    double length = 0.0; // the bar's, cm
    bool bothSigns = false;
    std::array<std::optional<GeneralSolution>, CurvatureSideCount> bar; // [0] alone unless bothSigns
    std::array<std::optional<GeneralSolution>, CurvatureSideCount> minimum;

    // The bar that gives the bending's Md,tot: the end moments' bar, or the
    // worse of both signs' where both were solved; none without one.
    const GeneralSolution* Governing() const
    {
        const std::optional<GeneralSolution>* governing = &bar[0];
        if (bothSigns && bar[1] && (!*governing || bar[1]->mdTot > (*governing)->mdTot))
            governing = &bar[1];
        return *governing ? &**governing : nullptr;
    }
};

} // namespace flexara
