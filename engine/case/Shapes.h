// The parametric section families: how many vertices each has, which of the six
// dimension fields it shows, and the outline built from its dimensions.
//
// Dimensions by field: Ed1..Ed6 are ShapeDims[0..5]. The families put the
// lower-left corner of their bounding box at the origin and run counter-clockwise.
#pragma once

#include "engine/case/UVariav.h"

#include <array>
#include <cstdint>

namespace flexara {

struct ShapeFamily {
    std::int32_t vertexCount; // 1 for the free polygon when it is selected
    // The name of each shown dimension as the drawings give it ("B1", "H2"),
    // null for a hidden one; the free polygon's are the coordinates X and Y.
    std::array<const char*, ShapeDimCount> dimNames;

    constexpr bool Shows(int dim) const { return dimNames[static_cast<std::size_t>(dim)] != nullptr; }
};

// The family of a ShapeKind code 0..7; codes beyond give the rectangle.
const ShapeFamily& ShapeFamilyOf(std::uint8_t shapeKind);

// Writes the family's vertices from ShapeDims into Section.Vertices. Never
// changes Section.VertexCount; does nothing for the free polygon.
void BuildSectionPolygon(AnalysisState& s);

// Height of the slit through which the box outline enters its hole, cm.
constexpr double BoxSlitHeight = 1e-10;

} // namespace flexara
