// The curve of one case as the batch tool writes it: JSON or CSV (the pictures
// of the chart are the report layer's).
#pragma once

#include "engine/study/CaseCurve.h"

#include <optional>
#include <string>
#include <vector>

namespace flexara {

std::string ReportJson(const CaseCurve& report);
std::string ReportCsv(const CaseCurve& report);

} // namespace flexara
