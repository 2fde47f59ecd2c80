// The parabola-rectangle law of the concrete integrated exactly over a
// polygon: σ = σcd·[1 - (1 - s/εc2)^n] for a shortening s up to εc2, σcd from
// there on, nothing in tension (σcd = 0.85·fcd, kN/cm²; strains per mil).
//
// The strain is linear in y, so the stress depends on y alone. By Green's
// theorem the force and the two first moments are sums over the edges of the
// outline of one-dimensional integrals along each edge; split where the edge
// crosses the levels of s = 0 and s = εc2, each piece is a polynomial in the
// edge's parameter times 1 or (1 - u^n), u = 1 - s/εc2 linear along it, whose
// integrals have closed forms for any real n. No fibre mesh, no quadrature
// error; outlines need not be convex.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/section/CalculationModel.h"

#include <cstdint>

namespace flexara {

struct ParabolaRectangleLaw {
    long double plateauStress = 0.0L; // σcd, kN/cm²
    long double epsC2 = 2.0L;         // per mil, a shortening (> 0)
    long double exponent = 2.0L;      // n (> 0)
};

// The resultant of the compressive stresses, compression counted positive,
// in the frame of the vertices: force ∫σ dA (kN), firstMomentX ∫σ·x dA and
// firstMomentY ∫σ·y dA (kN·cm).
struct ConcreteResultant {
    long double force = 0.0L;
    long double firstMomentX = 0.0L;
    long double firstMomentY = 0.0L;
};

// The force alone serves the searches, which try many strain states for the
// one whose force is Nd; the first moments are wanted for that one only.
enum class ResultantParts { Force, ForceAndFirstMoments };

// v[0..n-1]: a counter-clockwise outline (n <= MaxVertices), closed implicitly.
// With ResultantParts::Force the first moments come back 0. Allocates nothing.
ConcreteResultant IntegrateParabolaRectangle(const Point* v, std::int32_t n, const StrainPlane& plane,
                                             const ParabolaRectangleLaw& law,
                                             ResultantParts parts = ResultantParts::ForceAndFirstMoments);

} // namespace flexara
