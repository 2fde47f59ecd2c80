#include "project/HeadlessLoader.h"

#include "engine/NumberText.h"
#include "engine/case/CaseEditing.h"
#include "engine/case/Shapes.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"

#include <algorithm>

namespace flexara {

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
    openEnds = OpenEndFields(OrientationHorizontal);
    checkedRadio = OrientationHorizontal;
    currentLine = 0;
    selectedVertex = 0;
    combinations.clear();
    column.reset();
    detailing.reset();
}

void HeadlessLoader::SetColumn(const Column& fileColumn, const std::vector<std::pair<double, double>>& baseMoments)
{
    column = fileColumn;
    const std::size_t n = std::min(baseMoments.size(), combinations.size());
    for (std::size_t i = 0; i < n; ++i) {
        combinations[i].MxdBase = baseMoments[i].first;
        combinations[i].MydBase = baseMoments[i].second;
    }
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
    if (ReplaceFieldText(text[FieldMdx], FormatGeneral(value)))
        s.Mxd = Stored(text[FieldMdx]);
}

void HeadlessLoader::SetMyd(double value)
{
    s.Myd = value;
    if (ReplaceFieldText(text[FieldMdy], FormatGeneral(value)))
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
    if (ReplaceFieldText(text[FieldNb], std::to_string(value)))
        RefreshRatio();
}

// The change handler of a first end field (X1, Y1): a tied line shows the
// same text in its second end field and carries the value along.
void HeadlessLoader::FirstEndChanged(Axis axis)
{
    BarLine& line = Line();
    const double value = Stored(text[axis == Axis::X ? FieldX1 : FieldY1]);
    if (SecondEndTied(line.Orientation, axis) &&
        ReplaceFieldText(text[axis == Axis::X ? FieldX2 : FieldY2], text[axis == Axis::X ? FieldX1 : FieldY1]))
        SecondEndChanged(axis);
    StoreFirstEnd(line, axis, value);
}

// The change handler of a second end field (X2, Y2): a closed field stores nothing.
void HeadlessLoader::SecondEndChanged(Axis axis)
{
    const bool open = axis == Axis::X ? openEnds.x2 : openEnds.y2;
    if (open)
        StoreSecondEnd(Line(), axis, Stored(text[axis == Axis::X ? FieldX2 : FieldY2]), open);
}

// A coordinate read from a file is stored as read, then shown in its field,
// whose change handler stores it again (and applies the tie) only when the
// text changed.
void HeadlessLoader::SetY1(double value)
{
    Line().Y1 = value;
    if (ReplaceFieldText(text[FieldY1], FormatGeneral(value)))
        FirstEndChanged(Axis::Y);
}

void HeadlessLoader::SetY2(double value)
{
    Line().Y2 = value;
    if (ReplaceFieldText(text[FieldY2], FormatGeneral(value)))
        SecondEndChanged(Axis::Y);
}

void HeadlessLoader::SetX1(double value)
{
    Line().X1 = value;
    if (ReplaceFieldText(text[FieldX1], FormatGeneral(value)))
        FirstEndChanged(Axis::X);
}

void HeadlessLoader::SetX2(double value)
{
    Line().X2 = value;
    if (ReplaceFieldText(text[FieldX2], FormatGeneral(value)))
        SecondEndChanged(Axis::X);
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
    // The click handler of the newly checked orientation button: the open
    // fields open, a tied end shows its first end's text (stored while still
    // open) and closes.
    Line().Orientation = radio;
    const EndFields open = OpenEndFields(radio);
    openEnds.x2 = openEnds.x2 || open.x2;
    openEnds.y2 = openEnds.y2 || open.y2;
    for (const Axis axis : {Axis::X, Axis::Y}) {
        if (!SecondEndTied(radio, axis))
            continue;
        if (ReplaceFieldText(text[axis == Axis::X ? FieldX2 : FieldY2], text[axis == Axis::X ? FieldX1 : FieldY1]))
            SecondEndChanged(axis);
        (axis == Axis::X ? openEnds.x2 : openEnds.y2) = false;
    }
}

void HeadlessLoader::DimChanged(int index)
{
    bool valid = true;
    const double value = StoredDimension(s.Section.ShapeKind, Stored(dimText[static_cast<std::size_t>(index)]), valid);
    StoreDimension(s, index, value, selectedVertex);
    RefreshRatio();
}

void HeadlessLoader::SelectFamily(std::uint8_t shapeKind)
{
    // What the family's tool button does.
    flexara::SelectFamily(s, shapeKind);
    const ShapeFamily& family = ShapeFamilyOf(shapeKind);
    for (int i = 0; i < ShapeDimCount; ++i)
        if (family.Shows(i) && ReplaceFieldText(dimText[static_cast<std::size_t>(i)], "0"))
            DimChanged(i);
    RefreshRatio();
}

void HeadlessLoader::SetShapeDim(int index, double value)
{
    s.ShapeDims[static_cast<std::size_t>(index)] = value;
    if (ReplaceFieldText(dimText[static_cast<std::size_t>(index)], FormatGeneral(value)))
        DimChanged(index);
}

void HeadlessLoader::BeginFreePolygon(std::int32_t vertexCount)
{
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = vertexCount;
    selectedVertex = -1; // the vertex list is emptied
    if (ReplaceFieldText(dimText[0], "0"))
        DimChanged(0);
    if (ReplaceFieldText(dimText[1], "0"))
        DimChanged(1);
}

void HeadlessLoader::SetVertex(std::int32_t i, double x, double y)
{
    selectedVertex = i - 1;
    s.Section.Vertices[static_cast<std::size_t>(selectedVertex)] = Point{x, y};
    if (ReplaceFieldText(dimText[0], FormatGeneral(x)))
        DimChanged(0);
    if (ReplaceFieldText(dimText[1], FormatGeneral(y)))
        DimChanged(1);
}

void HeadlessLoader::KeepDefaultSection()
{
    // The rectangle of the new case keeps its own four vertices; the ratio
    // follows the bars read, as a section read after them would refresh it.
    s.Section.VertexCount = ShapeFamilyOf(ShapeRectangle).vertexCount;
    RefreshRatio();
}

MaterialSelection LoadProjectFileHeadless(const std::string& path, AnalysisState& s, CombinationList* combinations,
                                          std::optional<Column>* column, std::optional<Detailing>* detailing)
{
    return LoadProjectTextHeadless(LoadProjectBytes(path), s, combinations, column, detailing);
}

MaterialSelection LoadProjectTextHeadless(std::string_view bytes, AnalysisState& s, CombinationList* combinations,
                                          std::optional<Column>* column, std::optional<Detailing>* detailing)
{
    HeadlessLoader loader(s);
    ReadProjectText(bytes, loader);
    if (combinations)
        *combinations = loader.Combinations();
    if (column)
        *column = loader.LoadedColumn();
    if (detailing)
        *detailing = loader.LoadedDetailing();
    return loader.Selection();
}

} // namespace flexara
