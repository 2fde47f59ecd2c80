// The geometric reinforcement ratio, steel area over concrete area in per cent,
// and the refresh of the values it rests on: the outline's area and centroid,
// every line's bar area and one hundred times the total steel area.
#pragma once

#include "engine/case/UVariav.h"

#include <string>

namespace flexara {

// Area of one bar of the diameter (mm), cm².
double BarAreaOf(double diameterMm);

// Refreshes Section.Area, Section.Centroid, every line's BarArea and
// SteelAreaX100, and returns the ratio label ("1,57 %"; "0,00 %" when the
// area is not positive). Throws EngineError ("Floating point overflow") when
// the steel area or the ratio is beyond the double range.
std::string UpdateReinforcementRatio(AnalysisState& s);

} // namespace flexara
