#include "WindowProjectReader.h"

#include "ReinforcementGroup.h"
#include "SectionGroup.h"
#include "TFPrincipal.h"

namespace flexara {

void WindowProjectReader::ResetToNewCase()
{
    w.FormCreate();
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

void WindowProjectReader::SetNd(double value)
{
    w.SetNdFromFile(value);
}
void WindowProjectReader::SetMxd(double value)
{
    w.SetMxdFromFile(value);
}
void WindowProjectReader::SetMyd(double value)
{
    w.SetMydFromFile(value);
}
void WindowProjectReader::SelectConcrete(std::int32_t index)
{
    w.SelectConcreteFromFile(index);
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
}

void WindowProjectReader::BeginLines(std::int32_t lineCount)
{
    w.Armadura().BeginLinesFromFile(lineCount);
}
void WindowProjectReader::BeginLine(std::int32_t k)
{
    w.Armadura().BeginLineFromFile(k);
}
void WindowProjectReader::SetBarCount(std::int32_t value)
{
    w.Armadura().SetBarCountFromFile(value);
}
void WindowProjectReader::SetDiameter(double value)
{
    w.Armadura().SetDiameterFromFile(value);
}
void WindowProjectReader::SetY1(double value)
{
    w.Armadura().SetY1FromFile(value);
}
void WindowProjectReader::SetY2(double value)
{
    w.Armadura().SetY2FromFile(value);
}
void WindowProjectReader::SetX1(double value)
{
    w.Armadura().SetX1FromFile(value);
}
void WindowProjectReader::SetX2(double value)
{
    w.Armadura().SetX2FromFile(value);
}
void WindowProjectReader::SetOrientation(std::uint8_t code)
{
    w.Armadura().SetOrientationFromFile(code);
}

void WindowProjectReader::SelectFamily(std::uint8_t shapeKind)
{
    w.Secao().SelectFamilyFromFile(shapeKind);
}
void WindowProjectReader::SetShapeDim(int index, double value)
{
    w.Secao().SetShapeDimFromFile(index, value);
}
void WindowProjectReader::BeginFreePolygon(std::int32_t vertexCount)
{
    w.Secao().BeginFreePolygonFromFile(vertexCount);
}
void WindowProjectReader::SetVertex(std::int32_t i, double x, double y)
{
    w.Secao().SetVertexFromFile(i, x, y);
}
void WindowProjectReader::EndFreePolygon(std::int32_t vertexCount)
{
    w.Secao().EndFreePolygonFromFile(vertexCount);
}
void WindowProjectReader::KeepDefaultSection()
{
    w.Secao().KeepDefaultSectionFromFile();
}

} // namespace flexara
