#include "engine/Combinations.h"

#include "engine/Capacity.h"
#include "engine/Faults.h"

#include <cmath>
#include <limits>
#include <map>
#include <memory>

namespace flexara {

namespace {

std::optional<double> Finite(long double value)
{
    if (!(std::fabs(value) <= std::numeric_limits<double>::max()))
        return std::nullopt;
    return static_cast<double>(value);
}

} // namespace

CombinationResult ReadOffCurve(const NdCurve& curve, const LoadCombination& row)
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

CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, int threads, WorkProgress* progress)
{
    CombinationCheck check;
    // Rows with the same Nd share one generation; -0 and 0 are one Nd.
    std::map<double, int> indexOfNd;
    std::vector<double> nds;
    std::vector<int> curveOfRow;
    curveOfRow.reserve(combinations.size());
    for (const LoadCombination& row : combinations) {
        const auto [at, added] = indexOfNd.emplace(row.Nd, static_cast<int>(nds.size()));
        if (added)
            nds.push_back(row.Nd);
        curveOfRow.push_back(at->second);
    }
    const std::vector<NdCurve> curves = GenerateCurves(state, materials, nds, threads, progress);
    for (const NdCurve& curve : curves) {
        if (!curve.done)
            check.cancelled = true;
        else
            ++check.generations;
    }
    if (check.cancelled)
        return check;
    check.rows.reserve(combinations.size());
    for (std::size_t r = 0; r < combinations.size(); ++r)
        check.rows.push_back(ReadOffCurve(curves[static_cast<std::size_t>(curveOfRow[r])], combinations[r]));
    check.governing = GoverningRow(check.rows);
    if (check.governing >= 0)
        check.rows[static_cast<std::size_t>(check.governing)].governing = true;
    return check;
}

} // namespace flexara
