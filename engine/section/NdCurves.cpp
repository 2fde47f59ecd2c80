#include "engine/section/NdCurves.h"

#include <algorithm>
#include <memory>

namespace flexara {

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
