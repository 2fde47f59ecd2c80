#include "cli/CurvatureReport.h"

#include "cli/Json.h"
#include "engine/NumberText.h"
#include "texts/Words.h"

namespace flexara {

namespace {

JsonDocument PointJson(const CurvaturePoint& p)
{
    JsonDocument point;
    point["curvature"] = JsonReal(p.curvature);
    point["m"] = JsonReal(p.moment);
    point["eps0"] = JsonReal(p.eps0);
    return point;
}

} // namespace

std::string CurvatureJson(const DeformationStudy& study, const CurvatureQuery& query)
{
    JsonDocument document;
    document["nd"] = JsonReal(query.nd);
    document["bending"] = query.bending.empty() ? JsonDocument(nullptr) : JsonDocument(query.bending);
    document["angle"] = query.bending.empty() ? JsonReal(query.degrees) : JsonDocument(nullptr);
    document["model"] = ModelKey(query.model);
    const NdCurve& interaction = study.interaction;
    const char* status = interaction.fault                ? "error"
                         : interaction.outcome.refused    ? "refused"
                         : interaction.outcome.outOfRange ? "out-of-range"
                                                          : "ok";
    document["interaction"] = status;
    JsonDocument warnings = JsonDocument::array();
    for (const CurveWarning warning : interaction.warnings)
        warnings.push_back(WarningText(warning));
    document["warnings"] = std::move(warnings);
    document["gamma_f3"] = JsonReal(GammaF3);
    JsonDocument sides = JsonDocument::array();
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const auto k = static_cast<std::size_t>(s);
        JsonDocument side;
        side["side"] = CurvatureSideKey(static_cast<CurvatureSide>(s));
        side["end"] = CurveEndKey(study.end[k]);
        const std::optional<SecantStiffness>& secant = study.secant[k];
        side["mrd"] = secant ? JsonReal(secant->mrd) : JsonDocument(nullptr);
        side["mrd_over_gamma_f3"] = secant ? JsonReal(secant->target) : JsonDocument(nullptr);
        side["point_b"] = secant && secant->pointB ? PointJson(*secant->pointB) : JsonDocument(nullptr);
        side["ei_sec"] = secant && secant->pointB ? JsonReal(secant->eiSec) : JsonDocument(nullptr);
        JsonDocument points = JsonDocument::array();
        for (const CurvaturePoint& p : study.curves[k])
            points.push_back(PointJson(p));
        side["points"] = std::move(points);
        sides.push_back(std::move(side));
    }
    document["sides"] = std::move(sides);
    return JsonText(document);
}

std::string CurvatureCsv(const DeformationStudy& study)
{
    std::string out = "side;curvature;m;eps0\n";
    for (int s = 0; s < CurvatureSideCount; ++s)
        for (const CurvaturePoint& p : study.curves[static_cast<std::size_t>(s)])
            out += std::string(CurvatureSideKey(static_cast<CurvatureSide>(s))) + ";" + ShortestReal(p.curvature) +
                   ";" + ShortestReal(p.moment) + ";" + ShortestReal(p.eps0) + "\n";
    return out;
}

} // namespace flexara
