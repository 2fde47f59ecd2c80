// The surface and the N–M diagram as the batch tool writes them in JSON (the
// CSV and the mesh are the project layer's texts, the pictures the report
// layer's). Reals read back to the same double, as in the curve's report.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/diagrams/Surface.h"

#include <string>

namespace flexara {

// The level curves: the status, the ends and every level's Nd and points in
// the order generated.
std::string SurfaceJson(const Surface& surface, CalculationModel model);

// The diagram of the direction `degrees` (as given on the command line) read
// off the surface: every level's moments on both sides and the closed
// outline (empty for a surface without levels: no diagram, not its ends
// alone).
std::string NmJson(const Surface& surface, const NmDiagram& diagram, double degrees, CalculationModel model);

// As for a curve: 0 for every result (a refused case included), 2 when a
// fault ended a generation.
int SurfaceExitStatus(const Surface& surface);

} // namespace flexara
