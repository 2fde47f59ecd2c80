// The M–N–1/r relation of a section (NBR 6118:2014, 15.3.1, figure 15.1): at
// a design axial force Nd and for one direction of bending, each curvature
// 1/r (1/m) gives the centroid strain ε0 for which the section's axial force
// is Nd and the moment about the bending's axis, kN·m. The neutral axis is
// parallel to that axis; the compressed side is the positive one (the side a
// positive moment compresses: +y for Mxd, +x for Myd) or the negative one.
//
// Laws of the deformation curve ("curva cheia"): the concrete's
// parabola-rectangle with the peak stress 1,10·fcd (the n, εc2, εcu of the
// case's code model, or of fck ≤ 50 MPa in the classic model), no tension;
// the steel bilinear, Es, ±fyd, to 10 per mil. The curve ends where the most
// compressed fibre reaches -εcu or the extreme bar 10 per mil. The concrete
// is integrated exactly, slab by slab (engine/section/ParabolaRectangle.h).
//
// Strains per mil, shortening negative; the strain at y' (cm, along the
// compressed side from the centroid) is ε0 - 10·(1/r)·y'.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/section/CalculationModel.h"
#include "engine/section/NdCurves.h"
#include "engine/section/ParabolaRectangle.h"
#include "engine/section/Uproced.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace flexara {

// The peak of the deformation curve as a factor of fcd, and γf3, which point
// B of the curve divides MRd by.
constexpr double DeformationPeakFactor = 1.10;
constexpr double GammaF3 = 1.1;

struct SectionBar {
    Point at;              // about the outline's centroid, cm
    double area = 0.0;     // cm²
    double diameter = 0.0; // mm
};

// The section the relation integrates: the outline and the bars about the
// outline's centroid, and the laws.
struct DeformationSection {
    std::vector<Point> outline; // counter-clockwise
    double area = 0.0;          // of the outline, cm²
    std::vector<SectionBar> bars;
    ParabolaRectangleLaw concrete; // the peak 1,10·fcd, εc2, n
    double epsCu = 3.5;            // per mil, a shortening
    SteelLaw steel;                // bilinear
};

// The section of the state as the material update of a generation leaves it
// (Fcd, Fyd, Es current), in the case's model.
DeformationSection DeformationSectionOf(const AnalysisState& s, const ModelParameters& model);

// The side a curvature compresses: the positive side is the one a positive
// moment of the direction compresses.
enum class CurvatureSide : std::uint8_t { Positive = 0, Negative = 1 };
constexpr int CurvatureSideCount = 2;

// Where the curve of a side ends.
enum class CurveEnd : std::uint8_t {
    ConcreteCrushing, // the most compressed fibre at -εcu
    SteelElongation,  // the extreme bar at 10 per mil
    Both,             // both at once: no curvature beyond
    NoState,          // no strain state of the section has the axial force Nd
};

// The direction of a bending as a unit vector in the plane (Mx, My): Mxd
// (1, 0), Myd (0, 1).
struct BendingDirection {
    long double mx = 1.0L;
    long double my = 0.0L;
};

struct CurvaturePoint {
    double curvature = 0.0; // 1/r, 1/m (≥ 0)
    double eps0 = 0.0;      // at the outline's centroid, per mil
    double moment = 0.0;    // about the bending's axis, positive towards its side, kN·m
    // The whole moment in the program's convention, kN·m: an unsymmetric
    // outline's moment about the other axis is here and not counted.
    double mx = 0.0;
    double my = 0.0;
    double topStrain = 0.0; // the most compressed fibre, per mil
    double barStrain = 0.0; // the extreme bar on the other side, per mil
};

// The relation at one Nd (kN) and one direction, both sides. Building it
// finds where each side's curve ends; every point after that is a search of
// ε0 at its curvature. Holds no reference to the section.
class MomentCurvature {
public:
    MomentCurvature(const DeformationSection& section, double nd, BendingDirection direction);
    ~MomentCurvature();
    MomentCurvature(MomentCurvature&&) noexcept;
    MomentCurvature& operator=(MomentCurvature&&) noexcept;

    double Nd() const { return nd; }
    CurveEnd End(CurvatureSide side) const;
    // The curvature where the side's curve ends (0 for NoState), 1/m.
    double EndCurvature(CurvatureSide side) const;
    // The point at a curvature from 0 to the end; empty beyond the end.
    std::optional<CurvaturePoint> At(CurvatureSide side, double curvature) const;
    // count ≥ 2 points at equal steps of curvature from 0 to the end; empty
    // for NoState.
    std::vector<CurvaturePoint> Curve(CurvatureSide side, int count) const;
    // The first point where the moment reaches `moment` (kN·m, on the side):
    // the curve sampled at equal steps to its end, then a search of the
    // curvature inside the first step that reaches it. Empty where the curve
    // ends below it.
    std::optional<CurvaturePoint> Reaching(CurvatureSide side, double moment) const;

private:
    struct Frame;
    std::optional<CurvaturePoint> Solve(const Frame& frame, long double curvature) const;

    double nd = 0.0;
    std::array<std::unique_ptr<Frame>, CurvatureSideCount> frames;
};

// Point B of a side for the resisting moment MRd (kN·m) of the interaction
// curve along the side: where the deformation curve first reaches MRd/γf3,
// and the secant stiffness of the straight line AB from the origin,
// (EI)sec = (MRd/γf3)/(1/r)_B, kN·m² (0 without B: the curve ends below
// MRd/γf3, or is there already without curvature).
struct SecantStiffness {
    double mrd = 0.0;
    double target = 0.0; // MRd/γf3
    std::optional<CurvaturePoint> pointB;
    double eiSec = 0.0;
};
SecantStiffness SecantOf(const MomentCurvature& relation, CurvatureSide side, double mrd);

// The relation of a case at one Nd and direction as the batch tool and the
// diagrams show it: the interaction curve of Nd in the case's model, both
// sides' deformation curves of `points` points, and each side's B where the
// interaction curve has an MRd along it.
struct DeformationStudy {
    NdCurve interaction;
    std::array<std::vector<CurvaturePoint>, CurvatureSideCount> curves;
    std::array<CurveEnd, CurvatureSideCount> end{};
    std::array<std::optional<SecantStiffness>, CurvatureSideCount> secant;
};
DeformationStudy StudyDeformation(const AnalysisState& state, const MaterialSelection& materials, double nd,
                                  BendingDirection direction, int points);

} // namespace flexara
