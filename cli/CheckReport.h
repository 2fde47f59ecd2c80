// The check of load combinations as the batch tool reports it: one JSON object
// with a result per row (the CSV comes from the combinations' own writer).
#pragma once

#include "engine/column/Combinations.h"

#include <optional>
#include <string>

namespace flexara {

// model: the calculation model the rows were checked in. Checked as a column,
// the document gives the column's data ("column") and every row its column
// check ("column": its status, "Mxd" and "Myd" with every number of the
// bending, the situations and the one that governs); a row in tension says
// {"status": "tension"}, a row at Nd = 0 {"status": "zero-nd"}, each with its
// two ends read as sections. Without a column
// the document is as it always was.
std::string CheckJson(const CombinationList& rows, const CombinationCheck& check, CalculationModel model,
                      const std::optional<Column>& column = std::nullopt);

// The exit status of a check: 0 when every row holds, 3 when a row fails, is
// out of range or is refused, 2 when a fault ended a generation.
int CheckExitStatus(const CombinationCheck& check);

} // namespace flexara
