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

// An outline prepared for the force alone under many strain planes in one
// frame (a search tries many planes at one direction of the neutral axis).
// The stress depends on y alone, so the force is ∫σ(y)·w(y) dy, with w the
// width of the outline: between two vertex levels w is linear in y (by
// Green's theorem the sum of ±x of the edges crossing the slab). Kept here:
// the levels in order, w at both ends of every slab and, below every level,
// the area and its first and second moments about the middle of the levels.
// A plane then costs the slabs where the stress follows the parabola, or a
// few sums of those moments where that zone is deep; the plateau costs one
// sum and the part in tension nothing. Fixed arrays: it allocates nothing.
class ParabolaOutline {
public:
    // v[0..n-1] as for IntegrateParabolaRectangle.
    void Prepare(const Point* v, std::int32_t n);
    // The compressive force of the law under the plane, kN: that of
    // IntegrateParabolaRectangle with ResultantParts::Force.
    long double Force(const StrainPlane& plane, const ParabolaRectangleLaw& law) const;

private:
    std::int32_t levelCount = 0;
    long double origin = 0.0L; // the middle of the levels
    long double level[MaxVertices]{};
    // w just above level k and just below level k + 1: slab k.
    long double widthLow[MaxVertices]{};
    long double widthHigh[MaxVertices]{};
    // Below level k: ∫w dy, ∫(y - origin)·w dy, ∫(y - origin)²·w dy; above
    // level k: ∫w dy, summed from the top so that a thin plateau there is not
    // a difference of the whole area.
    long double below0[MaxVertices]{};
    long double below1[MaxVertices]{};
    long double below2[MaxVertices]{};
    long double above0[MaxVertices]{};
};

} // namespace flexara
