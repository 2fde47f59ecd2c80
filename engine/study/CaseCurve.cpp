#include "engine/study/CaseCurve.h"

#include "engine/Faults.h"
#include "engine/section/Ratio.h"

namespace flexara {

CaseCurve GenerateCaseCurve(AnalysisState& state, const MaterialSelection& selection)
{
    CaseCurve curve;
    curve.nd = state.Nd;
    curve.model = state.Model;
    CollectingSink sink(curve);
    try {
        const CurveOutcome outcome = GenerateCurve(state, selection, sink);
        if (outcome.refused)
            curve.status = CurveStatus::Refused;
        else if (outcome.outOfRange)
            curve.status = CurveStatus::OutOfRange;
    } catch (const EngineError& error) {
        curve.status = CurveStatus::Error;
        curve.error = error.fault();
    }
    // The ratio label is refreshed at the end of every generation, also after a fault.
    try {
        curve.ratio = UpdateReinforcementRatio(state);
    } catch (const EngineError& error) {
        curve.status = CurveStatus::Error;
        if (!curve.error)
            curve.error = error.fault();
    }
    return curve;
}

CaseStudy StudyCase(const AnalysisState& state, const MaterialSelection& selection, const CombinationList& combinations,
                    const std::optional<Column>& column, const std::optional<Detailing>& detailing)
{
    CaseStudy study;
    study.state = std::make_unique<AnalysisState>(state);
    study.combinations = combinations;
    study.column = column;
    study.detailing = detailing;
    if (!combinations.empty()) {
        study.check = CheckCombinations(state, selection, combinations, column, WorkerThreads());
        CaseDiagrams& diagrams = study.diagrams.emplace();
        diagrams.surface = GenerateSurface(state, selection, DefaultSurfaceLevels, WorkerThreads());
        diagrams.governing = study.check->governing;
        const double angle = MomentDirection(combinations, *study.check, diagrams.governing);
        diagrams.diagram = DiagramAlong(diagrams.surface, angle);
        diagrams.loads = LoadsOnDiagram(combinations, *study.check, angle);
        study.verdict = JudgeCase(state, selection, combinations, *study.check, column, detailing);
        const int governing = study.check->governing;
        const CombinationResult* row =
            governing >= 0 ? &study.check->rows[static_cast<std::size_t>(governing)] : nullptr;
        if (column && row && row->column && row->column->InCompression()) {
            const double nd = GoverningNd(combinations[static_cast<std::size_t>(governing)], *row);
            try {
                ClearFpFaults();
                for (int b = 0; b < BendingCount; ++b)
                    study.deformation[static_cast<std::size_t>(b)] = StudyDeformation(
                        state, selection, nd, DirectionOf(static_cast<Bending>(b)), ReportCurvaturePoints);
                CheckFpFaults();
            } catch (const EngineError&) {
                // A fault of the relation leaves the record without its picture.
                study.deformation = {};
            }
        }
    }
    study.curve = GenerateCaseCurve(*study.state, selection);
    study.model = CalculationModelParameters(*study.state, selection);
    return study;
}

} // namespace flexara
