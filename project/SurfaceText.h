// The surface and the N–M diagram as text, for the batch tool and the
// window's exports. Reals read back to the same double.
//
// Surface CSV: a header "nd;mx;my", then every level's curve point by point,
// in the order generated (its closing copy included), levels rising in Nd;
// Nd in kN, moments in kN·m.
//
// Surface mesh, Wavefront OBJ: one vertex "v Mx My Nd" per ring point, level
// after level, then the squash end and the tension end; a quad between every
// two neighbouring levels for every step around the ring (the last step joins
// the first), and a fan of triangles from each end to its nearest level, so
// that the mesh is closed. Faces run counter-clockwise seen from outside for
// a curve generated clockwise in (Mx, My), as the section's curves are.
//
// N–M CSV: a header "nd;m", then the diagram's outline in order: m ≥ 0 along
// the direction, m ≤ 0 along the opposite one, at the two ends the component
// of the end's moment along the direction.
#pragma once

#include "engine/diagrams/Surface.h"

#include <string>

namespace flexara {

std::string SurfaceCsv(const Surface& surface);
std::string SurfaceObj(const Surface& surface);
std::string NmDiagramCsv(const NmDiagram& diagram);

} // namespace flexara
