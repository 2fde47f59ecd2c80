#include "project/HeadlessLoader.h"

#include "engine/DefaultCase.h"
#include "engine/NumberText.h"
#include "engine/Ratio.h"
#include "engine/Shapes.h"

namespace flexara {

bool HeadlessLoader::Show(std::string& field, const std::string& newText)
{
    if (field == newText)
        return false;
    field = newText;
    return true;
}

double HeadlessLoader::Stored(const std::string& fieldText)
{
    double value = 0.0;
    return ParseReal(fieldText, value) ? value : 0.0;
}

void HeadlessLoader::RefreshRatio()
{
    ratioLabel = UpdateReinforcementRatio(s);
}

void HeadlessLoader::ResetToNewCase()
{
    ratioLabel = InstallDefaultCase(s);
    selection = MaterialSelection{};
    text.fill("0");
    dimText.fill("0");
    x2Enabled = true;
    y2Enabled = false;
    checkedRadio = OrientationHorizontal;
    currentLine = 0;
    selectedVertex = 0;
    combinations.clear();
}

void HeadlessLoader::BeginCombinations(std::int32_t count)
{
    combinations.clear();
    combinations.reserve(static_cast<std::size_t>(count));
}

void HeadlessLoader::SetNd(double value)
{
    // The field of Nd stores only when it is left, so the value stays as read.
    s.Nd = value;
}

void HeadlessLoader::SetMxd(double value)
{
    s.Mxd = value;
    if (Show(text[FieldMdx], FormatGeneral(value)))
        s.Mxd = Stored(text[FieldMdx]);
}

void HeadlessLoader::SetMyd(double value)
{
    s.Myd = value;
    if (Show(text[FieldMdy], FormatGeneral(value)))
        s.Myd = Stored(text[FieldMdy]);
}

void HeadlessLoader::BeginLines(std::int32_t lineCount)
{
    s.LineCount = lineCount;
    currentLine = 0;
}

void HeadlessLoader::SetBarCount(std::int32_t value)
{
    Line().BarCount = value;
    if (Show(text[FieldNb], std::to_string(value)))
        RefreshRatio();
}

void HeadlessLoader::SetY1(double value)
{
    BarLine& line = Line();
    line.Y1 = value;
    if (!Show(text[FieldY1], FormatGeneral(value)))
        return;
    line.Y1 = Stored(text[FieldY1]);
    if (line.Orientation == OrientationHorizontal) {
        if (Show(text[FieldY2], text[FieldY1]) && y2Enabled)
            line.Y2 = Stored(text[FieldY2]);
        line.Y2 = line.Y1;
    }
}

void HeadlessLoader::SetY2(double value)
{
    BarLine& line = Line();
    line.Y2 = value;
    if (Show(text[FieldY2], FormatGeneral(value)) && y2Enabled)
        line.Y2 = Stored(text[FieldY2]);
}

void HeadlessLoader::SetX1(double value)
{
    BarLine& line = Line();
    line.X1 = value;
    if (!Show(text[FieldX1], FormatGeneral(value)))
        return;
    line.X1 = Stored(text[FieldX1]);
    if (line.Orientation == OrientationVertical) {
        if (Show(text[FieldX2], text[FieldX1]) && x2Enabled)
            line.X2 = Stored(text[FieldX2]);
        line.X2 = line.X1;
    }
}

void HeadlessLoader::SetX2(double value)
{
    BarLine& line = Line();
    line.X2 = value;
    if (Show(text[FieldX2], FormatGeneral(value)) && x2Enabled)
        line.X2 = Stored(text[FieldX2]);
}

void HeadlessLoader::SetOrientation(std::uint8_t code)
{
    Line().Orientation = code;
    CheckRadio(code);
}

void HeadlessLoader::CheckRadio(std::uint8_t code)
{
    const std::uint8_t radio = code <= OrientationVertical ? code : static_cast<std::uint8_t>(OrientationAny);
    if (radio == checkedRadio)
        return;
    checkedRadio = radio;
    // The click handler of the newly checked orientation button.
    BarLine& line = Line();
    line.Orientation = radio;
    if (radio == OrientationHorizontal) {
        x2Enabled = true;
        if (Show(text[FieldY2], text[FieldY1]) && y2Enabled)
            line.Y2 = Stored(text[FieldY2]);
        y2Enabled = false;
    } else if (radio == OrientationVertical) {
        y2Enabled = true;
        if (Show(text[FieldX2], text[FieldX1]) && x2Enabled)
            line.X2 = Stored(text[FieldX2]);
        x2Enabled = false;
    } else {
        x2Enabled = true;
        y2Enabled = true;
    }
}

void HeadlessLoader::DimChanged(int index)
{
    double value = Stored(dimText[static_cast<std::size_t>(index)]);
    if (s.Section.ShapeKind != ShapeFreePolygon && value < 0.0)
        value = 0.0;
    s.ShapeDims[static_cast<std::size_t>(index)] = value;
    BuildSectionPolygon(s);
    if (s.Section.ShapeKind == ShapeFreePolygon && index < 2 && selectedVertex >= 0 && selectedVertex < MaxVertices) {
        Point& vertex = s.Section.Vertices[static_cast<std::size_t>(selectedVertex)];
        (index == 0 ? vertex.x : vertex.y) = value;
    }
    RefreshRatio();
}

void HeadlessLoader::SelectFamily(std::uint8_t shapeKind)
{
    // What the family's tool button does.
    ClearShapeDims(s);
    const ShapeFamily& family = ShapeFamilyOf(shapeKind);
    s.Section.ShapeKind = shapeKind;
    s.Section.VertexCount = family.vertexCount;
    for (int i = 0; i < ShapeDimCount; ++i)
        if (family.Shows(i) && Show(dimText[static_cast<std::size_t>(i)], "0"))
            DimChanged(i);
    BuildSectionPolygon(s);
    RefreshRatio();
}

void HeadlessLoader::SetShapeDim(int index, double value)
{
    s.ShapeDims[static_cast<std::size_t>(index)] = value;
    if (Show(dimText[static_cast<std::size_t>(index)], FormatGeneral(value)))
        DimChanged(index);
}

void HeadlessLoader::BeginFreePolygon(std::int32_t vertexCount)
{
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = vertexCount;
    selectedVertex = -1; // the vertex list is emptied
    if (Show(dimText[0], "0"))
        DimChanged(0);
    if (Show(dimText[1], "0"))
        DimChanged(1);
}

void HeadlessLoader::SetVertex(std::int32_t i, double x, double y)
{
    selectedVertex = i - 1;
    s.Section.Vertices[static_cast<std::size_t>(selectedVertex)] = Point{x, y};
    if (Show(dimText[0], FormatGeneral(x)))
        DimChanged(0);
    if (Show(dimText[1], FormatGeneral(y)))
        DimChanged(1);
}

void HeadlessLoader::KeepDefaultSection()
{
    // The rectangle of the new case keeps its own four vertices; the ratio
    // follows the bars read, as a section read after them would refresh it.
    s.Section.VertexCount = ShapeFamilyOf(ShapeRectangle).vertexCount;
    RefreshRatio();
}

MaterialSelection LoadProjectFileHeadless(const std::string& path, AnalysisState& s, CombinationList* combinations)
{
    const std::string bytes = LoadProjectBytes(path);
    HeadlessLoader loader(s);
    ReadProjectText(bytes, loader);
    if (combinations)
        *combinations = loader.Combinations();
    return loader.Selection();
}

} // namespace flexara
