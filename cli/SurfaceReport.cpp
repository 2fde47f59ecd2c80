#include "cli/SurfaceReport.h"

#include "cli/Json.h"
#include "texts/Words.h"

namespace flexara {

namespace {

// What every report of the surface opens with.
JsonDocument Heading(const Surface& surface, CalculationModel model)
{
    JsonDocument document;
    document["status"] = SurfaceStatusKey(surface.status);
    JsonDocument warnings = JsonDocument::array();
    for (const CurveWarning warning : surface.warnings)
        warnings.push_back(WarningText(warning));
    document["warnings"] = std::move(warnings);
    document["error"] = surface.fault ? JsonDocument(WithFullStop(FaultText(*surface.fault))) : JsonDocument(nullptr);
    document["model"] = ModelKey(model);
    return document;
}

// The ends exist once their uniform states were computed: a fault while
// computing them leaves the surface without a ring size.
bool HasEnds(const Surface& surface)
{
    return surface.anglesPerTurn > 0;
}

} // namespace

std::string SurfaceJson(const Surface& surface, CalculationModel model)
{
    JsonDocument document = Heading(surface, model);
    auto end = [&](const SurfaceEnd& e) {
        if (!HasEnds(surface))
            return JsonDocument(nullptr);
        JsonDocument out;
        out["nd"] = JsonReal(e.nd);
        out["moment"] = JsonDocument::array({JsonReal(e.moment.x), JsonReal(e.moment.y)});
        return out;
    };
    document["squash"] = end(surface.squash);
    document["tension"] = end(surface.tension);
    document["angles_per_turn"] = surface.anglesPerTurn;
    document["points_on_chords"] = surface.pointsOnChords;
    JsonDocument levels = JsonDocument::array();
    for (const SurfaceLevel& level : surface.levels) {
        JsonDocument points = JsonDocument::array();
        for (const Point& p : level.curve)
            points.push_back(JsonDocument::array({JsonReal(p.x), JsonReal(p.y)}));
        JsonDocument item;
        item["nd"] = JsonReal(level.nd);
        item["points"] = std::move(points);
        levels.push_back(std::move(item));
    }
    document["levels"] = std::move(levels);
    return JsonText(document);
}

std::string NmJson(const Surface& surface, const NmDiagram& diagram, double degrees, CalculationModel model)
{
    JsonDocument document = Heading(surface, model);
    document["angle"] = JsonReal(degrees);
    JsonDocument levels = JsonDocument::array();
    for (const NmLevel& level : diagram.levels) {
        JsonDocument item;
        item["nd"] = JsonReal(level.nd);
        item["along"] = JsonReal(level.along);
        item["opposite"] = JsonReal(level.opposite);
        levels.push_back(std::move(item));
    }
    document["levels"] = std::move(levels);
    JsonDocument outline = JsonDocument::array();
    for (const NmPoint& p : diagram.outline)
        outline.push_back(JsonDocument::array({JsonReal(p.nd), JsonReal(p.m)}));
    document["outline"] = std::move(outline);
    return JsonText(document);
}

int SurfaceExitStatus(const Surface& surface)
{
    return surface.status == SurfaceStatus::Error ? 2 : 0;
}

} // namespace flexara
