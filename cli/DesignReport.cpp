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
    if (option.detailing)
        for (const DetailingRule rule : option.detailing->Broken())
            add(DetailingRuleKey(rule));
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
        if (o.detailing) {
            JsonDocument rules;
            for (const RuleCheck& rule : o.detailing->rules)
                rules[DetailingRuleKey(rule.rule)] = RuleVerdictKey(rule.verdict);
            item["rules"] = std::move(rules);
        }
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

JsonDocument DetailingJson(const DetailingCheck& check)
{
    JsonDocument item;
    item["holds"] = check.Holds();
    item["cover"] = JsonReal(check.cover);
    item["stirrup_diameter"] = JsonReal(check.stirrupDiameter);
    item["stirrup_spacing"] = JsonReal(check.stirrupSpacing);
    item["least_dimension"] = JsonReal(check.leastDimension);
    item["as_max_with_laps"] = JsonReal(check.lapMaximum);
    JsonDocument rules = JsonDocument::array();
    for (const RuleCheck& rule : check.rules) {
        JsonDocument r;
        r["rule"] = DetailingRuleKey(rule.rule);
        r["item"] = DetailingRuleItem(rule.rule);
        r["verdict"] = RuleVerdictKey(rule.verdict);
        r["value"] = rule.verdict == RuleVerdict::NotJudged ? JsonDocument(nullptr) : JsonReal(rule.value);
        r["limit"] = JsonReal(rule.limit);
        r["upper_limit"] = rule.upperLimit;
        rules.push_back(std::move(r));
    }
    item["rules"] = std::move(rules);
    item["ties"] = check.Ties();
    JsonDocument tied = JsonDocument::array();
    for (const Point& p : check.tiedBars)
        tied.push_back(JsonDocument::array({JsonReal(p.x), JsonReal(p.y)}));
    item["tied_bars"] = std::move(tied);
    return item;
}

namespace {

JsonDocument RuleVerdictsJson(const DetailingCheck& check)
{
    JsonDocument rules;
    for (const RuleCheck& rule : check.rules)
        rules[DetailingRuleKey(rule.rule)] = RuleVerdictKey(rule.verdict);
    return rules;
}

JsonDocument ArrangementItem(const CombinationList& rows, const ArrangementOption& o)
{
    JsonDocument item;
    item["bars_x"] = o.arrangement.barsX;
    item["bars_y"] = o.arrangement.barsY;
    item["diameter"] = JsonReal(o.arrangement.diameter);
    item["stirrup_diameter"] = JsonReal(o.arrangement.stirrupDiameter);
    item["stirrup_spacing"] = JsonReal(o.detailing.stirrupSpacing);
    item["count"] = o.arrangement.Count();
    item["as"] = JsonReal(o.steelArea);
    item["utilisation"] = JsonReal(o.governingEta);
    const bool named = o.governingRow >= 0 && static_cast<std::size_t>(o.governingRow) < rows.size();
    item["governing"] = named ? JsonDocument(o.governingRow) : JsonDocument(nullptr);
    item["governing_name"] =
        named ? JsonDocument(rows[static_cast<std::size_t>(o.governingRow)].name) : JsonDocument(nullptr);
    item["status"] = CombinationStatusKey(o.governingStatus);
    item["ties"] = o.detailing.Ties();
    item["rules"] = RuleVerdictsJson(o.detailing);
    item["holds"] = o.Holds();
    return item;
}

std::string CsvRules(const DetailingCheck& check)
{
    std::string text;
    for (const DetailingRule rule : check.Broken())
        text += (text.empty() ? "" : "+") + std::string(DetailingRuleKey(rule));
    return text.empty() ? "ok" : text;
}

} // namespace

std::string ArrangementJson(const CombinationList& rows, const ArrangementDesign& design, CalculationModel model)
{
    JsonDocument list = JsonDocument::array();
    for (std::size_t i = 0; i < design.options.size(); ++i) {
        JsonDocument item = ArrangementItem(rows, design.options[i]);
        item["chosen"] = static_cast<int>(i) == design.chosen;
        list.push_back(std::move(item));
    }
    JsonDocument document;
    document["combinations"] = rows.size();
    document["model"] = ModelKey(model);
    document["concrete_area"] = JsonReal(design.limits.concreteArea);
    document["as_min"] = JsonReal(design.limits.minimum);
    document["as_max"] = JsonReal(design.limits.maximum);
    document["nd_most_compressed"] = JsonReal(design.limits.mostCompressed);
    document["arrangements"] = std::move(list);
    document["holding"] = design.holding;
    if (design.chosen >= 0) {
        const ArrangementOption& chosen = design.options[static_cast<std::size_t>(design.chosen)];
        JsonDocument item = ArrangementItem(rows, chosen);
        item["detailing"] = DetailingJson(chosen.detailing);
        document["chosen"] = std::move(item);
    } else {
        document["chosen"] = nullptr;
    }
    return JsonText(document);
}

std::string ArrangementCsv(const ArrangementDesign& design)
{
    std::string out = "bars_x;bars_y;diameter;count;as;utilisation;ties;rules;chosen\n";
    for (std::size_t i = 0; i < design.options.size(); ++i) {
        const ArrangementOption& o = design.options[i];
        out += std::to_string(o.arrangement.barsX) + ";" + std::to_string(o.arrangement.barsY) + ";" +
               ShortestReal(o.arrangement.diameter) + ";" + std::to_string(o.arrangement.Count()) + ";" +
               ShortestReal(o.steelArea) + ";" + Field(o.governingEta) + ";" + std::to_string(o.detailing.Ties()) +
               ";" + CsvRules(o.detailing) + ";" + (static_cast<int>(i) == design.chosen ? "sim" : "") + "\n";
    }
    return out;
}

int ArrangementExitStatus(const ArrangementDesign& design)
{
    for (const ArrangementOption& o : design.options)
        if (o.governingStatus == CombinationStatus::Error)
            return 2;
    return design.chosen >= 0 ? 0 : 3;
}

int DesignExitStatus(const DesignResult& result)
{
    for (const DesignOption& o : result.options)
        if (o.governingStatus == CombinationStatus::Error)
            return 2;
    return result.chosen >= 0 ? 0 : 3;
}

} // namespace flexara
