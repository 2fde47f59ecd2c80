#include "cli/CheckReport.h"

#include "cli/JsonText.h"
#include "texts/Words.h"

namespace flexara {

std::string CheckJson(const CombinationList& rows, const CombinationCheck& check)
{
    auto optional = [](const std::optional<double>& v) { return v ? JsonNumber(*v) : std::string("null"); };
    std::string out = "{\n";
    out += "  \"combinations\": " + std::to_string(rows.size()) + ",\n";
    out += "  \"generations\": " + std::to_string(check.generations) + ",\n";
    out += "  \"governing\": " + (check.governing >= 0 ? std::to_string(check.governing) : std::string("null")) + ",\n";
    out += "  \"rows\": [";
    for (std::size_t i = 0; i < rows.size() && i < check.rows.size(); ++i) {
        const LoadCombination& row = rows[i];
        const CombinationResult& r = check.rows[i];
        const std::string message = CombinationMessage(r);
        out += i ? ",\n    {" : "\n    {";
        out += "\"name\": " + JsonString(row.name) + ", \"nd\": " + JsonNumber(row.Nd) +
               ", \"mxd\": " + JsonNumber(row.Mxd) + ", \"myd\": " + JsonNumber(row.Myd);
        out += std::string(", \"status\": ") + "\"" + CombinationStatusKey(r.status) + "\"";
        out += ", \"message\": " + (message.empty() ? std::string("null") : JsonString(message));
        out += ", \"utilisation\": " + optional(r.utilisation);
        out += ", \"resisting\": " + (r.resisting
                                          ? "[" + JsonNumber(r.resisting->x) + ", " + JsonNumber(r.resisting->y) + "]"
                                          : std::string("null"));
        out += ", \"mrd\": " + optional(r.resistingMoment);
        out += ", \"axial_utilisation\": " + optional(r.axialUtilisation);
        out += std::string(", \"inside\": ") + (r.inside ? "true" : "false");
        out += std::string(", \"governing\": ") + (r.governing ? "true" : "false") + "}";
    }
    out += rows.empty() ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
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
