#include "editor/WindowProjectReader.h"

#include "editor/CombinationsWindow.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "editor/TFPrincipal.h"

namespace flexara {

// Every value goes through a field whose handlers may meet a fault (a bar area
// beyond the double range); the reading then ends with it, as any failure of
// the reading does.

void WindowProjectReader::ResetToNewCase()
{
    w.FormCreate();
    w.RaisePendingFault();
}

// The settings are shown by the settings dialog when it opens next.
void WindowProjectReader::SetGammaC(double value)
{
    w.State().GammaC = value;
}
void WindowProjectReader::SetGammaS(double value)
{
    w.State().GammaS = value;
}
void WindowProjectReader::SetCurvePointCount(std::int32_t value)
{
    w.State().CurvePointCount = value;
}
void WindowProjectReader::SetAlphaC(double value)
{
    w.State().AlphaC = value;
}
void WindowProjectReader::SetCalculationModel(CalculationModel model, bool reducedBlockStress)
{
    w.State().Model = model;
    w.State().ReducedBlockStress = reducedBlockStress;
}

void WindowProjectReader::SetNd(double value)
{
    w.SetNdFromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetMxd(double value)
{
    w.SetMxdFromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetMyd(double value)
{
    w.SetMydFromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SelectConcrete(std::int32_t index)
{
    w.SelectConcreteFromFile(index);
    w.RaisePendingFault();
}
// Fcd as read: with "Outro" it is the strength used; a preset class
// recomputes it at the next generation.
void WindowProjectReader::SetFcd(double value)
{
    w.State().Fcd = value;
}
void WindowProjectReader::SelectSteel(std::int32_t index)
{
    w.SelectSteelFromFile(index);
    w.RaisePendingFault();
}

void WindowProjectReader::BeginLines(std::int32_t lineCount)
{
    w.Armadura().BeginLinesFromFile(lineCount);
    w.RaisePendingFault();
}
void WindowProjectReader::BeginLine(std::int32_t k)
{
    w.Armadura().BeginLineFromFile(k);
    w.RaisePendingFault();
}
void WindowProjectReader::SetBarCount(std::int32_t value)
{
    w.Armadura().SetBarCountFromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetDiameter(double value)
{
    w.Armadura().SetDiameterFromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetY1(double value)
{
    w.Armadura().SetY1FromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetY2(double value)
{
    w.Armadura().SetY2FromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetX1(double value)
{
    w.Armadura().SetX1FromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetX2(double value)
{
    w.Armadura().SetX2FromFile(value);
    w.RaisePendingFault();
}
void WindowProjectReader::SetOrientation(std::uint8_t code)
{
    w.Armadura().SetOrientationFromFile(code);
    w.RaisePendingFault();
}

void WindowProjectReader::SelectFamily(std::uint8_t shapeKind)
{
    w.Secao().SelectFamilyFromFile(shapeKind);
    w.RaisePendingFault();
}
void WindowProjectReader::SetShapeDim(int index, double value)
{
    w.Secao().SetShapeDimFromFile(index, value);
    w.RaisePendingFault();
}
void WindowProjectReader::BeginFreePolygon(std::int32_t vertexCount)
{
    w.Secao().BeginFreePolygonFromFile(vertexCount);
    w.RaisePendingFault();
}
void WindowProjectReader::SetVertex(std::int32_t i, double x, double y)
{
    w.Secao().SetVertexFromFile(i, x, y);
    w.RaisePendingFault();
}
void WindowProjectReader::EndFreePolygon(std::int32_t vertexCount)
{
    w.Secao().EndFreePolygonFromFile(vertexCount);
    w.RaisePendingFault();
}
void WindowProjectReader::KeepDefaultSection()
{
    w.Secao().KeepDefaultSectionFromFile();
    w.RaisePendingFault();
}

// The rows go into the combinations window when the last one is read.
void WindowProjectReader::BeginCombinations(std::int32_t count)
{
    combinations.clear();
    expectedCombinations = static_cast<std::size_t>(count);
    if (count == 0 && w.FCombinacoes)
        w.FCombinacoes->SetRows(combinations);
}
void WindowProjectReader::AddCombination(const LoadCombination& combination)
{
    combinations.push_back(combination);
    if (combinations.size() == expectedCombinations && w.FCombinacoes)
        w.FCombinacoes->SetRows(combinations);
}

// The column goes into the group "Pilar", and the rows again with their base
// moments.
void WindowProjectReader::SetColumn(const Column& column, const std::vector<std::pair<double, double>>& baseMoments)
{
    for (std::size_t i = 0; i < baseMoments.size() && i < combinations.size(); ++i) {
        combinations[i].MxdBase = baseMoments[i].first;
        combinations[i].MydBase = baseMoments[i].second;
    }
    if (!w.FCombinacoes)
        return;
    w.FCombinacoes->SetColumn(column);
    w.FCombinacoes->SetRows(combinations);
}

// The detailing data stay with the case, for its check and its file, and
// go into the group "Detalhamento".
void WindowProjectReader::SetDetailing(const Detailing& detailing)
{
    w.CaseDetailing() = detailing;
    if (w.FCombinacoes)
        w.FCombinacoes->SetDetailing(detailing);
}

} // namespace flexara
