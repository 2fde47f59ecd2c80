// The design of the reinforcement as the batch tool reports it: the table of
// diameters with the governing η and the limits of each, the diameter chosen
// (or null), the area needed, as one JSON object or as CSV.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/design/Arrangement.h"
#include "engine/design/Design.h"
#include "engine/design/Detailing.h"
#include "cli/Json.h"

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

// The detailing rules of bars as check's and design's JSON give them: the
// data (cover, φt, st, b, the 8 % with laps), every rule with its item, value,
// limit and verdict, and the ties.
JsonDocument DetailingJson(const DetailingCheck& check);

// The design of an arrangement of a rectangle: every arrangement (bars_x,
// bars_y, diameter, count, as, utilisation, rules with each rule's verdict),
// those that hold first in the order of the choice, and the choice.
std::string ArrangementJson(const CombinationList& rows, const ArrangementDesign& design, CalculationModel model);
// The header bars_x;bars_y;diameter;count;as;utilisation;ties;rules;chosen,
// one row per arrangement; rules "ok" or the keys of those broken, joined by "+".
std::string ArrangementCsv(const ArrangementDesign& design);
// 0 when an arrangement was chosen, 3 when none holds, 2 when a fault ended a
// generation.
int ArrangementExitStatus(const ArrangementDesign& design);

} // namespace flexara
