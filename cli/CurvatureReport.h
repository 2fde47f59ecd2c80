// The batch tool's M–N–1/r relation of a case at one Nd and direction (the
// subcommand curvature): both sides' deformation curves (1/r, M, ε0 per
// point), where each ends, MRd along the side from the interaction curve of
// Nd, point B and (EI)sec; as JSON or CSV.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/section/MomentCurvature.h"

#include <string>

namespace flexara {

// What the relation is of: Nd (kN), the direction (the bending "Mxd", "Myd",
// or an angle in degrees from the Mx axis towards My), the model.
struct CurvatureQuery {
    double nd = 0.0;
    std::string bending; // "Mxd" or "Myd"; empty for an angle
    double degrees = 0.0;
    CalculationModel model = CalculationModel::Classic;
};

std::string CurvatureJson(const DeformationStudy& study, const CurvatureQuery& query);
// side;curvature;m;eps0 — one line per point, the positive side's first.
std::string CurvatureCsv(const DeformationStudy& study);

} // namespace flexara
