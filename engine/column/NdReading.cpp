#include "engine/column/NdReading.h"

namespace flexara {

NdReading::NdReading(const AnalysisState& state, CurveReading reading)
    : state(std::make_unique<AnalysisState>(state)), reading(reading), partial(std::make_unique<PartialCurve>())
{
}

void NdReading::Start(const MaterialSelection& selection, double value)
{
    if (!prepared || selection.concreteIndex != materials.concreteIndex ||
        selection.steelIndex != materials.steelIndex) {
        materials = selection;
        if (reading == CurveReading::AroundEachRay)
            partial->Prepare(*state, materials);
        prepared = true;
    }
    nd = value;
    curveDone = false;
    if (reading == CurveReading::AroundEachRay)
        partial->SetNd(nd);
}

const NdCurve& NdReading::WholeCurve()
{
    if (!curveDone) {
        curve = NdCurve{};
        sink.Generate(*state, materials, nd, curve);
        curveDone = true;
    }
    return curve;
}

CombinationResult NdReading::Read(const LoadCombination& row)
{
    lastNeed = WholeCurveNeed::None;
    if (reading == CurveReading::AroundEachRay) {
        if (const std::optional<RayCapacity> capacity = partial->Capacity(Point{row.Mxd, row.Myd}, lastNeed))
            return ReadAlongRay(*partial->FirstReferences(), *capacity, row);
    }
    return ReadOffCurve(WholeCurve(), row);
}

CombinationResult NdReading::Read(const LoadCombination& row, const Column& column, const ColumnSection& section)
{
    return ReadOffCurve(WholeCurve(), row, column, section);
}

} // namespace flexara
