#include "engine/Workers.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace flexara {

int WorkerThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

bool RunOnWorkers(int count, int threads, const std::function<void(int worker, int index)>& task,
                  WorkProgress* progress)
{
    if (progress) {
        progress->done = 0;
        progress->total = count;
    }
    std::atomic<int> next{0};
    std::atomic<int> completed{0};
    std::atomic<bool> stopped{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&](int worker) {
        try {
            for (;;) {
                if ((progress && progress->cancel) || stopped)
                    return;
                const int i = next.fetch_add(1);
                if (i >= count)
                    return;
                task(worker, i);
                ++completed;
                if (progress)
                    ++progress->done;
            }
        } catch (...) {
            // A failure the task did not keep as its result ends the sweep
            // and reaches the caller's thread.
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            stopped = true;
        }
    };
    const int workers = std::max(1, std::min(threads, count));
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(workers - 1));
    for (int t = 1; t < workers; ++t)
        pool.emplace_back(work, t);
    work(0);
    for (std::thread& worker : pool)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return completed.load() == count;
}

NdCurveSink::NdCurveSink()
{
    points.reserve(MaxCurvePointCount + 2);
    angles.reserve(MaxCurvePointCount + 2);
    warnings.reserve(4);
}

void NdCurveSink::Generate(AnalysisState& state, const MaterialSelection& materials, double nd, NdCurve& curve)
{
    points.clear();
    angles.clear();
    angle = -1;
    warnings.clear();
    references.reset();
    state.Nd = nd;
    curve.nd = nd;
    try {
        curve.outcome = GenerateCurve(state, materials, *this);
    } catch (const EngineError& error) {
        curve.fault = error.fault();
    }
    // The copy of the first point that closes the curve comes after the last
    // angle: it is there when the curve was closed (the design point follows
    // it) and the first angle had a point.
    if (curve.outcome.designPointAdded && angles.size() >= 2 && angles.front() == 0)
        angles.back() = 0;
    curve.points = points;
    curve.angles = angles;
    curve.warnings = warnings;
    curve.references = references;
    curve.done = true;
}

std::vector<NdCurve> GenerateCurves(const AnalysisState& state, const MaterialSelection& materials,
                                    std::span<const double> nds, int threads, WorkProgress* progress)
{
    std::vector<NdCurve> curves(nds.size());
    const int workers = std::max(1, std::min(threads, static_cast<int>(nds.size())));
    // Each worker on its own copy of the state, made before the sweep.
    std::vector<std::unique_ptr<AnalysisState>> copies;
    std::vector<NdCurveSink> sinks(static_cast<std::size_t>(workers));
    for (int w = 0; w < workers; ++w)
        copies.push_back(std::make_unique<AnalysisState>(state));
    RunOnWorkers(
        static_cast<int>(nds.size()), workers,
        [&](int worker, int i) {
            sinks[static_cast<std::size_t>(worker)].Generate(*copies[static_cast<std::size_t>(worker)], materials,
                                                             nds[static_cast<std::size_t>(i)],
                                                             curves[static_cast<std::size_t>(i)]);
        },
        progress);
    return curves;
}

} // namespace flexara
