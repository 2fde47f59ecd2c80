// The analysis state: the one record that describes the current case.
//
// Input fields (settings, actions, materials, outline, reinforcement lines) are
// written by the editors, the settings dialog and the project-file reader; the
// derived fields (centroidal, rotated and clipped copies, bar strains, areas)
// are working storage that the curve generation and the reinforcement ratio
// recompute from the input fields every time. Nothing here is ever written past
// the fixed capacities below.
//
// Arrays are numbered from 0 in the code: vertex i of the user's "Ponto i" is
// Vertices[i - 1], line k ("Linha k") is BarLines[k - 1].
#pragma once

#include <array>
#include <cstdint>

namespace flexara {

constexpr int MaxLines = 100;
constexpr int MaxBarsPerLine = 100;
constexpr int MaxVertices = 100;
// Clipping an outline of n vertices at a level gives at most n + n/2 vertices.
constexpr int MaxCompressedVertices = MaxVertices + MaxVertices / 2;
constexpr int MaxCurvePointCount = 200;
constexpr int ShapeDimCount = 6;

struct Point {
    double x = 0.0;
    double y = 0.0;
};

enum ShapeKindCode : std::uint8_t {
    ShapeRectangle = 0,
    ShapeTrapezoid = 1,
    ShapeT = 2,
    ShapeL = 3,
    ShapeU = 4,
    ShapeBox = 5,
    ShapeFreePolygon = 6,
    ShapeH = 7,
};

// The calculation model of the concrete (and, with it, of the steel):
//   Classic                 the block of AlphaC·fcd from the fibre at -0.7 per mil,
//                           -3.5 and -2 per mil, the class-A and class-B steels
//   NbrRectangular          NBR 6118:2014, the block of αc·fcd over λ·x
//   NbrParabolaRectangle    NBR 6118:2014, the parabola-rectangle of 0.85·fcd
// The two code models take their parameters from fck and use one bilinear
// law for every steel (engine/section/CalculationModel.h).
enum class CalculationModel : std::uint8_t {
    Classic = 0,
    NbrRectangular = 1,
    NbrParabolaRectangle = 2,
};

inline bool IsCodeModel(CalculationModel model)
{
    return model == CalculationModel::NbrRectangular || model == CalculationModel::NbrParabolaRectangle;
}

enum OrientationCode : std::uint8_t {
    OrientationHorizontal = 0,
    OrientationVertical = 1,
    OrientationAny = 2,
};

struct SectionRecord {
    std::int32_t VertexCount = 0;
    std::int32_t CompressedVertexCount = 0;
    std::array<Point, MaxVertices> Vertices{};
    // One more slot for the copy of vertex 1 that closes the outline.
    std::array<Point, MaxVertices + 1> CentroidalVertices{};
    std::array<Point, MaxVertices> RotatedVertices{};
    std::array<Point, MaxCompressedVertices> CompressedVertices{};
    double Area = 0.0;
    double CompressedArea = 0.0;
    Point Centroid{};
    Point CompressedCentroid{};
    std::uint8_t ShapeKind = ShapeRectangle;
};

struct BarLine {
    double X1 = 0.0;
    double X2 = 0.0;
    double Y1 = 0.0;
    double Y2 = 0.0;
    std::int32_t BarCount = 0;
    std::array<Point, MaxBarsPerLine> Bars{};
    std::array<Point, MaxBarsPerLine> CentroidalBars{};
    std::array<Point, MaxBarsPerLine> RotatedBars{};
    std::array<Point, MaxBarsPerLine> AxisBars{};
    std::array<double, MaxBarsPerLine> Strains{};
    double Diameter = 0.0;
    double BarArea = 0.0;
    std::uint8_t Orientation = OrientationHorizontal;
};

struct AnalysisState {
    // Settings.
    double Es = 21000.0;
    std::int32_t CurvePointCount = 100;
    double GammaC = 1.4;
    double GammaS = 1.15;
    double AlphaC = 0.85;
    CalculationModel Model = CalculationModel::Classic;
    // The compressed zone narrows towards the compressed edge: the block of the
    // rectangular code model carries 0.9·αc·fcd.
    bool ReducedBlockStress = false;

    // Design actions: kN and kN·m.
    double Nd = 0.0;
    double Mxd = 0.0;
    double Myd = 0.0;

    // Materials.
    double Fcd = 0.0;
    double Fyd = 0.0;
    std::int32_t SteelClass = 0;
    double EpsYd = 0.0;

    SectionRecord Section{};
    std::array<double, ShapeDimCount> ShapeDims{};
    std::int32_t LineCount = 0;
    std::array<BarLine, MaxLines> BarLines{};

    Point NeutralAxisOrigin{};
    double SteelAreaX100 = 0.0;
};

// Sets the six shape dimensions to 0 and nothing else: the vertices, the vertex
// count and the family stay as they are.
void ClearShapeDims(AnalysisState& s);

} // namespace flexara
