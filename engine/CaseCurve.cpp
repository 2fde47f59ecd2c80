#include "engine/CaseCurve.h"

#include "engine/Faults.h"
#include "engine/Ratio.h"

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

CaseStudy StudyCase(const AnalysisState& state, const MaterialSelection& selection, const CombinationList& combinations)
{
    CaseStudy study;
    study.state = std::make_unique<AnalysisState>(state);
    study.combinations = combinations;
    if (!combinations.empty()) {
        study.check = CheckCombinations(state, selection, combinations, WorkerThreads());
        study.limits = SteelLimitsOf(state, selection, combinations);
    }
    study.curve = GenerateCaseCurve(*study.state, selection);
    study.model = CalculationModelParameters(*study.state, selection);
    return study;
}

} // namespace flexara
