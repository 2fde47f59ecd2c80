#include "engine/section/DefaultCase.h"

#include "engine/case/Shapes.h"
#include "engine/section/Ratio.h"

namespace flexara {

std::string InstallDefaultCase(AnalysisState& s)
{
    s.Nd = 0.0;
    s.Mxd = 0.0;
    s.Myd = 0.0;

    ClearShapeDims(s);
    s.Section.ShapeKind = ShapeRectangle;
    s.Section.VertexCount = ShapeFamilyOf(ShapeRectangle).vertexCount;
    BuildSectionPolygon(s);

    // Every line slot is cleared, so that nothing of an earlier case lingers in
    // the slots a later "Adicionar" or project file takes up.
    for (BarLine& line : s.BarLines)
        line = BarLine{};
    s.LineCount = 1;
    s.BarLines[0].Diameter = DefaultDiameter;
    s.BarLines[0].Orientation = OrientationHorizontal;

    ApplyConcreteSelection(s, DefaultConcreteIndex);
    ApplySteelSelection(s, DefaultSteelIndex);
    return UpdateReinforcementRatio(s);
}

} // namespace flexara
