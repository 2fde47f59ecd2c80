// The interaction curve at one Nd read along rays from the few points around
// each ray. The moment of a curve point turns with the neutral axis, so a
// search over the angle finds the two consecutive angles whose points bracket
// the ray: their edge is the one the ray crosses. Each point is computed on
// its own, as the whole curve computes it (CurveAngles), and the reading is
// the whole curve's, bit for bit, wherever the curve turns steadily once
// about the origin and keeps its distance from it.
//
// No angle is computed but those the readings ask for: a fault at another
// would end the whole curve, and the case is read off the whole curve
// wherever its steel law or its sizes leave room for one.
//
// What the reading computes is checked against that: every point on the side
// its neutral axis compresses, the points turning one way, the ray's own
// neighbours too, a crossing of the opposite ray as the origin's witness, the
// ray clear of the vertices and the design point clear of the curve. Where a
// check fails, or the whole curve would say something else than a reading
// (a refusal, a fault, Nd out of range, an angle without a point), the reading
// says why and the caller reads the whole curve instead.
//
// Moments in kN·m, angles in radians.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/section/Capacity.h"
#include "engine/section/Curve.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace flexara {

// Why a reading needs the whole curve.
enum class WholeCurveNeed : std::uint8_t {
    None,
    Refused,         // the generation refuses the case: its warnings
    MayFault,        // a fault at an angle, or a steel law or sizes under which one could arise
    AngleCount,      // too few angles for a bracket to save anything, or more than it keeps
    OutOfRange,      // Nd beyond N1 or N4: the notice
    NearAxialLimit,  // Nd near N1 or N4, where the curve shrinks about a point off the origin
    NoPoint,         // an angle the reading needs has no point
    TurnsBack,       // a point off its compressed side, or points that do not turn one way
    OriginUncertain, // the opposite ray finds no crossing, or the curve comes near the origin
    NearVertex,      // the ray slips past a vertex, or a cluster of vertices lies along it
    AlongEdge,       // the ray runs nearly along the edge it crosses
    OnCurve,         // the design point lies within a hair of the curve
};

// Angles a turn has at most.
constexpr int MaxTurnAngles = MaxCurvePointCount + 2;

class PartialCurve {
public:
    // The case of state, prepared once for every Nd read on it: the
    // generation's preparation, the angles of the turn, and whether a
    // reading can stand for the whole curve on it at all. The state is the
    // reading's working copy: the generation writes its derived fields.
    void Prepare(AnalysisState& state, const MaterialSelection& materials);
    // A new Nd: its points are computed as the readings ask for them.
    void SetNd(double nd);
    // The reading along the ray from the origin through design at the Nd
    // set, as CapacityAlongRay gives it off the whole curve; none, with the
    // reason, where the whole curve is needed.
    std::optional<RayCapacity> Capacity(Point design, WholeCurveNeed& need);
    // The references at theta = 0, as the whole curve reports them; none
    // where the case needs the whole curve whatever the Nd.
    std::optional<ReferenceForces> FirstReferences() const;
    // The angles whose points were computed at the present Nd.
    int AnglesComputed() const { return computedCount; }

private:
    // What an angle gives whatever the Nd, computed once for the case: the
    // references, and u of the state of N3, a guide to where the points of
    // every curve lie at that angle.
    struct AngleData {
        bool known = false;
        ReferenceForces references;
        long double guide = 0.0L;
    };
    // An angle's point at the present Nd and where it lies about the origin:
    // u, the clockwise angle of the point from the +Mx axis, counted on from
    // the neutral axis' angle (u = theta for a point straight along the
    // direction the axis compresses).
    struct Probe {
        bool computed = false;
        WholeCurveNeed need = WholeCurveNeed::None;
        Point point;
        long double u = 0.0L;
    };
    // Extended indices: angleCount is angle 0 a turn on (the closing copy),
    // -1 the last angle a turn before, and so on.
    bool Data(int index);
    WholeCurveNeed At(int index, Point& point, long double& u);
    long double Model(int index) const;
    long double Estimate(int lo, int hi, long double tau);
    WholeCurveNeed Bracket(long double clockwise, int& low, long double& target);
    WholeCurveNeed TurnsOneWay(std::span<const long double> rays) const;
    WholeCurveNeed Crossing(const Ray& ray, long double clockwise, bool designRay, long double& t);

    CurveAngles angles;
    WholeCurveNeed caseNeed = WholeCurveNeed::MayFault;
    WholeCurveNeed ndNeed = WholeCurveNeed::MayFault;
    int angleCount = 0;
    bool centred = false; // the bars' centroid is the outline's
    double nd = 0.0;
    std::array<TurnAngle, MaxTurnAngles> turn{};
    std::array<AngleData, MaxTurnAngles> data{};
    std::array<Probe, MaxTurnAngles> probes{};
    // The angles computed at the present Nd, in their order.
    std::array<int, MaxTurnAngles> computed{};
    int computedCount = 0;
};

} // namespace flexara
