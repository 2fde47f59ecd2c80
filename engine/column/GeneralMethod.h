// The general method of local second order (NBR 6118:2014, 15.8.3.2): the
// bar of one bending cut into n equal steps, z = k·L/n from the base, the
// curvature at each station taken from the section's M–N–1/r relation at the
// row's Nd for the station's own moment, the deflection integrated exactly
// for the curvature linear between stations, and the moments solved to the
// fixed point M(z) = M1(z) + |Nd|·(second-order displacement).
//
// The bars of the program's column:
//   - pinned at both ends (conditions 0 and 1, L = le): u(0) = u(L) = 0 and
//     u'' = −1/r, the second-order moment |Nd|·u(z);
//   - the cantilever (condition 2, L = le/2, fixed at the base):
//     u(0) = u'(0) = 0 and u'' = 1/r, the second-order moment |Nd|·(u(L) − u(z)).
// The curvature is signed as the moment (positive where the positive side is
// compressed), so a positive curvature gives a displacement that adds to a
// positive moment.
//
// The solution is Newton's method on the discrete system, first on a
// tabulated inverse of the relation, then on the relation itself. The row
// fails by instability where the moment of a station leaves the relation (it
// passes the greatest moment the side's curve reaches) and halving the step
// does not bring it back, or where the bar's tangent stiffness is lost: the
// Jacobian I − |Nd|·S·D (S the displacements of unit curvatures, all ≥ 0,
// D the slopes d(1/r)/dM, ≥ 0) stops being a nonsingular M-matrix, which an
// elimination without pivoting shows by a pivot ≤ 0 (the Perron root of
// |Nd|·S·D has reached 1: a disturbance of the shape no longer dies out).
//
// No Qt, no I/O. Lengths in cm, u in cm, forces in kN, moments in kN·m,
// curvature in 1/m, stiffness in kN·m².
#pragma once

#include "engine/column/Column.h"
#include "engine/section/MomentCurvature.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace flexara {

// Newton steps allowed before the bar is said to have no fixed point.
constexpr int MaxGeneralIterations = 100;

// The curvature at a signed moment on the rising branch of the relation, and
// its slope there.
struct RelationPoint {
    long double curvature = 0.0L; // signed, 1/m
    long double slope = 0.0L;     // d(1/r)/dM, 1/(kN·m²), ≥ 0
    long double moment = 0.0L;    // the moment read
};

// The M–1/r relation of one bending at one Nd, as the bar reads it.
class BendingRelation {
public:
    virtual ~BendingRelation() = default;
    // The curvature of the moment on the relation itself; empty where the
    // moment is beyond the greatest one of its side. `near`, a point read
    // before close to it, may start the search.
    virtual std::optional<RelationPoint> Exact(long double moment, const RelationPoint* near = nullptr) const = 0;
    // A cheaper reading for the first iterations (the exact one by default).
    virtual std::optional<RelationPoint> Approximate(long double moment) const { return Exact(moment); }
    // Whether the moment is on the relation at all.
    virtual bool Holds(long double moment) const { return Exact(moment).has_value(); }
};

// A straight relation 1/r = M/EI without end, for the elastic bar.
class LinearRelation final : public BendingRelation {
public:
    explicit LinearRelation(double stiffness) : ei(stiffness) {}
    std::optional<RelationPoint> Exact(long double moment, const RelationPoint* near = nullptr) const override;
    bool Holds(long double) const override { return true; }

private:
    long double ei;
};

// The section's deformation curve of one bending at Nd, both sides. The
// signed curve runs from the negative side's end through no curvature to the
// positive side's end; a moment is read on the positive side from the moment
// of no curvature up (0 with bars mirrored about the axis), on the negative
// side below it. Each side's rising branch ends at its greatest moment (the
// end of the curve, or the top of the curve where it falls before its end).
// `samples` points per side make the table the first iterations read.
class DeformationRelation final : public BendingRelation {
public:
    DeformationRelation(const MomentCurvature& relation, int samples = 48);
    std::optional<RelationPoint> Exact(long double moment, const RelationPoint* near = nullptr) const override;
    std::optional<RelationPoint> Approximate(long double moment) const override;
    bool Holds(long double moment) const override;
    // The greatest moment of a side, a magnitude on its side, kN·m.
    double GreatestMoment(CurvatureSide side) const;
    // The moment of no curvature, signed.
    double MomentWithoutCurvature() const { return static_cast<double>(zeroMoment); }

private:
    struct Side {
        bool valid = false;
        std::vector<long double> curvature, moment, slope; // the rising branch, dM/dκ by the table
    };
    std::optional<RelationPoint> Read(long double moment, bool exact, const RelationPoint* near) const;
    std::optional<RelationPoint> ReadSide(const Side& side, CurvatureSide which, long double target, bool exact,
                                          const RelationPoint* near) const;

    const MomentCurvature* curve;
    std::array<Side, CurvatureSideCount> sides;
    long double zeroMoment = 0.0L;
};

// The bar of one bending: its condition and length, Nd < 0 and the
// first-order moment at each station (signed).
struct GeneralBar {
    SupportCondition condition = SupportCondition::PinnedWithoutTransverseLoads;
    double le = 0.0; // buckling length, cm; the cantilever's bar is le/2 long
    double nd = 0.0;
    std::vector<double> m1; // steps + 1 stations from the base
};

// The bar's length for a buckling length: le, or le/2 for the cantilever.
double GeneralBarLength(SupportCondition condition, double le);

// The first-order moment of a bending at each of `steps` + 1 stations: the
// line from the base moment to the top moment (condition 1: MA, the larger
// end, all along, on the safe side), at least M1d,min in magnitude with the
// line's sign there (the top moment's sign, else MA's, else `sign`, where the
// line is exactly zero), and |Nd|·e_cc (creepMoment) added with that sign.
std::vector<double> FirstOrderStations(SupportCondition condition, double top, double base, double m1dMin,
                                       double creepMoment, int steps, double sign = 1.0);
// Whether the line of the end moments is zero all along (both signs are then
// solved).
bool FirstOrderLineIsZero(SupportCondition condition, double top, double base);

// The bar solved on the relation.
GeneralSolution SolveGeneralBar(const GeneralBar& bar, const BendingRelation& relation);

} // namespace flexara
