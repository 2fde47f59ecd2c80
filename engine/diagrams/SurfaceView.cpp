#include "engine/diagrams/SurfaceView.h"

#include "engine/Units.h"

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {

using Real = long double;

// The round value at or above a reach.
double RoundReach(double reach)
{
    if (!(reach > 1.0))
        return 1.0;
    if (!std::isfinite(reach))
        return reach;
    double power = std::pow(10.0, std::floor(std::log10(reach)));
    for (;;) {
        for (const double factor : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0})
            if (factor * power >= reach)
                return factor * power;
        power *= 10.0;
    }
}

} // namespace

SurfaceView TurnedView(SurfaceView view, double dx, double dy)
{
    const double half = static_cast<double>(Pi / 2.0L);
    view.azimuth = std::remainder(view.azimuth + dx * ViewRadiansPerPixel, static_cast<double>(TwoPi));
    view.elevation = std::clamp(view.elevation + dy * ViewRadiansPerPixel, -half, half);
    return view;
}

SurfaceBox BoxOfSurface(const Surface& surface, std::span<const DiagramLoad> loads)
{
    double reach = std::max({std::fabs(surface.squash.moment.x), std::fabs(surface.squash.moment.y),
                             std::fabs(surface.tension.moment.x), std::fabs(surface.tension.moment.y)});
    SurfaceBox box;
    box.ndLow = surface.squash.nd;
    box.ndHigh = surface.tension.nd;
    for (const SurfaceLevel& level : surface.levels)
        for (const Point& p : level.ring)
            reach = std::max({reach, std::fabs(p.x), std::fabs(p.y)});
    for (const DiagramLoad& load : loads) {
        reach = std::max({reach, std::fabs(load.mxd), std::fabs(load.myd)});
        box.ndLow = std::min(box.ndLow, load.nd);
        box.ndHigh = std::max(box.ndHigh, load.nd);
    }
    if (!(box.ndHigh > box.ndLow)) {
        box.ndLow -= 1.0;
        box.ndHigh += 1.0;
    }
    box.momentReach = RoundReach(reach);
    return box;
}

ViewPoint Project(const SurfaceView& view, const SurfaceBox& box, double mx, double my, double nd)
{
    const Real u = mx / static_cast<Real>(box.momentReach);
    const Real v = my / static_cast<Real>(box.momentReach);
    // Compression up: the squash end at +1, the tension end at -1.
    const Real middle = (static_cast<Real>(box.ndLow) + box.ndHigh) / 2.0L;
    const Real half = (static_cast<Real>(box.ndHigh) - box.ndLow) / 2.0L;
    const Real w = -(nd - middle) / half;
    const Real ca = std::cos(static_cast<Real>(view.azimuth)), sa = std::sin(static_cast<Real>(view.azimuth));
    const Real ce = std::cos(static_cast<Real>(view.elevation)), se = std::sin(static_cast<Real>(view.elevation));
    // Turned about the Nd axis: across the picture and away from the eye.
    const Real across = u * ca - v * sa;
    const Real away = u * sa + v * ca;
    // The eye raised by the elevation, looking down at the centre.
    return ViewPoint{static_cast<double>(across), static_cast<double>(away * se + w * ce),
                     static_cast<double>(away * ce - w * se)};
}

} // namespace flexara
