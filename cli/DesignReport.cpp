#include "cli/DesignReport.h"

#include "cli/Json.h"
#include "engine/NumberText.h"
#include "texts/Words.h"

namespace flexara {

namespace {

// The name of the governing row of an option, or none.
const LoadCombination* GoverningRowOf(const CombinationList& rows, const DesignOption& option)
{
    return option.governingRow >= 0 && static_cast<std::size_t>(option.governingRow) < rows.size()
               ? &rows[static_cast<std::size_t>(option.governingRow)]
               : nullptr;
}

std::optional<double> RatioNeeded(const DesignResult& result)
{
    if (!result.areaNeeded || !(result.limits.concreteArea > 0.0))
        return std::nullopt;
    return *result.areaNeeded / result.limits.concreteArea;
}

std::string Field(const std::optional<double>& value)
{
    return value ? ShortestReal(*value) : std::string();
}

// A name in a CSV field: the separator and line ends may not be in it.
std::string CsvName(std::string name)
{
    for (char& c : name)
        if (c == ';' || c == '\n' || c == '\r')
            c = ' ';
    return name;
}

// "ok", or what the option misses of the limits in plain letters, joined by "+".
std::string CsvLimits(const DesignOption& option)
{
    std::string text;
    const auto add = [&text](const char* word) { text += (text.empty() ? "" : "+") + std::string(word); };
    if (option.belowMinimum)
        add("abaixo-do-minimo");
    if (option.aboveMaximum)
        add("acima-do-maximo");
    if (option.belowColumnDiameter)
        add("diametro-menor-que-10");
    if (!option.fits)
        add("nao-cabe");
    return text.empty() ? "ok" : text;
}

} // namespace

std::string DesignJson(const CombinationList& rows, const DesignResult& result, CalculationModel model)
{
    JsonDocument options = JsonDocument::array();
    for (std::size_t i = 0; i < result.options.size(); ++i) {
        const DesignOption& o = result.options[i];
        const LoadCombination* governing = GoverningRowOf(rows, o);
        JsonDocument item;
        item["diameter"] = JsonReal(o.diameter);
        item["as"] = JsonReal(o.steelArea);
        item["ratio"] = JsonReal(o.ratio);
        item["utilisation"] = JsonReal(o.governingEta);
        item["governing"] = governing ? JsonDocument(o.governingRow) : JsonDocument(nullptr);
        item["governing_name"] = governing ? JsonDocument(governing->name) : JsonDocument(nullptr);
        item["status"] = CombinationStatusKey(o.governingStatus);
        JsonDocument limits = JsonDocument::array();
        for (const std::string& key : DesignLimitKeys(o))
            limits.push_back(key);
        item["limits"] = std::move(limits);
        item["fits"] = o.fits;
        item["chosen"] = static_cast<int>(i) == result.chosen;
        options.push_back(std::move(item));
    }
    JsonDocument document;
    document["combinations"] = rows.size();
    document["model"] = ModelKey(model);
    document["concrete_area"] = JsonReal(result.limits.concreteArea);
    document["as"] = JsonReal(result.currentArea);
    document["as_min"] = JsonReal(result.limits.minimum);
    document["as_max"] = JsonReal(result.limits.maximum);
    document["nd_most_compressed"] = JsonReal(result.limits.mostCompressed);
    document["options"] = std::move(options);
    document["chosen"] = result.chosen >= 0 ? JsonReal(result.options[static_cast<std::size_t>(result.chosen)].diameter)
                                            : JsonDocument(nullptr);
    document["factor_needed"] = JsonReal(result.factorNeeded);
    document["as_needed"] = JsonReal(result.areaNeeded);
    document["ratio_needed"] = JsonReal(RatioNeeded(result));
    document["as_needed_below_smallest"] = result.areaNeededBelowSmallest;
    document["without_bars"] = result.withoutBars;
    return JsonText(document);
}

std::string DesignCsv(const CombinationList& rows, const DesignResult& result)
{
    std::string out = "diametro;as;rho;eta;determinante;situacao;limites;escolhido\n";
    for (std::size_t i = 0; i < result.options.size(); ++i) {
        const DesignOption& o = result.options[i];
        const LoadCombination* governing = GoverningRowOf(rows, o);
        out += ShortestReal(o.diameter) + ";" + ShortestReal(o.steelArea) + ";" + ShortestReal(o.ratio) + ";" +
               Field(o.governingEta) + ";" + (governing ? CsvName(governing->name) : std::string()) + ";" +
               CombinationStatusCsvWord(o.governingStatus) + ";" + CsvLimits(o) + ";" +
               (static_cast<int>(i) == result.chosen ? "sim" : "") + "\n";
    }
    out += "necessaria;" + Field(result.areaNeeded) + ";" + Field(RatioNeeded(result)) + ";" +
           (result.areaNeeded && !result.areaNeededBelowSmallest ? "1" : "") + ";;;;\n";
    return out;
}

int DesignExitStatus(const DesignResult& result)
{
    for (const DesignOption& o : result.options)
        if (o.governingStatus == CombinationStatus::Error)
            return 2;
    return result.chosen >= 0 ? 0 : 3;
}

} // namespace flexara
