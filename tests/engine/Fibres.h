// The parabola-rectangle integrated over a polygon by fibres, for the tests
// to hold the exact integrations against: the depth cut into strips between
// every two levels where the width or the stress has a kink, each strip
// carried by the fibres at its two Gauss points over their chords.
#pragma once

#include "engine/section/ParabolaRectangle.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace flexara::testing {

using Real = long double;
using Outline = std::vector<Point>;

struct Reference {
    Real force = 0.0L;
    Real firstMomentX = 0.0L;
    Real firstMomentY = 0.0L;
};

inline Real Shortening(const StrainPlane& plane, Real y)
{
    const Real gradient = (static_cast<Real>(plane.refStrain) - plane.topStrain) / (plane.yTop - plane.yRef);
    return -(plane.topStrain + gradient * (plane.yTop - y));
}

inline Real Stress(const ParabolaRectangleLaw& law, Real s)
{
    if (s <= 0.0L)
        return 0.0L;
    if (s >= law.epsC2)
        return law.plateauStress;
    return law.plateauStress * (1.0L - std::pow(1.0L - s / law.epsC2, law.exponent));
}

// 2000 strips between every two levels where the width or the stress has a
// kink (the vertices, s = 0 and s = εc2), each strip carried by two fibres at
// its Gauss points (one middle fibre per strip is off by h²/2, 1.25e-7, over
// the triangle of a corner).
inline Reference FibreIntegration(const Outline& v, const StrainPlane& plane, const ParabolaRectangleLaw& law)
{
    constexpr int Strips = 2000;
    std::vector<Real> levels;
    Real low = v[0].y, high = v[0].y;
    for (const Point& p : v) {
        levels.push_back(p.y);
        low = std::min<Real>(low, p.y);
        high = std::max<Real>(high, p.y);
    }
    const Real gradient = (static_cast<Real>(plane.refStrain) - plane.topStrain) / (plane.yTop - plane.yRef);
    if (gradient != 0.0L) {
        for (const Real s : {0.0L, law.epsC2}) {
            const Real y = plane.yTop - (-s - plane.topStrain) / gradient;
            if (y > low && y < high)
                levels.push_back(y);
        }
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());

    Reference r;
    std::vector<Real> xs;
    for (std::size_t l = 0; l + 1 < levels.size(); ++l) {
        const Real dy = (levels[l + 1] - levels[l]) / Strips;
        const Real gauss = 0.5L / std::sqrt(3.0L);
        for (int k = 0; k < 2 * Strips; ++k) {
            const Real y = levels[l] + (k / 2 + 0.5L + (k % 2 == 0 ? -gauss : gauss)) * dy;
            const Real sigma = Stress(law, Shortening(plane, y));
            if (sigma == 0.0L)
                continue;
            xs.clear();
            for (std::size_t i = 0; i < v.size(); ++i) {
                const Point& a = v[i];
                const Point& b = v[(i + 1) % v.size()];
                if ((a.y <= y) != (b.y <= y))
                    xs.push_back(a.x + (y - a.y) * (static_cast<Real>(b.x) - a.x) / (static_cast<Real>(b.y) - a.y));
            }
            std::sort(xs.begin(), xs.end());
            Real width = 0.0L, moment = 0.0L;
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                width += xs[i + 1] - xs[i];
                moment += (xs[i + 1] * xs[i + 1] - xs[i] * xs[i]) / 2.0L;
            }
            r.force += sigma * width * dy / 2.0L;
            r.firstMomentX += sigma * moment * dy / 2.0L;
            r.firstMomentY += sigma * width * y * dy / 2.0L;
        }
    }
    return r;
}

} // namespace flexara::testing
