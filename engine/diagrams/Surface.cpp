#include "engine/diagrams/Surface.h"

#include "engine/Trigonometry.h"
#include "engine/Units.h"
#include "engine/case/BarLayout.h"
#include "engine/section/Capacity.h"
#include "engine/section/Uproced.h"

#include <cmath>
#include <map>
#include <memory>

namespace flexara {

namespace {

using Real = long double;

int Clamp(int value, int high)
{
    return value < 0 ? 0 : (value > high ? high : value);
}

struct UniformStates {
    SurfaceEnd squash;
    SurfaceEnd tension;
};

// The two uniform states of the case: N1 and N4 as every angle of the
// generation forms them (the same sums in the same order, so the same
// doubles), and their moments about the centroid of the outline. Works on a
// copy of the state; throws EngineError on a floating-point fault.
UniformStates ComputeUniformStates(const AnalysisState& state, const MaterialSelection& materials)
{
    const auto copy = std::make_unique<AnalysisState>(state);
    AnalysisState& s = *copy;
    UpdateMaterials(s, materials);
    LayOutBars(s);
    const int vertexCount = Clamp(s.Section.VertexCount, MaxVertices);
    const int lineCount = Clamp(s.LineCount, MaxLines);
    double area = 0.0;
    Point centroid;
    PolygonAreaCentroid(vertexCount, s.Section.Vertices.data(), area, centroid);
    const SteelLaw law = SteelLaw::FromState(s);
    const Real stressAtTension = law.Stress(SteelUltimateStrain);
    const Real stressAtShortening = law.Stress(UniformShorteningStrain);
    Real tension = 0.0L;
    Real shortening = -(static_cast<Real>(s.AlphaC) * s.Fcd) * area;
    // Moments of the steel forces about the centroid, kN·cm; the concrete of
    // the squash state acts at the centroid itself.
    Real tensionMx = 0.0L, tensionMy = 0.0L, squashMx = 0.0L, squashMy = 0.0L;
    for (int k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        const int bars = BarsInLine(line);
        if (bars == 0)
            continue;
        const double barArea = static_cast<double>(Pi * line.Diameter * line.Diameter / 400.0L);
        tension += stressAtTension * barArea * bars;
        shortening += stressAtShortening * barArea * bars;
        Real sumX = 0.0L, sumY = 0.0L;
        for (int j = 0; j < bars; ++j) {
            sumX += static_cast<Real>(line.Bars[static_cast<std::size_t>(j)].x) - centroid.x;
            sumY += static_cast<Real>(line.Bars[static_cast<std::size_t>(j)].y) - centroid.y;
        }
        // A moment is minus the force times its lever: a tensile bar above
        // the centroid bends the section the other way to the concrete above.
        tensionMx -= stressAtTension * barArea * sumY;
        tensionMy -= stressAtTension * barArea * sumX;
        squashMx -= stressAtShortening * barArea * sumY;
        squashMy -= stressAtShortening * barArea * sumX;
    }
    UniformStates states;
    states.tension = SurfaceEnd{static_cast<double>(tension), Point{static_cast<double>(tensionMx / KNcmPerKNm),
                                                                    static_cast<double>(tensionMy / KNcmPerKNm)}};
    states.squash = SurfaceEnd{static_cast<double>(shortening), Point{static_cast<double>(squashMx / KNcmPerKNm),
                                                                      static_cast<double>(squashMy / KNcmPerKNm)}};
    CheckFpFaults();
    return states;
}

// Nd of level i (1..levels): evenly spaced strictly between N4 and N1.
double LevelNd(const UniformStates& ends, int i, int levels)
{
    const Real step = (static_cast<Real>(ends.tension.nd) - ends.squash.nd) / (levels + 1);
    return static_cast<double>(ends.squash.nd + step * i);
}

// The steps of a turn: the generation computes angle 0 and CurvePointCount
// steps of 2π/CurvePointCount, the last of which (when the rounding lets it
// be computed) is angle 0 again.
int AnglesPerTurn(const AnalysisState& state)
{
    return state.CurvePointCount < 1 ? 1 : state.CurvePointCount;
}

// The surface of the curves of the levels, curves[0..levels-1].
Surface SurfaceOfCurves(const UniformStates& ends, int anglesPerTurn, std::span<const NdCurve> curves)
{
    Surface surface;
    surface.squash = ends.squash;
    surface.tension = ends.tension;
    surface.anglesPerTurn = anglesPerTurn;
    for (const NdCurve& curve : curves) {
        if (!curve.done) {
            surface.status = SurfaceStatus::Cancelled;
            surface.levels.clear();
            return surface;
        }
    }
    // Every level is generated on the same case: a refusal or a fault is that
    // of the first level that has one.
    for (const NdCurve& curve : curves) {
        if (curve.fault) {
            surface.status = SurfaceStatus::Error;
            surface.fault = curve.fault;
            return surface;
        }
        if (curve.outcome.refused) {
            surface.status = SurfaceStatus::Refused;
            surface.warnings = curve.warnings;
            return surface;
        }
    }
    surface.levels.reserve(curves.size());
    for (const NdCurve& curve : curves) {
        SurfaceLevel level;
        level.nd = curve.nd;
        if (!RingOfCurve(curve.points, curve.angles, anglesPerTurn, level.ring, level.found))
            continue;
        level.curve = curve.points;
        for (const std::uint8_t f : level.found)
            surface.pointsOnChords += f ? 0 : 1;
        surface.levels.push_back(std::move(level));
    }
    return surface;
}

void CheckLevelCount(int levels)
{
    if (levels < 1 || levels > MaxSurfaceLevels)
        throw EngineError(
            Fault{FaultKind::SurfaceLevelCount, static_cast<double>(levels), static_cast<double>(MaxSurfaceLevels)});
}

// The ends, or the surface that says why there are none.
std::optional<UniformStates> EndsOrFault(const AnalysisState& state, const MaterialSelection& materials,
                                         Surface& failed)
{
    try {
        ClearFpFaults();
        return ComputeUniformStates(state, materials);
    } catch (const EngineError& error) {
        failed.status = SurfaceStatus::Error;
        failed.fault = error.fault();
        return std::nullopt;
    }
}

} // namespace

bool RingOfCurve(std::span<const Point> points, std::span<const std::int32_t> angles, int anglesPerTurn,
                 std::vector<Point>& ring, std::vector<std::uint8_t>& found)
{
    const std::size_t n = static_cast<std::size_t>(anglesPerTurn < 1 ? 0 : anglesPerTurn);
    ring.assign(n, Point{});
    found.assign(n, 0);
    for (std::size_t i = 0; i < points.size() && i < angles.size(); ++i) {
        const std::int32_t step = angles[i];
        if (step < 0 || static_cast<std::size_t>(step) >= n || found[static_cast<std::size_t>(step)])
            continue;
        ring[static_cast<std::size_t>(step)] = points[i];
        found[static_cast<std::size_t>(step)] = 1;
    }
    std::size_t first = 0;
    while (first < n && !found[first])
        ++first;
    if (first == n)
        return false;
    // Around the turn from each found point to the next one found.
    std::size_t from = first;
    do {
        std::size_t to = (from + 1) % n;
        std::size_t gap = 1;
        while (!found[to]) {
            to = (to + 1) % n;
            ++gap;
        }
        for (std::size_t k = 1; k < gap; ++k) {
            const Real t = static_cast<Real>(k) / static_cast<Real>(gap);
            const Point a = ring[from];
            const Point b = ring[to];
            ring[(from + k) % n] = Point{static_cast<double>(a.x + t * (static_cast<Real>(b.x) - a.x)),
                                         static_cast<double>(a.y + t * (static_cast<Real>(b.y) - a.y))};
        }
        from = to;
    } while (from != first);
    return true;
}

Surface GenerateSurface(const AnalysisState& state, const MaterialSelection& materials, int levels, int threads,
                        WorkProgress* progress)
{
    return StudyDiagrams(state, materials, CombinationList{}, levels, threads, progress).surface;
}

DiagramStudy StudyDiagrams(const AnalysisState& state, const MaterialSelection& materials,
                           const CombinationList& combinations, int levels, int threads, WorkProgress* progress)
{
    return StudyDiagrams(state, materials, combinations, std::nullopt, levels, threads, progress);
}

DiagramStudy StudyDiagrams(const AnalysisState& state, const MaterialSelection& materials,
                           const CombinationList& combinations, const std::optional<Column>& column, int levels,
                           int threads, WorkProgress* progress)
{
    CheckLevelCount(levels);
    DiagramStudy study;
    const std::optional<UniformStates> ends = EndsOrFault(state, materials, study.surface);
    if (!ends)
        return study;

    std::vector<double> nds;
    nds.reserve(static_cast<std::size_t>(levels) + combinations.size());
    for (int i = 1; i <= levels; ++i)
        nds.push_back(LevelNd(*ends, i, levels));
    // The rows as the check takes them: one generation per distinct Nd (a
    // column's times γn).
    std::optional<ColumnSection> section;
    if (column)
        section = CheckedColumnSection(state, materials, *column);
    std::map<double, std::size_t> curveOfNd;
    std::vector<std::size_t> curveOfRow;
    curveOfRow.reserve(combinations.size());
    for (const LoadCombination& row : combinations) {
        const double nd = GenerationNd(row, section ? &*section : nullptr);
        const auto [at, added] = curveOfNd.emplace(nd, nds.size());
        if (added)
            nds.push_back(nd);
        curveOfRow.push_back(at->second);
    }

    const std::vector<NdCurve> curves = GenerateCurves(state, materials, nds, threads, progress);
    const std::span<const NdCurve> all(curves);
    study.surface = SurfaceOfCurves(*ends, AnglesPerTurn(state), all.first(static_cast<std::size_t>(levels)));
    for (const NdCurve& curve : all.subspan(static_cast<std::size_t>(levels))) {
        if (!curve.done)
            study.check.cancelled = true;
        else
            ++study.check.generations;
    }
    if (study.check.cancelled || study.surface.status == SurfaceStatus::Cancelled) {
        study.check.cancelled = true;
        study.surface.status = SurfaceStatus::Cancelled;
        study.surface.levels.clear();
        return study;
    }
    ReadRowsOffCurves(state, materials, combinations, column, curves, curveOfRow, study.check);
    return study;
}

// ---- The N–M diagram ----

double MomentDirection(double mxd, double myd)
{
    if (mxd == 0.0 && myd == 0.0)
        return 0.0;
    return static_cast<double>(std::atan2(static_cast<Real>(myd), static_cast<Real>(mxd)));
}

double MomentDirection(const CombinationList& rows, const CombinationCheck& check, int r)
{
    if (r < 0 || static_cast<std::size_t>(r) >= rows.size() || static_cast<std::size_t>(r) >= check.rows.size())
        return 0.0;
    const Point judged = GoverningMoments(rows[static_cast<std::size_t>(r)], check.rows[static_cast<std::size_t>(r)]);
    return MomentDirection(judged.x, judged.y);
}

NmDiagram DiagramAlong(const Surface& surface, double angle)
{
    NmDiagram diagram;
    diagram.angle = angle;
    const Real c = Cosine(static_cast<Real>(angle));
    const Real s = Sine(static_cast<Real>(angle));
    const Point forward{static_cast<double>(c), static_cast<double>(s)};
    const Point backward{-forward.x, -forward.y};
    diagram.levels.reserve(surface.levels.size());
    for (const SurfaceLevel& level : surface.levels) {
        NmLevel reading;
        reading.nd = level.nd;
        // The ray through a point of unit moment along the direction: its
        // resisting moment is the capacity along the direction.
        const RayCapacity ahead = CapacityAlongRay(level.curve, forward);
        const RayCapacity behind = CapacityAlongRay(level.curve, backward);
        if (ahead.resistingMoment)
            reading.along = *ahead.resistingMoment;
        if (behind.resistingMoment)
            reading.opposite = -*behind.resistingMoment;
        diagram.levels.push_back(reading);
    }
    auto endOf = [&](const SurfaceEnd& end) {
        return NmPoint{static_cast<double>(c * end.moment.x + s * end.moment.y), end.nd};
    };
    diagram.outline.reserve(2 * diagram.levels.size() + 3);
    diagram.outline.push_back(endOf(surface.squash));
    for (const NmLevel& level : diagram.levels)
        if (level.along)
            diagram.outline.push_back(NmPoint{*level.along, level.nd});
    diagram.outline.push_back(endOf(surface.tension));
    for (auto level = diagram.levels.rbegin(); level != diagram.levels.rend(); ++level)
        if (level->opposite)
            diagram.outline.push_back(NmPoint{*level->opposite, level->nd});
    diagram.outline.push_back(diagram.outline.front());
    return diagram;
}

std::vector<DiagramLoad> LoadsOnDiagram(const CombinationList& rows, const CombinationCheck& check, double angle)
{
    const Real c = Cosine(static_cast<Real>(angle));
    const Real s = Sine(static_cast<Real>(angle));
    std::vector<DiagramLoad> loads;
    loads.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LoadCombination& row = rows[i];
        const bool checked = i < check.rows.size();
        const Point judged = checked ? GoverningMoments(row, check.rows[i]) : Point{row.Mxd, row.Myd};
        DiagramLoad load;
        load.nd = checked ? GoverningNd(row, check.rows[i]) : row.Nd;
        load.mxd = judged.x;
        load.myd = judged.y;
        const Real md = std::hypot(static_cast<Real>(judged.x), static_cast<Real>(judged.y));
        const bool oppositeSide = c * judged.x + s * judged.y < 0.0L;
        load.onDiagram = NmPoint{static_cast<double>(oppositeSide ? -md : md), load.nd};
        load.holds = checked && check.rows[i].status == CombinationStatus::Holds;
        loads.push_back(load);
    }
    return loads;
}

} // namespace flexara
