// The check of load combinations as the batch tool reports it: one JSON object
// with a result per row (the CSV comes from the combinations' own writer).
#pragma once

#include "engine/column/Combinations.h"
#include "engine/study/CaseVerdict.h"

#include <optional>
#include <string>

namespace flexara {

// model: the calculation model the rows were checked in. Checked as a column,
// the document gives the column's data ("column") and every row its column
// check ("column": its status, "Mxd" and "Myd" with every number of the
// bending, the situations and the one that governs); a row in tension says
// {"status": "tension"}, a row at Nd = 0 {"status": "zero-nd"}, each with its
// two ends read as sections. Given the case's verdict, the document ends with
// it ("verdict": whether the case holds, whether every combination does, the
// governing one and its situation, η, the column's steel against its limits,
// the sentence that says it) and its "warnings".
std::string CheckJson(const CombinationList& rows, const CombinationCheck& check, CalculationModel model,
                      const std::optional<Column>& column = std::nullopt, const CaseVerdict* verdict = nullptr);

// The exit status of a check: 0 when the case holds, 3 when it does not (a
// row fails, is out of range or is refused, or a column's steel misses its
// limits), 2 when a fault ended a generation.
int CheckExitStatus(const CaseVerdict& verdict);

} // namespace flexara
