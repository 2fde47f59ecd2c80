#include "cli/CheckReport.h"

#include "cli/Json.h"
#include "texts/Words.h"

namespace flexara {

std::string CheckJson(const CombinationList& rows, const CombinationCheck& check, CalculationModel model)
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
        item["status"] = CombinationStatusKey(r.status);
        item["message"] = message.empty() ? JsonDocument(nullptr) : JsonDocument(message);
        item["utilisation"] = JsonReal(r.utilisation);
        item["resisting"] = r.resisting ? JsonDocument::array({JsonReal(r.resisting->x), JsonReal(r.resisting->y)})
                                        : JsonDocument(nullptr);
        item["mrd"] = JsonReal(r.resistingMoment);
        item["axial_utilisation"] = JsonReal(r.axialUtilisation);
        item["inside"] = r.inside;
        item["governing"] = r.governing;
        list.push_back(std::move(item));
    }
    JsonDocument document;
    document["combinations"] = rows.size();
    document["generations"] = check.generations;
    document["model"] = ModelKey(model);
    document["governing"] = check.governing >= 0 ? JsonDocument(check.governing) : JsonDocument(nullptr);
    document["rows"] = std::move(list);
    return JsonText(document);
}
int CheckExitStatus(const CombinationCheck& check)
{
    bool fault = false;
    bool short_ = false;
    for (const CombinationResult& r : check.rows) {
        fault = fault || r.status == CombinationStatus::Error;
        short_ = short_ || r.status != CombinationStatus::Holds;
    }
    return fault ? 2 : (short_ ? 3 : 0);
}

} // namespace flexara
