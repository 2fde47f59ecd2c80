// The parameters of the calculation model of a case: what the generation
// turns strains into stresses with, and what the report prints of it.
//
// Classic: a block of AlphaC·fcd over the fibres shortened by 0.7 per mil or
// more, the top fibre at -3.5 per mil at most, uniform shortening and the
// pivot C at 2 per mil, 3h/7 below the top vertex.
// NBR 6118:2014 (items 8.2.10.1 and 17.2.2): from fck (MPa), αc, λ, εc2, εcu
// and n; a rectangular block of αc·fcd (0.9·αc·fcd where the compressed zone
// narrows towards the compressed edge) over the fibres shortened by at least
// (1 - λ)·|εtop|, or the parabola-rectangle of 0.85·fcd; the top fibre at -εcu
// at most, uniform shortening and the pivot C at εc2, (εcu - εc2)/εcu·h below
// the top vertex. Strains here are magnitudes of shortening, per mil.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"

#include <optional>

namespace flexara {

// The strengths the code covers, MPa: C20 to C90.
constexpr double CodeMinimumFck = 20.0;
constexpr double CodeMaximumFck = 90.0;

struct ModelParameters {
    CalculationModel model = CalculationModel::Classic;
    bool reducedBlockStress = false; // 0.9·αc: rectangular model only
    // The characteristic strength as the code models judge it, MPa.
    double fck = 0.0;
    // False for a code model outside C20..C90: the generation refuses the
    // case; the parameters are then those of the nearer end of the range.
    bool withinCodeRange = true;
    // αc: the setting AlphaC in the classic model.
    double alphaC = 0.85;
    // λ and n have no part in the classic model.
    std::optional<double> lambda;
    std::optional<double> exponent;
    double epsC2 = 2.0; // per mil: end of the parabola, uniform shortening, pivot C
    double epsCu = 3.5; // per mil: ultimate shortening of the top fibre
    // The stress of the block, or of the plateau of the parabola, as a factor
    // of fcd (AlphaC, αc, 0.9·αc or 0.85) and in kN/cm².
    double stressFactor = 0.85;
    double stress = 0.0;
    // Depth of the pivot C below the top vertex as a fraction of the rotated
    // height h: 3/7 in the classic model and for fck up to 50 MPa.
    double pivotDepth = 3.0 / 7.0;
};

// A plane of strains over the rotated outline: topStrain at y = yTop (the top
// vertex) and refStrain at y = yRef (yRef < yTop), linear in y; per mil,
// shortening negative.
struct StrainPlane {
    double yTop = 0.0;
    double topStrain = 0.0;
    double yRef = 0.0;
    double refStrain = 0.0;
};

// The rectangular block of the code models covers λ·x from the top vertex,
// x the depth of the neutral axis: the fibres shortened by at least
// (1 - λ)·|εtop|. The level (rotated y) it goes down to; false, with no level,
// while the top fibre is not shortened. The top fibre is the most shortened
// (refStrain > topStrain, or equal for a uniform shortening, which the block
// covers whole).
bool RectangularBlockLevel(const StrainPlane& plane, double lambda, double& level);

// fck of the case in MPa: a preset class gives its own; "Outro" gives the
// strength back from Fcd·GammaC·10 to the nearest 1e-6 MPa, so that the
// rounding of that product (90 typed comes back as 90.00000000000001) does
// not move a strength across 50 or 90 MPa.
double JudgedConcreteStrength(const AnalysisState& s, std::int32_t concreteIndex);

// The parameters of the case's model, from the state as the material update
// of a generation leaves it (Fcd current). Raises no floating-point fault.
ModelParameters CalculationModelParameters(const AnalysisState& s, const MaterialSelection& materials);

} // namespace flexara
