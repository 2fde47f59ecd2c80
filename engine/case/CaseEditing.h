// The rules of editing a case, once: what a typed coordinate does to its line
// (and to the end tied to it), which end fields an orientation leaves open,
// what a typed dimension or bar count stores, and how lines and vertices are
// added and removed. One free function per edit; the window's handlers and the
// headless loader of the project file both call them, so that a case typed, a
// case opened in the window and a case opened by the batch tool end alike.
//
// Coordinates and dimensions in cm, diameters in mm. Lines and vertices are
// numbered from 0 here.
#pragma once

#include "engine/case/UVariav.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace flexara {

// ---- Field texts ----

// A text set into a field by the program; true when it differs from the text
// the field showed, which is when the field's change handler runs and stores.
bool ReplaceFieldText(std::string& field, std::string_view text);

// ---- Reinforcement lines ----

enum class Axis : std::uint8_t { X, Y };

// The orientation that ties the second end of an axis to its first: a
// horizontal line keeps Y2 = Y1, a vertical line X2 = X1.
constexpr std::uint8_t TyingOrientation(Axis axis)
{
    return axis == Axis::Y ? OrientationHorizontal : OrientationVertical;
}

// Whether the second end of the axis follows the first under the orientation.
constexpr bool SecondEndTied(std::uint8_t orientation, Axis axis)
{
    return orientation == TyingOrientation(axis);
}

// The end fields an orientation leaves open to typing: the tied second end is
// closed (horizontal: Y2; vertical: X2; any: none).
struct EndFields {
    bool x2 = true;
    bool y2 = true;
};
constexpr EndFields OpenEndFields(std::uint8_t orientation)
{
    return EndFields{!SecondEndTied(orientation, Axis::X), !SecondEndTied(orientation, Axis::Y)};
}

// The bar diameters of the diameter list, mm ("5", "6,3", ... "40").
inline constexpr std::array<double, 11> BarDiameters = {5.0, 6.3, 8.0, 10.0, 12.5, 16.0, 20.0, 22.0, 25.0, 32.0, 40.0};
constexpr int DefaultDiameterItem = 3; // 10 mm
// The item of the list that shows a stored diameter: 5 alone; then everything
// below 6.4 is the 6,3; the other values of the list show themselves and
// anything else the 40.
int DiameterItemOf(double mm);

// A first end (X1 or Y1) stored: a tied line carries its second end along.
void StoreFirstEnd(BarLine& line, Axis axis, double value);
// A second end (X2 or Y2) stored; a closed (tied) field stores nothing.
void StoreSecondEnd(BarLine& line, Axis axis, double value, bool fieldOpen);

// The bar count a typed integer stores: a negative count 0, one beyond the
// capacity of a line the capacity; valid turns false for both.
std::int32_t StoredBarCount(std::int32_t typed, bool& valid);

// Adds a line after the last, a copy of what the fields show; returns its
// index, or -1 when the case holds MaxLines already.
int AddLine(AnalysisState& s, const BarLine& fields);
// Removes line k (the others move up, the freed slot is cleared); false when
// k is not a line or it is the only one.
bool RemoveLine(AnalysisState& s, int k);

// ---- Section ----

// The dimension a typed value stores: a parametric family takes no negative
// dimension (0, and valid turns false); the free polygon's coordinates are
// taken as typed.
double StoredDimension(std::uint8_t shapeKind, double typed, bool& valid);
// Stores field `index` (0..5): the dimension, and for the free polygon the
// coordinate of the selected vertex (-1 for none) as well; a family's outline
// is rebuilt from the dimensions.
void StoreDimension(AnalysisState& s, int index, double value, int selectedVertex);

// What a family's tool button does: the dimensions cleared, the family's
// vertex count and its outline (all dimensions 0).
void SelectFamily(AnalysisState& s, std::uint8_t shapeKind);
// What the free polygon's tool button does: a new polygon of one vertex at
// the origin.
void StartFreePolygon(AnalysisState& s);
// Adds a vertex after the last; returns its index, or -1 when the polygon
// holds MaxVertices already. The caller stores its coordinates.
int AddVertex(AnalysisState& s);
// Removes vertex i (the others move up); false when i is not a vertex or it
// is the only one.
bool RemoveVertex(AnalysisState& s, int i);

} // namespace flexara
