#include "cli/CurveReport.h"

#include "cli/JsonText.h"
#include "engine/Capacity.h"
#include "engine/ChartScale.h"
#include "engine/NumberText.h"
#include "project/CsvText.h"
#include "texts/Words.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace flexara {

namespace {

std::string JsonPoint(Point p)
{
    return "[" + JsonNumber(p.x) + ", " + JsonNumber(p.y) + "]";
}

} // namespace

std::string ReportJson(const CaseCurve& r)
{
    std::string out = "{\n";
    out += "  \"status\": " + JsonString(CurveStatusKey(r.status)) + ",\n";
    out += "  \"warnings\": [";
    for (std::size_t i = 0; i < r.warnings.size(); ++i)
        out += (i ? ", " : "") + JsonString(WarningText(r.warnings[i]));
    out += "],\n";
    out += "  \"error\": " + (r.error ? JsonString(WithFullStop(FaultText(*r.error))) : std::string("null")) + ",\n";
    out += "  \"nd\": " + JsonNumber(r.nd) + ",\n";
    if (r.references) {
        out += "  \"references\": {\"N1\": " + JsonNumber(r.references->N1) +
               ", \"N2\": " + JsonNumber(r.references->N2) + ", \"N3\": " + JsonNumber(r.references->N3) +
               ", \"N4\": " + JsonNumber(r.references->N4) + "},\n";
    } else {
        out += "  \"references\": null,\n";
    }
    out += "  \"points\": [";
    for (std::size_t i = 0; i < r.points.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + JsonPoint(r.points[i]);
    out += r.points.empty() ? "],\n" : "\n  ],\n";
    out += "  \"design_point\": " + (r.designPoint ? JsonPoint(*r.designPoint) : std::string("null")) + ",\n";
    out += "  \"ratio\": " + (r.ratio ? JsonString(*r.ratio) : std::string("null")) + ",\n";
    RayCapacity capacity;
    if (r.designPoint)
        capacity = CapacityAlongRay(r.points, *r.designPoint);
    out += std::string("  \"inside\": ") + (capacity.inside ? "true" : "false") + ",\n";
    out +=
        "  \"utilisation\": " + (capacity.utilisation ? JsonNumber(*capacity.utilisation) : std::string("null")) + "\n";
    out += "}\n";
    return out;
}

std::string ReportCsv(const CaseCurve& r)
{
    return CurvePointsCsv(r.points);
}

} // namespace flexara
