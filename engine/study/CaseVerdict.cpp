#include "engine/study/CaseVerdict.h"

#include "engine/case/BarLayout.h"

#include <algorithm>

namespace flexara {

namespace {

// The smallest diameter among the lines that have bars; 0 without bars.
double SmallestBarDiameter(const AnalysisState& state)
{
    double smallest = 0.0;
    const int lines = std::clamp(state.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = state.BarLines[static_cast<std::size_t>(k)];
        if (BarsInLine(line) > 0 && (smallest == 0.0 || line.Diameter < smallest))
            smallest = line.Diameter;
    }
    return smallest;
}

} // namespace

CaseVerdict JudgeCase(const AnalysisState& state, const MaterialSelection& materials, const CombinationList& rows,
                      const CombinationCheck& check, const std::optional<Column>& column,
                      const std::optional<Detailing>& detailing)
{
    CaseVerdict verdict;
    const bool complete = !check.cancelled && check.rows.size() == rows.size() && !rows.empty();
    verdict.combinationsHold = complete;
    bool compressed = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        compressed = compressed || rows[r].Nd < 0.0;
        if (r >= check.rows.size())
            continue;
        const CombinationResult& result = check.rows[r];
        verdict.combinationsHold = verdict.combinationsHold && result.status == CombinationStatus::Holds;
        if (result.status == CombinationStatus::Refused)
            verdict.refused.push_back(static_cast<int>(r));
        if (result.status == CombinationStatus::Error)
            verdict.faulted.push_back(static_cast<int>(r));
    }
    if (complete && check.governing >= 0 && static_cast<std::size_t>(check.governing) < rows.size()) {
        const auto g = static_cast<std::size_t>(check.governing);
        const CombinationResult& result = check.rows[g];
        verdict.governing = check.governing;
        verdict.governingName = rows[g].name;
        verdict.governingStatus = result.status;
        verdict.utilisation = result.utilisation;
        if (result.column && result.column->governingSituation >= 0)
            verdict.governingSituation =
                result.column->situations[static_cast<std::size_t>(result.column->governingSituation)].situation;
    }
    verdict.limits = SteelLimitsOf(state, materials, rows);
    verdict.holds = verdict.combinationsHold;
    if (column) {
        ColumnSteel& steel = verdict.steel.emplace();
        steel.smallestDiameter = SmallestBarDiameter(state);
        steel.belowMinimum = verdict.limits.steelArea < verdict.limits.minimum;
        steel.aboveMaximum = verdict.limits.steelArea > verdict.limits.maximum;
        // Without bars there is no diameter to speak of: the area says it.
        steel.belowColumnDiameter = steel.smallestDiameter > 0.0 && steel.smallestDiameter < ColumnMinimumDiameter;
        verdict.holds = verdict.holds && steel.Holds();
        if (!compressed)
            verdict.warnings.push_back(CaseWarning::NoCompressedRow);
    }
    if (detailing) {
        verdict.detailing = CheckDetailing(state, *detailing, verdict.limits, DetailingLeastDimension(state, column),
                                           materials.steelIndex);
        verdict.holds = verdict.holds && verdict.detailing->Holds();
    }
    return verdict;
}

CaseStanding StandingOf(const CaseVerdict& verdict)
{
    if (!verdict.faulted.empty())
        return CaseStanding::Faulted;
    return verdict.holds ? CaseStanding::Holds : CaseStanding::Fails;
}

} // namespace flexara
