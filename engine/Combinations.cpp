#include "engine/Combinations.h"

#include "engine/Capacity.h"
#include "engine/Faults.h"

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <thread>

namespace flexara {

namespace {

// What one generation gives, collected without allocating: the buffers are
// reserved before it starts.
struct CollectingCurve : CurveSink {
    std::vector<Point> points;
    std::vector<CurveWarning> warnings;
    std::optional<ReferenceForces> references;

    CollectingCurve()
    {
        points.reserve(MaxCurvePointCount + 2);
        warnings.reserve(4);
    }
    void Reset()
    {
        points.clear();
        warnings.clear();
        references.reset();
    }
    void ClearCurve() override { points.clear(); }
    void AddCurvePoint(double mx, double my) override { points.push_back(Point{mx, my}); }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning warning) override { warnings.push_back(warning); }
    void FirstReferences(const ReferenceForces& r) override { references = r; }
};

// The curve of one distinct Nd.
struct CurveAtNd {
    double nd = 0.0;
    CurveOutcome outcome;
    std::vector<Point> points;
    std::vector<CurveWarning> warnings;
    std::optional<ReferenceForces> references;
    std::optional<Fault> fault;
    bool done = false;
};

void Generate(AnalysisState& state, const MaterialSelection& materials, CollectingCurve& sink, CurveAtNd& curve)
{
    sink.Reset();
    state.Nd = curve.nd;
    try {
        curve.outcome = GenerateCurve(state, materials, sink);
    } catch (const EngineError& error) {
        curve.fault = error.fault();
    }
    curve.points = sink.points;
    curve.warnings = sink.warnings;
    curve.references = sink.references;
    curve.done = true;
}

std::optional<double> Finite(long double value)
{
    if (!(std::fabs(value) <= std::numeric_limits<double>::max()))
        return std::nullopt;
    return static_cast<double>(value);
}

CombinationResult ReadOff(const CurveAtNd& curve, const LoadCombination& row)
{
    CombinationResult result;
    if (curve.references) {
        // The axial capacity on the side of Nd: N4 in compression, N1 in tension.
        const ReferenceForces& r = *curve.references;
        if (row.Nd == 0.0)
            result.axialUtilisation = 0.0;
        else if (row.Nd < 0.0 && r.N4 < 0.0)
            result.axialUtilisation = Finite(static_cast<long double>(row.Nd) / r.N4);
        else if (row.Nd > 0.0 && r.N1 > 0.0)
            result.axialUtilisation = Finite(static_cast<long double>(row.Nd) / r.N1);
    }
    if (curve.fault) {
        result.status = CombinationStatus::Error;
        result.fault = curve.fault;
        return result;
    }
    if (curve.outcome.refused) {
        result.status = CombinationStatus::Refused;
        result.warnings = curve.warnings;
        return result;
    }
    if (curve.outcome.outOfRange) {
        result.status = CombinationStatus::OutOfRange;
        return result;
    }
    const RayCapacity capacity = CapacityAlongRay(curve.points, Point{row.Mxd, row.Myd});
    result.inside = capacity.inside;
    result.resisting = capacity.resisting;
    result.resistingMoment = capacity.resistingMoment;
    result.utilisation = capacity.utilisation;
    result.status = capacity.holds ? CombinationStatus::Holds : CombinationStatus::Fails;
    return result;
}

} // namespace

int GoverningRow(const std::vector<CombinationResult>& rows)
{
    int governing = -1;
    bool governingHolds = true;
    double governingEta = -1.0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CombinationResult& row = rows[i];
        const bool holds = row.status == CombinationStatus::Holds;
        // A row without η and not holding has no capacity to speak of: it
        // ranks above any η.
        const double eta = row.utilisation ? *row.utilisation : std::numeric_limits<double>::infinity();
        const bool better =
            governing < 0 || (governingHolds && !holds) || (governingHolds == holds && eta > governingEta);
        if (better) {
            governing = static_cast<int>(i);
            governingHolds = holds;
            governingEta = eta;
        }
    }
    return governing;
}

int WorkerThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, int threads, CheckProgress* progress)
{
    CombinationCheck check;
    // Rows with the same Nd share one generation; -0 and 0 are one Nd.
    std::map<double, int> indexOfNd;
    std::vector<CurveAtNd> curves;
    std::vector<int> curveOfRow;
    curveOfRow.reserve(combinations.size());
    for (const LoadCombination& row : combinations) {
        const auto [at, added] = indexOfNd.emplace(row.Nd, static_cast<int>(curves.size()));
        if (added) {
            curves.emplace_back();
            curves.back().nd = row.Nd;
        }
        curveOfRow.push_back(at->second);
    }
    if (progress) {
        progress->generationsDone = 0;
        progress->generationsTotal = static_cast<int>(curves.size());
    }

    // Each worker takes the next Nd not yet taken, on its own copy of the state.
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        auto local = std::make_unique<AnalysisState>(state);
        CollectingCurve sink;
        for (;;) {
            if (progress && progress->cancel)
                return;
            const std::size_t i = next.fetch_add(1);
            if (i >= curves.size())
                return;
            Generate(*local, materials, sink, curves[i]);
            if (progress)
                ++progress->generationsDone;
        }
    };
    const int workers = std::max(1, std::min(threads, static_cast<int>(curves.size())));
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(workers - 1));
    for (int t = 1; t < workers; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& worker : pool)
        worker.join();

    for (const CurveAtNd& curve : curves) {
        if (!curve.done)
            check.cancelled = true;
        else
            ++check.generations;
    }
    if (check.cancelled)
        return check;
    check.rows.reserve(combinations.size());
    for (std::size_t r = 0; r < combinations.size(); ++r)
        check.rows.push_back(ReadOff(curves[static_cast<std::size_t>(curveOfRow[r])], combinations[r]));
    check.governing = GoverningRow(check.rows);
    if (check.governing >= 0)
        check.rows[static_cast<std::size_t>(check.governing)].governing = true;
    return check;
}

} // namespace flexara
