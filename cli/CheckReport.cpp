#include "cli/CheckReport.h"

#include "cli/DesignReport.h"
#include "cli/Json.h"
#include "texts/Words.h"

namespace flexara {

namespace {

JsonDocument BendingJson(const BendingCheck& b)
{
    // Past λ = 90 nothing after λ1 was computed.
    const bool refused = b.lambda > MaxApproximateSlenderness;
    JsonDocument item;
    item["h"] = JsonReal(b.h);
    item["i"] = JsonReal(b.i);
    item["lambda"] = JsonReal(b.lambda);
    item["m1d_min"] = JsonReal(b.m1dMin);
    item["ma"] = JsonReal(b.ma);
    item["mb"] = JsonReal(b.mb);
    item["alpha_b"] = JsonReal(b.alphaB);
    item["e1"] = JsonReal(b.e1);
    item["lambda1"] = JsonReal(b.lambda1);
    item["m1d_a"] = JsonReal(b.m1dA);
    item["second_order"] = b.secondOrder;
    item["curvature"] = JsonReal(b.curvature);
    item["kappa_over_nu"] = JsonReal(b.kappaOverNu);
    item["md_tot"] = refused ? JsonDocument(nullptr) : JsonReal(b.mdTot);
    item["md_min_tot"] = refused ? JsonDocument(nullptr) : JsonReal(b.mdMinTot);
    return item;
}

JsonDocument ColumnJson(const ColumnResult& c)
{
    JsonDocument item;
    item["status"] = ColumnStatusKey(c.status);
    const std::string message = ColumnStatusText(c);
    item["message"] = message.empty() ? JsonDocument(nullptr) : JsonDocument(message);
    if (c.InCompression()) {
        item["nu"] = JsonReal(c.nu);
        item["Mxd"] = BendingJson(c.bending[static_cast<std::size_t>(Bending::Mx)]);
        item["Myd"] = BendingJson(c.bending[static_cast<std::size_t>(Bending::My)]);
    }
    JsonDocument situations = JsonDocument::array();
    for (const SituationReading& s : c.situations) {
        JsonDocument situation;
        situation["name"] = SituationKey(s.situation);
        situation["mx"] = JsonReal(s.moments.x);
        situation["my"] = JsonReal(s.moments.y);
        situation["utilisation"] = JsonReal(s.reading.utilisation);
        situations.push_back(std::move(situation));
    }
    item["situations"] = std::move(situations);
    item["governing_situation"] =
        c.governingSituation >= 0
            ? JsonDocument(SituationKey(c.situations[static_cast<std::size_t>(c.governingSituation)].situation))
            : JsonDocument(nullptr);
    return item;
}

JsonDocument ColumnDataJson(const Column& column)
{
    JsonDocument item;
    const char* const names[] = {"Mxd", "Myd"};
    for (int k = 0; k < BendingCount; ++k) {
        const ColumnBending& b = column.bending[static_cast<std::size_t>(k)];
        JsonDocument bending;
        bending["le"] = JsonReal(b.le);
        bending["condition"] = static_cast<int>(b.condition);
        item[names[k]] = std::move(bending);
    }
    item["method"] = column.method == SecondOrderMethod::Curvature ? "curvature" : "stiffness";
    return item;
}

JsonDocument VerdictJson(const CaseVerdict& v)
{
    JsonDocument item;
    item["holds"] = v.holds;
    item["combinations_hold"] = v.combinationsHold;
    item["governing"] = v.governing >= 0 ? JsonDocument(v.governing) : JsonDocument(nullptr);
    item["governing_name"] = v.governing >= 0 ? JsonDocument(v.governingName) : JsonDocument(nullptr);
    item["governing_situation"] =
        v.governingSituation ? JsonDocument(SituationKey(*v.governingSituation)) : JsonDocument(nullptr);
    item["utilisation"] = JsonReal(v.utilisation);
    if (v.steel) {
        JsonDocument steel;
        steel["as"] = JsonReal(v.limits.steelArea);
        steel["as_min"] = JsonReal(v.limits.minimum);
        steel["as_max"] = JsonReal(v.limits.maximum);
        steel["smallest_diameter"] = JsonReal(v.steel->smallestDiameter);
        steel["limits"] = ColumnSteelKeys(*v.steel);
        item["steel"] = std::move(steel);
    } else {
        item["steel"] = nullptr;
    }
    item["refused"] = v.refused;
    item["message"] = CaseVerdictText(v);
    return item;
}

} // namespace

std::string CheckJson(const CombinationList& rows, const CombinationCheck& check, CalculationModel model,
                      const std::optional<Column>& column, const CaseVerdict* verdict)
{
    JsonDocument list = JsonDocument::array();
    for (std::size_t i = 0; i < rows.size() && i < check.rows.size(); ++i) {
        const LoadCombination& row = rows[i];
        const CombinationResult& r = check.rows[i];
        const std::string message = CombinationMessage(r);
        JsonDocument item;
        item["name"] = row.name;
        item["nd"] = JsonReal(row.Nd);
        item["mxd"] = JsonReal(row.Mxd);
        item["myd"] = JsonReal(row.Myd);
        if (column) {
            item["mxd_base"] = JsonReal(row.MxdBase.value_or(row.Mxd));
            item["myd_base"] = JsonReal(row.MydBase.value_or(row.Myd));
        }
        item["status"] = CombinationStatusKey(r.status);
        item["message"] = message.empty() ? JsonDocument(nullptr) : JsonDocument(message);
        item["utilisation"] = JsonReal(r.utilisation);
        item["resisting"] = r.resisting ? JsonDocument::array({JsonReal(r.resisting->x), JsonReal(r.resisting->y)})
                                        : JsonDocument(nullptr);
        item["mrd"] = JsonReal(r.resistingMoment);
        item["axial_utilisation"] = JsonReal(r.axialUtilisation);
        item["inside"] = r.inside;
        item["governing"] = r.governing;
        if (r.column)
            item["column"] = ColumnJson(*r.column);
        list.push_back(std::move(item));
    }
    JsonDocument document;
    document["combinations"] = rows.size();
    document["generations"] = check.generations;
    document["model"] = ModelKey(model);
    if (column)
        document["column"] = ColumnDataJson(*column);
    document["governing"] = check.governing >= 0 ? JsonDocument(check.governing) : JsonDocument(nullptr);
    document["rows"] = std::move(list);
    if (verdict) {
        document["verdict"] = VerdictJson(*verdict);
        JsonDocument warnings = JsonDocument::array();
        for (const CaseWarning warning : verdict->warnings)
            warnings.push_back(CaseWarningText(warning));
        document["warnings"] = std::move(warnings);
        if (verdict->detailing)
            document["detailing"] = DetailingJson(*verdict->detailing);
    }
    return JsonText(document);
}

int CheckExitStatus(const CaseVerdict& verdict)
{
    if (!verdict.faulted.empty())
        return 2;
    return verdict.holds ? 0 : 3;
}

} // namespace flexara
