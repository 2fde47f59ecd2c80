// The worker pool of everything that sweeps many curve generations (load
// combinations, the design search, the N–M diagrams and the surface): tasks
// numbered 0..count-1, each worker taking the next task not yet taken. Every
// task writes only its own result slot and works on its worker's own copy of
// the state, so the results are the same, bit for bit, on any number of
// threads.
#pragma once

#include "engine/Curve.h"
#include "engine/Faults.h"
#include "engine/Materials.h"
#include "engine/UVariav.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace flexara {

// Progress of a sweep running on other threads: the window reads it, and may
// ask the sweep to stop (tasks not yet started are then not run).
struct WorkProgress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancel{false};
};

// The workers to use: one per core.
int WorkerThreads();

// Runs task(worker, index) for every index in 0..count-1 on min(threads,
// count) workers (at least one: the calling thread works too). worker is
// 0..workers-1, for per-worker scratch. Returns false when the sweep was
// cancelled before every task ran. An exception a task lets out ends the sweep
// and is thrown again on the calling thread.
bool RunOnWorkers(int count, int threads, const std::function<void(int worker, int index)>& task,
                  WorkProgress* progress = nullptr);

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
