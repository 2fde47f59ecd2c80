// The surface seen from a direction, for its wireframe picture: a parallel
// projection of the points (Mx, My, Nd) onto the picture plane. The moments
// and Nd are first scaled into a box that spans -1..1 on each axis, the two
// moments alike so that a level curve keeps its shape, and Nd with
// compression upward, as on the N–M diagram.
#pragma once

#include "engine/diagrams/Surface.h"

#include <span>

namespace flexara {

struct SurfaceView {
    // Turn about the Nd axis, radians: at 0 Mx runs to the right and My away
    // from the eye.
    double azimuth = -0.6;
    // Height of the eye above the plane of the moments, radians, within ±π/2.
    double elevation = 0.45;
};

// A drag of the mouse by (dx, dy) pixels turns the view: to the right about
// the Nd axis, downward to look from higher up.
constexpr double ViewRadiansPerPixel = 0.01;
SurfaceView TurnedView(SurfaceView view, double dx, double dy);

struct SurfaceBox {
    // The moments from -reach to +reach fill the box: a round value (1, 1.2,
    // 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten), at least the
    // largest |Mx| or |My| of the surface and the loads.
    double momentReach = 1.0;
    // Nd from low (compression, the top of the box) to high.
    double ndLow = -1.0;
    double ndHigh = 1.0;
};
SurfaceBox BoxOfSurface(const Surface& surface, std::span<const DiagramLoad> loads);

// A point on the picture plane, in box units: x to the right, y upward;
// depth grows away from the eye.
struct ViewPoint {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;
};
ViewPoint Project(const SurfaceView& view, const SurfaceBox& box, double mx, double my, double nd);

// How far from the centre of the picture a drawing must reach, in box units,
// in every view: the full height of the box, and rings out to a radius a
// tenth beyond the reach of the moments (a ring wide to the box's corners in
// both moments at once would reach out to 1.41). A drawing fitted to it keeps
// its scale while the view turns.
constexpr double ViewReach = 1.5;

} // namespace flexara
