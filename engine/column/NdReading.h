// The rows of one Nd read on a worker's own copy of the case: each ray off
// the few curve points around it (engine/section/PartialCurve.h) where they
// prove the crossing the whole curve gives, and off the whole curve of the
// Nd, generated once, where they do not. The results are those of the whole
// curve, bit for bit, either way. A row checked as a column in compression
// reads its minimum envelope all round the turn: it reads the whole curve.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/section/NdCurves.h"
#include "engine/section/PartialCurve.h"

#include <memory>

namespace flexara {

class NdReading {
public:
    NdReading(const AnalysisState& state, CurveReading reading);

    // The worker's copy of the case. After an edit of it, CaseChanged, so
    // that the next Start prepares the case again.
    AnalysisState& Case() { return *state; }
    void CaseChanged() { prepared = false; }

    // The rows of nd follow.
    void Start(const MaterialSelection& materials, double nd);
    // A row of the Nd started, checked as a section.
    CombinationResult Read(const LoadCombination& row);
    // A row of the Nd started, checked as a column.
    CombinationResult Read(const LoadCombination& row, const Column& column, const ColumnSection& section);

    // Why the last row read needed the whole curve (None where it did not).
    WholeCurveNeed LastNeed() const { return lastNeed; }
    // Whether the whole curve of the Nd started has been generated.
    bool WholeCurveGenerated() const { return curveDone; }

private:
    const NdCurve& WholeCurve();

    std::unique_ptr<AnalysisState> state;
    CurveReading reading;
    MaterialSelection materials;
    double nd = 0.0;
    bool prepared = false;
    std::unique_ptr<PartialCurve> partial;
    NdCurveSink sink;
    NdCurve curve;
    bool curveDone = false;
    WholeCurveNeed lastNeed = WholeCurveNeed::None;
};

} // namespace flexara
