#include "cli/CheckReport.h"

#include "cli/DesignReport.h"
#include "cli/Json.h"
#include "texts/Words.h"

namespace flexara {

namespace {

// The general method's bar of a bending: the one of its Md,tot (the worse
// sign where both were solved), station by station.
void GeneralBarJson(const GeneralBending& general, JsonDocument& item)
{
    const GeneralSolution* governing = general.Governing();
    if (governing == nullptr)
        return;
    const GeneralSolution& bar = *governing;
    JsonDocument stations = JsonDocument::array();
    for (const GeneralStation& s : bar.stations) {
        JsonDocument station;
        station["z"] = JsonReal(s.z);
        station["m1"] = JsonReal(s.m1);
        station["u"] = JsonReal(s.u);
        station["m"] = JsonReal(s.m);
        station["curvature"] = JsonReal(s.curvature);
        stations.push_back(std::move(station));
    }
    item["stations"] = std::move(stations);
    item["md_tot_station"] = bar.station >= 0 && bar.Stable()
                                 ? JsonReal(general.length * bar.station / general.steps)
                                 : JsonDocument(nullptr);
    item["iterations"] = bar.iterations;
}

const char* MethodKey(SecondOrderMethod method)
{
    switch (method) {
    case SecondOrderMethod::Curvature:
        return "curvature";
    case SecondOrderMethod::Coupled:
        return "coupled";
    case SecondOrderMethod::General:
        return "general";
    case SecondOrderMethod::Stiffness:
        break;
    }
    return "stiffness";
}

const char* AggregateKey(Aggregate aggregate)
{
    switch (aggregate) {
    case Aggregate::Basalt:
        return "basalt";
    case Aggregate::Limestone:
        return "limestone";
    case Aggregate::Sandstone:
        return "sandstone";
    case Aggregate::GraniteOrGneiss:
        break;
    }
    return "granite-or-gneiss";
}

JsonDocument CurvaturePointJson(const std::optional<CurvaturePoint>& p)
{
    if (!p)
        return nullptr;
    JsonDocument point;
    point["curvature"] = JsonReal(p->curvature);
    point["m"] = JsonReal(p->moment);
    point["eps0"] = JsonReal(p->eps0);
    return point;
}

// Creep of a bending beyond λ = 90, null elsewhere.
JsonDocument CreepJson(const std::optional<CreepResult>& creep)
{
    if (!creep)
        return nullptr;
    JsonDocument item;
    item["phi"] = JsonReal(creep->phi);
    item["psi"] = JsonReal(creep->psi);
    item["nsg"] = JsonReal(creep->nsg);
    item["msg"] = JsonReal(creep->msg);
    item["eci"] = JsonReal(creep->eci);
    item["ic"] = JsonReal(creep->ic);
    item["ne"] = JsonReal(creep->ne);
    item["theta1"] = JsonReal(creep->theta1);
    item["ea"] = JsonReal(creep->ea);
    item["e_cc"] = JsonReal(creep->ecc);
    item["moment"] = JsonReal(creep->moment);
    return item;
}

// Both sides of the coupled method where it ran for the bending, null elsewhere.
JsonDocument CoupledJson(const std::optional<CoupledBending>& coupled)
{
    if (!coupled)
        return nullptr;
    JsonDocument sides = JsonDocument::array();
    for (int s = 0; s < CurvatureSideCount; ++s) {
        const auto k = static_cast<std::size_t>(s);
        JsonDocument item;
        item["side"] = CurvatureSideKey(static_cast<CurvatureSide>(s));
        item["end"] = CurveEndKey(coupled->end[k]);
        item["end_curvature"] = JsonReal(coupled->endCurvature[k]);
        const std::optional<CoupledSide>& side = coupled->sides[k];
        item["mrd"] = side ? JsonReal(side->mrd) : JsonDocument(nullptr);
        item["mrd_over_gamma_f3"] = side ? JsonReal(side->target) : JsonDocument(nullptr);
        item["point_b"] = side ? CurvaturePointJson(side->pointB) : JsonDocument(nullptr);
        const bool b = side && side->pointB;
        item["ei_sec"] = b ? JsonReal(side->eiSec) : JsonDocument(nullptr);
        item["kappa"] = b ? JsonReal(side->kappa) : JsonDocument(nullptr);
        item["denominator"] = b ? JsonReal(side->denominator) : JsonDocument(nullptr);
        const bool worked = b && side->denominator > 0.0;
        item["md_tot"] = worked ? JsonReal(side->mdTot) : JsonDocument(nullptr);
        item["md_min_tot"] = worked ? JsonReal(side->mdMinTot) : JsonDocument(nullptr);
        sides.push_back(std::move(item));
    }
    return sides;
}

JsonDocument BendingJson(const ColumnResult& c, Bending bending)
{
    const BendingCheck& b = c.bending[static_cast<std::size_t>(bending)];
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
    // A row refused, too slender or unstable stops before some Md,tot.
    item["md_tot"] = JsonReal(WorkedMdTot(c, bending));
    item["md_min_tot"] = JsonReal(WorkedMdMinTot(c, bending));
    item["gamma_n"] = JsonReal(c.gammaN);
    item["method"] = MethodKey(c.method);
    // Where the approximate methods apply: "none" for no reason against.
    JsonDocument applicability;
    applicability["bars_symmetric"] = c.barsSymmetric[static_cast<std::size_t>(bending)];
    applicability["rectangle"] = c.rectangle;
    applicability["curvature"] = ColumnRefusalKey(b.curvatureMethodRefusal);
    applicability["stiffness"] = ColumnRefusalKey(b.stiffnessMethodRefusal);
    item["applicability"] = std::move(applicability);
    // The coupled method on MA's side, the one Md,tot is of.
    const std::optional<CoupledSide>* side = b.coupled ? &b.coupled->sides[b.ma < 0.0 ? 1 : 0] : nullptr;
    const bool pointB = side && side->has_value() && (*side)->pointB;
    item["mrd"] = side && side->has_value() ? JsonReal((*side)->mrd) : JsonDocument(nullptr);
    item["ei_sec"] = pointB ? JsonReal((*side)->eiSec) : JsonDocument(nullptr);
    item["kappa"] = pointB ? JsonReal((*side)->kappa) : JsonDocument(nullptr);
    item["e_cc"] = b.creep ? JsonReal(b.creep->ecc) : JsonDocument(nullptr);
    item["creep"] = CreepJson(b.creep);
    item["coupled"] = CoupledJson(b.coupled);
    if (b.general)
        GeneralBarJson(*b.general, item);
    return item;
}

JsonDocument ColumnJson(const ColumnResult& c)
{
    JsonDocument item;
    item["status"] = ColumnStatusKey(c.status);
    const std::string message = ColumnStatusText(c);
    item["message"] = message.empty() ? JsonDocument(nullptr) : JsonDocument(message);
    item["refusal"] = ColumnRefusalKey(c.refusal);
    item["instability"] = InstabilityKey(c.instability);
    item["method"] = MethodKey(c.method);
    item["least_dimension"] = JsonReal(c.leastDimension);
    item["gamma_n"] = JsonReal(c.gammaN);
    // The row's forces before and after γn: Nd, the top's and the base's moments.
    auto forces = [](const ColumnForces& f) {
        JsonDocument out;
        out["nd"] = JsonReal(f.nd);
        out["top"] = JsonDocument::array({JsonReal(f.top.x), JsonReal(f.top.y)});
        out["base"] = JsonDocument::array({JsonReal(f.base.x), JsonReal(f.base.y)});
        return out;
    };
    item["forces_before"] = forces(c.before);
    item["forces_after"] = forces(c.after);
    if (c.InCompression()) {
        item["nu"] = JsonReal(c.nu);
        item["Mxd"] = BendingJson(c, Bending::Mx);
        item["Myd"] = BendingJson(c, Bending::My);
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
    item["method"] = MethodKey(column.method);
    item["least_dimension"] = JsonReal(column.leastDimension);
    item["phi"] = JsonReal(column.creepCoefficient);
    item["psi"] = JsonReal(column.quasiPermanentShare);
    item["aggregate"] = AggregateKey(column.aggregate);
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
