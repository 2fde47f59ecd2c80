// The design of the reinforcement as the batch tool reports it: the table of
// diameters with the governing η and the limits of each, the diameter chosen
// (or null), the area needed, as one JSON object or as CSV.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/design/Design.h"

#include <string>

namespace flexara {

// model: the calculation model the search ran in. Each option says whether
// its bars lie inside the outline ("fits"); "without_bars" says that the case
// has no bar to give a diameter.
std::string DesignJson(const CombinationList& rows, const DesignResult& result, CalculationModel model);
// The header diametro;as;rho;eta;determinante;situacao;limites;escolhido, one
// row per diameter (limites with "nao-cabe" for bars that stick out of the
// concrete), and a last row "necessaria" with As,nec and ρnec.
std::string DesignCsv(const CombinationList& rows, const DesignResult& result);

// The exit status of a design: 0 when a diameter was chosen, 3 when none
// suffices, 2 when a fault ended a generation of the search.
int DesignExitStatus(const DesignResult& result);

} // namespace flexara
