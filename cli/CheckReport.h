// The check of load combinations as the batch tool reports it: one JSON object
// with a result per row (the CSV comes from the combinations' own writer).
#pragma once

#include "engine/Combinations.h"

#include <string>

namespace flexara {

// model: the calculation model the rows were checked in.
std::string CheckJson(const CombinationList& rows, const CombinationCheck& check, CalculationModel model);

// The exit status of a check: 0 when every row holds, 3 when a row fails, is
// out of range or is refused, 2 when a fault ended a generation.
int CheckExitStatus(const CombinationCheck& check);

} // namespace flexara
