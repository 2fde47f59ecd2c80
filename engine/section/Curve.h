// The interaction curve: for the design axial force Nd and each direction of the
// neutral axis, at equal angle steps over a full turn, the ultimate strain state
// whose resultant equals Nd gives one point (Mx, My) in kN·m.
//
// The generation reads the whole analysis state, writes its derived fields and
// reports what the chart is to show through a CurveSink, in the order the chart
// shows it. It allocates nothing inside the angle loop.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace flexara {

// The refusals of a generation, shown in the warning dialog (their words are
// in texts/Words.h).
enum class CurveWarning {
    ZeroArea,       // no concrete or no steel
    BarsOutside,    // a bar on or outside the outline
    InvalidOutline, // a free polygon entered clockwise or with crossing edges
};

// Axial forces of reference of one direction, kN.
// (In the code models -εcu stands for -3.5 and εc2 for 2.)
struct ReferenceForces {
    double N1 = 0.0; // pure tension: every bar at 10 per mil
    double N2 = 0.0; // top fibre at -3.5, extreme bar at 10 per mil
    double N3 = 0.0; // top fibre at -3.5, neutral axis through the bottom vertex
    double N4 = 0.0; // uniform shortening of 2 per mil
};

// What the chart receives from one generation.
class CurveSink {
public:
    virtual ~CurveSink() = default;
    // Empties the curve and the design point.
    virtual void ClearCurve() = 0;
    virtual void AddCurvePoint(double mx, double my) = 0;
    virtual void AddDesignPoint(double mx, double my) = 0;
    // Shows or hides the notice that Nd lies outside the section's range.
    virtual void SetOutOfRangeNotice(bool shown) = 0;
    // A refusal; the window shows it modally and the generation goes on after it.
    virtual void Warn(CurveWarning warning) = 0;
    // The axial forces of reference at theta = 0, as soon as they are known (a
    // fault later in the generation does not take them back).
    virtual void FirstReferences(const ReferenceForces&) {}
    // The axial forces of reference of every angle computed, in order.
    virtual void AngleReferences(double /*theta*/, const ReferenceForces&) {}
};

struct CurveOutcome {
    bool refused = false;                // a warning stopped the generation
    bool outOfRange = false;             // the notice is shown
    bool referencesKnown = false;        // at least the first angle was computed
    ReferenceForces firstAngle;          // the references at theta = 0
    std::int32_t curvePoints = 0;        // points added to the curve, closing copy included
    std::int32_t anglesWithoutPoint = 0; // in range but no state found
    // Points found by the searches A (steel at 10 per mil), B (top fibre at
    // its limit) and C (whole section shortened, about the pivot C).
    std::array<std::int32_t, 3> pointsBySearch{};
    bool designPointAdded = false;
};

// Step budget of one bisection; a search that neither converges nor collapses
// onto a jump of N within it gives its angle no point.
constexpr int SearchStepBudget = 200;
// Convergence of the searches on Nd, kN.
constexpr double AxialTolerance = 0.01;

// Runs one generation: the material update from the selectors, the bar layout,
// the refusals, the angle loop and the closing of the curve. Throws EngineError
// on a floating-point fault (the sink keeps what it was given), and before any
// angle is computed for a negative number of curve points, for a steel
// selector with no class selected and, in a code model, for a concrete outside
// C20..C90.
CurveOutcome GenerateCurve(AnalysisState& s, const MaterialSelection& materials, CurveSink& sink);

// Lays out the bars of every line from its end points into Bars.
void LayOutBars(AnalysisState& s);

// The angles of the neutral axis over the turn: from 0 in steps of
// 2π/count, each step added in extended precision and the angle stored as a
// double, while the angle is within 2π (101 angles for the default 100).
bool AngleInTurn(double theta);
double NextAngle(double theta, std::int32_t count);

// An angle of the turn with its cosine and sine, in extended precision.
struct TurnAngle {
    double theta = 0.0;
    long double cos = 1.0L;
    long double sin = 0.0L;
};
TurnAngle TurnAngleOf(double theta);

class CurveGeneration;
class SilentCurveSink;

// A generation taken angle by angle: the preparation of GenerateCurve once,
// then any angle of the turn on its own. Nothing one angle computes is read
// at another, so an angle's references and point are those the whole curve
// gives at that angle, bit for bit. The state is the generation's: its
// derived fields are the working values of the angle last computed.
class CurveAngles {
public:
    CurveAngles();
    ~CurveAngles();
    CurveAngles(const CurveAngles&) = delete;
    CurveAngles& operator=(const CurveAngles&) = delete;

    // GenerateCurve's preparation of the case: false when it refuses the
    // case (no angle is computed then). Throws EngineError where
    // GenerateCurve throws before its first angle.
    bool Prepare(AnalysisState& state, const MaterialSelection& materials);
    // The axial forces of reference at the angle, which do not depend on Nd,
    // and, when asked, the point of the state of N3 (the top fibre at its
    // limit, the neutral axis through the bottom vertex): it turns with the
    // axis as the points of every curve do. Throws EngineError on a fault.
    ReferenceForces References(const TurnAngle& angle, Point* bottomAxisPoint = nullptr);
    // The curve point at the angle for nd, where a search finds one, from the
    // references of that angle; throws EngineError on a fault.
    std::optional<Point> PointAt(const TurnAngle& angle, const ReferenceForces& references, double nd);

private:
    AnalysisState* state = nullptr;
    std::unique_ptr<SilentCurveSink> sink;
    std::unique_ptr<CurveGeneration> generation;
};

} // namespace flexara
