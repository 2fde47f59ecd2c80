#include "engine/section/Ratio.h"

#include "engine/Faults.h"
#include "engine/NumberText.h"
#include "engine/Units.h"
#include "engine/section/Uproced.h"

#include <cmath>

namespace flexara {

double BarAreaOf(double diameterMm)
{
    // π·d²/400: mm² to cm² and the quarter of the circle's formula.
    return static_cast<double>(Pi * diameterMm * diameterMm / 400.0L);
}

std::string UpdateReinforcementRatio(AnalysisState& s)
{
    PolygonAreaCentroid(s.Section.VertexCount, s.Section.Vertices.data(), s.Section.Area, s.Section.Centroid);
    const int lineCount = s.LineCount < 0 ? 0 : (s.LineCount > MaxLines ? MaxLines : s.LineCount);
    long double steel = 0.0L;
    for (int k = 0; k < lineCount; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        line.BarArea = BarAreaOf(line.Diameter);
        steel += static_cast<long double>(line.BarCount) * line.BarArea * 100.0L;
    }
    s.SteelAreaX100 = static_cast<double>(steel);

    // A bar area or a total beyond the double range would show "inf %".
    if (!std::isfinite(s.SteelAreaX100))
        throw EngineError(Fault{FaultKind::Overflow});
    if (!(s.Section.Area > 1e-10))
        return "0,00 %";
    const double ratio = static_cast<double>(static_cast<long double>(s.SteelAreaX100) / s.Section.Area);
    if (!std::isfinite(ratio))
        throw EngineError(Fault{FaultKind::Overflow});
    // Two decimals, ties rounded up as the project file rounds its reals.
    std::string text = FixedHalfUp(ratio, 2);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text + " %";
}

} // namespace flexara
