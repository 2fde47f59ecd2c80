#include "engine/case/CaseEditing.h"

#include "engine/case/Shapes.h"

namespace flexara {

namespace {

int ClampCount(std::int32_t count, int high)
{
    return count < 0 ? 0 : (count > high ? high : count);
}

double& First(BarLine& line, Axis axis)
{
    return axis == Axis::X ? line.X1 : line.Y1;
}

double& Second(BarLine& line, Axis axis)
{
    return axis == Axis::X ? line.X2 : line.Y2;
}

// The input fields of a line (what a project file keeps of it).
void CopyLineInputs(const BarLine& from, BarLine& to)
{
    to.BarCount = from.BarCount;
    to.Diameter = from.Diameter;
    to.X1 = from.X1;
    to.X2 = from.X2;
    to.Y1 = from.Y1;
    to.Y2 = from.Y2;
    to.Orientation = from.Orientation;
}

} // namespace

int DiameterItemOf(double mm)
{
    const int count = static_cast<int>(BarDiameters.size());
    if (mm == BarDiameters[0])
        return 0;
    if (mm < 6.4)
        return 1;
    for (int i = 2; i < count - 1; ++i)
        if (mm == BarDiameters[static_cast<std::size_t>(i)])
            return i;
    return count - 1;
}

bool ReplaceFieldText(std::string& field, std::string_view text)
{
    if (field == text)
        return false;
    field.assign(text);
    return true;
}

void StoreFirstEnd(BarLine& line, Axis axis, double value)
{
    First(line, axis) = value;
    if (SecondEndTied(line.Orientation, axis))
        Second(line, axis) = value;
}

void StoreSecondEnd(BarLine& line, Axis axis, double value, bool fieldOpen)
{
    if (fieldOpen)
        Second(line, axis) = value;
}

std::int32_t StoredBarCount(std::int32_t typed, bool& valid)
{
    if (typed < 0 || typed > MaxBarsPerLine) {
        valid = false;
        return typed < 0 ? 0 : MaxBarsPerLine;
    }
    return typed;
}

int AddLine(AnalysisState& s, const BarLine& fields)
{
    const int count = ClampCount(s.LineCount, MaxLines);
    if (count >= MaxLines)
        return -1;
    s.LineCount = count + 1;
    CopyLineInputs(fields, s.BarLines[static_cast<std::size_t>(count)]);
    return count;
}

bool RemoveLine(AnalysisState& s, int k)
{
    const int count = ClampCount(s.LineCount, MaxLines);
    if (count < 2 || k < 0 || k >= count)
        return false;
    for (int i = k; i < count - 1; ++i)
        CopyLineInputs(s.BarLines[static_cast<std::size_t>(i + 1)], s.BarLines[static_cast<std::size_t>(i)]);
    // The slot given up keeps nothing of the deleted line.
    CopyLineInputs(BarLine{}, s.BarLines[static_cast<std::size_t>(count - 1)]);
    s.LineCount = count - 1;
    return true;
}

double StoredDimension(std::uint8_t shapeKind, double typed, bool& valid)
{
    // Negative coordinates are fine in the free polygon; a negative dimension is not.
    if (shapeKind != ShapeFreePolygon && typed < 0.0) {
        valid = false;
        return 0.0;
    }
    return typed;
}

void StoreDimension(AnalysisState& s, int index, double value, int selectedVertex)
{
    if (index < 0 || index >= ShapeDimCount)
        return;
    s.ShapeDims[static_cast<std::size_t>(index)] = value;
    BuildSectionPolygon(s);
    if (s.Section.ShapeKind == ShapeFreePolygon && index < 2 && selectedVertex >= 0 && selectedVertex < MaxVertices) {
        Point& vertex = s.Section.Vertices[static_cast<std::size_t>(selectedVertex)];
        (index == 0 ? vertex.x : vertex.y) = value;
    }
}

void SelectFamily(AnalysisState& s, std::uint8_t shapeKind)
{
    ClearShapeDims(s);
    s.Section.ShapeKind = shapeKind;
    s.Section.VertexCount = ShapeFamilyOf(shapeKind).vertexCount;
    BuildSectionPolygon(s);
}

void StartFreePolygon(AnalysisState& s)
{
    ClearShapeDims(s);
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = 1;
    s.Section.Vertices.fill(Point{});
}

int AddVertex(AnalysisState& s)
{
    const int n = ClampCount(s.Section.VertexCount, MaxVertices);
    if (n >= MaxVertices)
        return -1;
    s.Section.VertexCount = n + 1;
    return n;
}

bool RemoveVertex(AnalysisState& s, int i)
{
    const int n = ClampCount(s.Section.VertexCount, MaxVertices);
    if (n < 2 || i < 0 || i >= n)
        return false;
    auto& vertices = s.Section.Vertices;
    for (int k = i; k < n - 1; ++k)
        vertices[static_cast<std::size_t>(k)] = vertices[static_cast<std::size_t>(k + 1)];
    s.Section.VertexCount = n - 1;
    return true;
}

} // namespace flexara
