// The case a new document starts from: no actions, a rectangle with B = H = 0,
// one line of 0 bars of 10 mm at the origin, horizontal, "C-30" and "CA-50 A".
// The calculation settings are left as they are.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"

#include <string>

namespace flexara {

// Installs the default case into the state and returns the ratio label.
std::string InstallDefaultCase(AnalysisState& s);

constexpr double DefaultDiameter = 10.0; // mm

} // namespace flexara
