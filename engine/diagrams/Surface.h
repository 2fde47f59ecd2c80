// The capacity of the section over its whole range of axial force.
//
// The surface: the interaction curves at levels of Nd evenly spaced strictly
// between the uniform shortening N4 and the pure tension N1 (both the same at
// every angle of the neutral axis), closed at either end by the point of the
// uniform state itself: the squash point at N4 and the pure-tension point at
// N1, whose moments about the centroid are those of the steel alone (the
// concrete of the squash state acts at the centroid), and so not zero for
// unsymmetrical steel.
//
// The N–M diagram of a direction φ of the moment, read off the surface: at
// every level the resisting moment along the ray of angle φ and along the ray
// of angle φ + π, by the ray arithmetic of the load combinations, closed by
// the two ends.
//
// Forces in kN (tension positive), moments in kN·m, angles in radians.
#pragma once

#include "engine/Faults.h"
#include "engine/Workers.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Combinations.h"
#include "engine/section/Curve.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace flexara {

constexpr int DefaultSurfaceLevels = 41;
// Levels a surface has at most; more are refused.
constexpr int MaxSurfaceLevels = 400;

enum class SurfaceStatus {
    Ok,
    Refused,   // a warning of the generation (no area, bars outside, outline)
    Error,     // a fault ended a generation
    Cancelled, // stopped before every level was done
};

// An end of the surface: a uniform state and its moments about the centroid.
struct SurfaceEnd {
    double nd = 0.0;
    Point moment;
};

struct SurfaceLevel {
    double nd = 0.0;
    // The curve as generated at this Nd, closing copy included: the ray
    // readings are taken on it, as the load combinations take theirs.
    std::vector<Point> curve;
    // One point per angle step of the neutral axis over one turn: the mesh's
    // ring, whose points of the same step on every level make a meridian.
    std::vector<Point> ring;
    // 1 where the generation found the state of that step; 0 where it found
    // none and the ring's point lies on the chord between the points found
    // either side of it, where the curve itself runs.
    std::vector<std::uint8_t> found;
};

struct Surface {
    SurfaceStatus status = SurfaceStatus::Ok;
    std::vector<CurveWarning> warnings; // of a refusal
    std::optional<Fault> fault;         // of an error
    SurfaceEnd squash;                  // Nd = N4: uniform shortening of 2 per mil
    SurfaceEnd tension;                 // Nd = N1: every bar at 10 per mil
    // Rising in Nd, from the squash end towards the tension end. A level whose
    // generation found no state at any angle is left out.
    std::vector<SurfaceLevel> levels;
    int anglesPerTurn = 0;  // the points of every ring
    int pointsOnChords = 0; // ring points not found by their generation
};

// The surface with `levels` levels (1..MaxSurfaceLevels, else EngineError),
// generated on `threads` workers, each on its own copy of the state; the
// caller's state is not touched, and the result is the same, bit for bit,
// on any number of threads.
Surface GenerateSurface(const AnalysisState& state, const MaterialSelection& materials, int levels, int threads,
                        WorkProgress* progress = nullptr);

// The surface and the check of the load combinations, in one sweep of the
// workers (the levels and every distinct Nd of the rows); with a column the
// rows are checked as a column, their situations on the curve of their Nd.
struct DiagramStudy {
    Surface surface;
    CombinationCheck check; // cancelled with the surface
};
DiagramStudy StudyDiagrams(const AnalysisState& state, const MaterialSelection& materials,
                           const CombinationList& combinations, int levels, int threads,
                           WorkProgress* progress = nullptr);
DiagramStudy StudyDiagrams(const AnalysisState& state, const MaterialSelection& materials,
                           const CombinationList& combinations, const std::optional<Column>& column, int levels,
                           int threads, WorkProgress* progress = nullptr);

// The ring of one level from the points of its curve and the angle step of
// each: the point of every step 0..anglesPerTurn-1, the points of the steps
// not found on the chord between the nearest found either side (around the
// turn). Points of a step beyond the turn (the repeat of step 0 at 2π, the
// closing copy) are not ring points. False when no step has a point.
bool RingOfCurve(std::span<const Point> points, std::span<const std::int32_t> angles, int anglesPerTurn,
                 std::vector<Point>& ring, std::vector<std::uint8_t>& found);

// ---- The N–M diagram of a direction ----

// A point of an N–M diagram: the moment m along the direction (negative
// along the opposite one) and Nd.
struct NmPoint {
    double m = 0.0;
    double nd = 0.0;
};

// The direction of a load's moment, atan2(Myd, Mxd); the x direction for a
// load without moment.
double MomentDirection(double mxd, double myd);
// The direction of the moments row r of the check is judged at (its
// governing situation's, checked as a column); the x direction for r < 0 or
// a row without a result.
double MomentDirection(const CombinationList& rows, const CombinationCheck& check, int r);

struct NmLevel {
    double nd = 0.0;
    // The resisting moment along the direction (≥ 0) and along the opposite
    // one (≤ 0); empty where the origin lies outside the level's curve, so
    // that the ray reads no capacity.
    std::optional<double> along;
    std::optional<double> opposite;
};

struct NmDiagram {
    double angle = 0.0;
    std::vector<NmLevel> levels; // those of the surface
    // The closed outline: the squash end, rising in Nd along the direction to
    // the tension end, falling along the opposite direction back to the
    // squash end, which is repeated to close it. A level without a reading
    // on a side is passed over on that side. At the ends m is the component
    // of the uniform state's moment along the direction.
    std::vector<NmPoint> outline;
};

NmDiagram DiagramAlong(const Surface& surface, double angle);

// A load combination as the N–M diagram of `angle` and the surface show it:
// at the moments it is judged at (its governing situation's, checked as a
// column; else its own) and its Nd; on the diagram at (|Md|, Nd), |Md|
// negative when the load points to the opposite side (its moment makes more
// than a right angle with the direction); the verdict of its check.
struct DiagramLoad {
    double nd = 0.0;
    double mxd = 0.0;
    double myd = 0.0;
    NmPoint onDiagram;
    bool holds = false; // the row's verdict
};
// rows[i] and check.rows[i] belong together; a row without a result counts as
// not holding, and stands at its own moments.
std::vector<DiagramLoad> LoadsOnDiagram(const CombinationList& rows, const CombinationCheck& check, double angle);

} // namespace flexara
