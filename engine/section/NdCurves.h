// The interaction curves of many Nd generated on the worker pool, each worker
// on its own copy of the state, and what one generation gives as a sweep
// keeps it: the points, the angle step of each, the warnings, the references
// and the fault.
#pragma once

#include "engine/Faults.h"
#include "engine/Workers.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/section/Curve.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace flexara {

// The interaction curve at one Nd, as a sweep keeps it.
struct NdCurve {
    double nd = 0.0;
    CurveOutcome outcome;
    std::vector<Point> points; // kN·m, in the order generated, closing copy included
    // The angle step (0, 1, ...) of the neutral axis each point belongs to;
    // the closing copy is of step 0 again. An angle where no state was found
    // is missing here.
    std::vector<std::int32_t> angles;
    std::vector<CurveWarning> warnings;
    std::optional<ReferenceForces> references; // at theta = 0
    std::optional<Fault> fault;                // the fault that ended the generation
    bool done = false;
};

// Generates the curve at every Nd of nds on the workers, each worker on its
// own copy of state; curves[i] belongs to nds[i]. The caller's state is not
// touched.
std::vector<NdCurve> GenerateCurves(const AnalysisState& state, const MaterialSelection& materials,
                                    std::span<const double> nds, int threads, WorkProgress* progress = nullptr);

// What one generation gives, collected without allocating inside it: the
// buffers are reserved before it starts. For a worker's own generations.
class NdCurveSink : public CurveSink {
public:
    NdCurveSink();
    // Generates the curve at nd on the state (its Nd is set to nd) into curve.
    void Generate(AnalysisState& state, const MaterialSelection& materials, double nd, NdCurve& curve);

    void ClearCurve() override { points.clear(); }
    void AddCurvePoint(double mx, double my) override
    {
        points.push_back(Point{mx, my});
        angles.push_back(angle);
    }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning warning) override { warnings.push_back(warning); }
    void FirstReferences(const ReferenceForces& r) override { references = r; }
    // Every angle reports its references before its point.
    void AngleReferences(double, const ReferenceForces&) override { ++angle; }

private:
    std::vector<Point> points;
    std::vector<std::int32_t> angles;
    std::int32_t angle = -1;
    std::vector<CurveWarning> warnings;
    std::optional<ReferenceForces> references;
};

} // namespace flexara
