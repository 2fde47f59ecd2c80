#include "cli/CurveReport.h"

#include "cli/Json.h"
#include "engine/section/Capacity.h"
#include "project/CsvText.h"
#include "texts/Words.h"

namespace flexara {

namespace {

JsonDocument JsonPoint(Point p)
{
    return JsonDocument::array({JsonReal(p.x), JsonReal(p.y)});
}

} // namespace

std::string ReportJson(const CaseCurve& r)
{
    JsonDocument document;
    document["status"] = CurveStatusKey(r.status);
    JsonDocument warnings = JsonDocument::array();
    for (const CurveWarning warning : r.warnings)
        warnings.push_back(WarningText(warning));
    document["warnings"] = std::move(warnings);
    document["error"] = r.error ? JsonDocument(WithFullStop(FaultText(*r.error))) : JsonDocument(nullptr);
    document["nd"] = JsonReal(r.nd);
    document["model"] = ModelKey(r.model);
    if (r.references) {
        JsonDocument references;
        references["N1"] = JsonReal(r.references->N1);
        references["N2"] = JsonReal(r.references->N2);
        references["N3"] = JsonReal(r.references->N3);
        references["N4"] = JsonReal(r.references->N4);
        document["references"] = std::move(references);
    } else {
        document["references"] = nullptr;
    }
    JsonDocument points = JsonDocument::array();
    for (const Point& p : r.points)
        points.push_back(JsonPoint(p));
    document["points"] = std::move(points);
    document["design_point"] = r.designPoint ? JsonPoint(*r.designPoint) : JsonDocument(nullptr);
    document["ratio"] = r.ratio ? JsonDocument(*r.ratio) : JsonDocument(nullptr);
    RayCapacity capacity;
    if (r.designPoint)
        capacity = CapacityAlongRay(r.points, *r.designPoint);
    document["inside"] = capacity.inside;
    document["utilisation"] = JsonReal(capacity.utilisation);
    return JsonText(document);
}

std::string ReportCsv(const CaseCurve& r)
{
    return CurvePointsCsv(r.points);
}

} // namespace flexara
