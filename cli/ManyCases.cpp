#include "cli/ManyCases.h"

#include "cli/CheckReport.h"
#include "cli/DesignReport.h"
#include "cli/Json.h"
#include "engine/Faults.h"
#include "engine/NumberText.h"
#include "engine/Workers.h"
#include "engine/design/Arrangement.h"
#include "engine/design/Design.h"
#include "engine/section/Ratio.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <algorithm>
#include <memory>
#include <mutex>

namespace flexara {

namespace {

// The case as the single-file commands read it, or why it cannot be checked.
struct ReadCase {
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    MaterialSelection selection;
    CombinationList rows;
    std::optional<Column> column;
    std::optional<Detailing> detailing;
};

bool Read(const std::string& file, const ManyCasesOptions& options, ReadCase& read, std::string& reason)
{
    try {
        read.selection = LoadProjectFileHeadless(file, *read.state, &read.rows, &read.column, &read.detailing);
    } catch (const ProjectFileError& error) {
        reason = WithFullStop(error.what());
        return false;
    } catch (const EngineError& error) {
        reason = WithFullStop(FaultText(error.fault()));
        return false;
    }
    if (options.model)
        read.state->Model = *options.model;
    if (read.column)
        if (const std::optional<ColumnLengthFault> fault = ColumnLengthFaultOf(*read.column)) {
            reason = WithFullStop(ColumnLengthText(*fault));
            return false;
        }
    if (read.rows.empty()) {
        reason = "the case has no load combinations.";
        return false;
    }
    return true;
}

// The check of one case: its verdict and its full report.
std::string Check(const ReadCase& read, const ManyCasesOptions& options, CaseOutcome& outcome)
{
    const CombinationCheck check =
        CheckCombinations(*read.state, read.selection, read.rows, read.column, 1, nullptr, options.reading);
    outcome.verdict = JudgeCase(*read.state, read.selection, read.rows, check, read.column, read.detailing);
    outcome.standing = StandingOf(outcome.verdict);
    outcome.status = CheckExitStatus(outcome.verdict);
    return CheckJson(read.rows, check, read.state->Model, read.column, &outcome.verdict);
}

// The arrangement of a rectangle with detailing data, as design of the file
// alone chooses it, and the verdict of the case with that arrangement (none
// holding: the bars as they stand).
std::string DesignArrangementOf(const ReadCase& read, const ManyCasesOptions& options, CaseOutcome& outcome)
{
    const ArrangementDesign design = DesignArrangement(*read.state, read.selection, read.rows, read.column,
                                                       *read.detailing, 1, nullptr, options.reading);
    DesignChoice& choice = outcome.design.emplace();
    AnalysisState judged = *read.state;
    Detailing detailing = *read.detailing;
    if (design.chosen >= 0) {
        const ArrangementOption& option = design.options[static_cast<std::size_t>(design.chosen)];
        choice.chosen = option.arrangement.diameter;
        choice.judged = choice.chosen;
        choice.areaNeeded = option.steelArea;
        ApplyArrangement(judged, detailing, option);
        UpdateReinforcementRatio(judged);
    }
    choice.text = ArrangementChoiceText(design);
    const CombinationCheck check =
        CheckCombinations(judged, read.selection, read.rows, read.column, 1, nullptr, options.reading);
    outcome.verdict = JudgeCase(judged, read.selection, read.rows, check, read.column, detailing);
    outcome.status = ArrangementExitStatus(design);
    outcome.standing = outcome.status == 2     ? CaseStanding::Faulted
                       : design.chosen >= 0 ? CaseStanding::Holds
                                            : CaseStanding::Fails;
    return ArrangementJson(read.rows, design, read.state->Model);
}

// The design of one case, and the verdict of the case with the diameter the
// choice names in every line.
std::string Design(const ReadCase& read, const ManyCasesOptions& options, CaseOutcome& outcome)
{
    if (DesignedByArrangement(*read.state, read.detailing))
        return DesignArrangementOf(read, options, outcome);
    const DesignResult result = DesignReinforcement(*read.state, read.selection, read.rows, read.column, 1, nullptr,
                                                    options.reading, read.detailing);
    DesignChoice& choice = outcome.design.emplace();
    if (result.chosen >= 0)
        choice.chosen = result.options[static_cast<std::size_t>(result.chosen)].diameter;
    choice.judged = choice.chosen;
    if (!choice.judged && !result.options.empty())
        choice.judged = result.options.back().diameter;
    choice.areaNeeded = result.areaNeeded;
    choice.text = DesignChoiceText(result);

    AnalysisState judged = *read.state;
    if (choice.judged) {
        ApplyDiameterToEveryLine(judged, *choice.judged);
        UpdateReinforcementRatio(judged);
    }
    const CombinationCheck check =
        CheckCombinations(judged, read.selection, read.rows, read.column, 1, nullptr, options.reading);
    outcome.verdict = JudgeCase(judged, read.selection, read.rows, check, read.column, read.detailing);
    outcome.status = DesignExitStatus(result);
    outcome.standing = outcome.status == 2  ? CaseStanding::Faulted
                       : result.chosen >= 0 ? CaseStanding::Holds
                                            : CaseStanding::Fails;
    return DesignJson(read.rows, result, read.state->Model);
}

CaseOutcome RunOne(const std::string& file, const ManyCasesOptions& options)
{
    CaseOutcome outcome;
    outcome.file = file;
    ReadCase read;
    if (!Read(file, options, read, outcome.reason))
        return outcome;
    outcome.combinations = static_cast<int>(read.rows.size());
    std::string report;
    try {
        report = options.job == CaseJob::Check ? Check(read, options, outcome) : Design(read, options, outcome);
    } catch (const std::exception& failure) {
        outcome = CaseOutcome{};
        outcome.file = file;
        outcome.reason = WithFullStop(FailureText(failure));
        return outcome;
    }
    if (!options.detailsFolder.empty()) {
        const std::string path = options.detailsFolder + "/" + DetailsName(file);
        try {
            SaveFileBytes(path, report);
            outcome.details = path;
        } catch (const ProjectFileError& error) {
            outcome.detailsFailure = path + ": " + WithFullStop(error.what());
        }
    }
    return outcome;
}

bool Checked(const CaseOutcome& o)
{
    return o.standing != CaseStanding::NotChecked;
}

// The governing combination's name, its situation and η as the table and the
// CSV write them ("" where there is none).
std::string GoverningName(const CaseOutcome& o)
{
    return Checked(o) && o.verdict.governing >= 0 ? o.verdict.governingName : std::string();
}

std::string Area(double value, bool table)
{
    return table ? DecimalCommaText(value, 2, TableEngineeringFrom) : ShortestReal(value);
}

// A field of the CSV: the separator and line ends may not be in it.
std::string CsvField(std::string text)
{
    for (char& c : text)
        if (c == ';' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// One row of the table or of the CSV, field by field.
std::vector<std::string> Fields(const CaseOutcome& o, CaseJob job, bool table)
{
    const CaseVerdict& v = o.verdict;
    const bool checked = Checked(o);
    const std::string none = table ? "-" : "";
    std::vector<std::string> fields;
    fields.push_back(table ? o.file : CsvField(o.file));
    if (!table)
        fields.emplace_back(CaseStandingCsvWord(o.standing));
    const std::string name = GoverningName(o);
    fields.push_back(checked && v.governing >= 0 ? (table ? name : CsvField(name)) : none);
    fields.push_back(checked && v.governingSituation
                         ? (table ? SituationText(*v.governingSituation) : SituationPlainWord(*v.governingSituation))
                         : none);
    fields.push_back(checked && v.utilisation
                         ? (table ? VerdictUtilisationText(*v.utilisation) : ShortestReal(*v.utilisation))
                         : none);
    if (table)
        fields.emplace_back(CaseStandingText(o.standing));
    if (job == CaseJob::Design) {
        const bool chosen = checked && o.design && o.design->chosen;
        fields.push_back(chosen ? (table ? BarDiameterText(*o.design->chosen) : ShortestReal(*o.design->chosen))
                                : none);
        const bool area = checked && o.design && o.design->areaNeeded;
        fields.push_back(area ? Area(*o.design->areaNeeded, table) : none);
    }
    fields.push_back(checked ? Area(v.limits.steelArea, table) : none);
    fields.push_back(checked ? Area(v.limits.minimum, table) : none);
    fields.push_back(checked ? Area(v.limits.maximum, table) : none);
    fields.push_back(checked && v.steel ? (table ? ColumnSteelText(*v.steel) : ColumnSteelCsvWords(*v.steel)) : none);
    if (!table)
        fields.push_back(CsvField(o.reason));
    return fields;
}

// Letters, not bytes: a name with accents lines up as one without.
std::size_t Width(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Count(const std::vector<CaseOutcome>& outcomes, int counts[4])
{
    for (const CaseOutcome& o : outcomes)
        ++counts[static_cast<int>(o.standing)];
}

} // namespace

std::string DetailsName(const std::string& file)
{
    std::string name = file;
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    if (name.size() > 4) {
        std::string tail = name.substr(name.size() - 4);
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
        if (tail == ".fxr")
            name.resize(name.size() - 4);
    }
    return name + ".json";
}

std::vector<CaseOutcome> RunManyCases(const std::vector<std::string>& files, const ManyCasesOptions& options)
{
    std::vector<CaseOutcome> outcomes(files.size());
    const int total = static_cast<int>(files.size());
    std::mutex told;
    int done = 0;
    RunOnWorkers(total, std::max(1, options.threads), [&](int, int index) {
        outcomes[static_cast<std::size_t>(index)] = RunOne(files[static_cast<std::size_t>(index)], options);
        if (options.progress) {
            const std::lock_guard<std::mutex> lock(told);
            options.progress(++done, total);
        }
    });
    return outcomes;
}

std::string ManyCasesTable(const std::vector<CaseOutcome>& outcomes, CaseJob job)
{
    std::vector<std::string> headers(ManyCasesHeaders.begin(), ManyCasesHeaders.end());
    if (job == CaseJob::Design)
        headers.insert(headers.begin() + 5, ManyDesignsHeaders.begin(), ManyDesignsHeaders.end());
    std::vector<std::vector<std::string>> lines{headers};
    for (const CaseOutcome& o : outcomes)
        lines.push_back(Fields(o, job, true));
    std::vector<std::size_t> widths(headers.size(), 0);
    for (const auto& line : lines)
        for (std::size_t k = 0; k < line.size(); ++k)
            widths[k] = std::max(widths[k], Width(line[k]));
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t k = 0; k < line.size(); ++k) {
            text += line[k];
            if (k + 1 < line.size())
                text += std::string(widths[k] - Width(line[k]) + 2, ' ');
        }
        out += text + "\n";
    }
    for (const CaseOutcome& o : outcomes) {
        if (!o.reason.empty())
            out += o.file + ": " + o.reason + "\n";
        if (!o.detailsFailure.empty())
            out += o.file + ": " + o.detailsFailure + "\n";
    }
    int counts[4] = {0, 0, 0, 0};
    Count(outcomes, counts);
    return out + ManyCasesCountText(counts[0], counts[1], counts[2], counts[3]) + "\n";
}

std::string ManyCasesJson(const std::vector<CaseOutcome>& outcomes, CaseJob job)
{
    JsonDocument rows = JsonDocument::array();
    for (const CaseOutcome& o : outcomes) {
        const CaseVerdict& v = o.verdict;
        const bool checked = Checked(o);
        JsonDocument item;
        item["file"] = o.file;
        item["status"] = CaseStandingKey(o.standing);
        item["reason"] = o.reason.empty() ? JsonDocument(nullptr) : JsonDocument(o.reason);
        item["combinations"] = o.combinations;
        // A design holds by its choice: with no diameter that suffices the
        // combinations may still hold with the largest (its steel beyond
        // As,máx, or its bars outside the outline).
        item["holds"] = job == CaseJob::Design ? o.standing == CaseStanding::Holds : checked && v.holds;
        item["governing"] = checked && v.governing >= 0 ? JsonDocument(v.governing) : JsonDocument(nullptr);
        item["governing_name"] = checked && v.governing >= 0 ? JsonDocument(v.governingName) : JsonDocument(nullptr);
        item["governing_situation"] =
            checked && v.governingSituation ? JsonDocument(SituationKey(*v.governingSituation)) : JsonDocument(nullptr);
        item["utilisation"] = checked ? JsonReal(v.utilisation) : JsonDocument(nullptr);
        if (checked) {
            JsonDocument steel;
            steel["as"] = JsonReal(v.limits.steelArea);
            steel["as_min"] = JsonReal(v.limits.minimum);
            steel["as_max"] = JsonReal(v.limits.maximum);
            steel["limits"] = v.steel ? JsonDocument(ColumnSteelKeys(*v.steel)) : JsonDocument(nullptr);
            item["steel"] = std::move(steel);
        } else {
            item["steel"] = nullptr;
        }
        item["message"] = checked ? JsonDocument(CaseVerdictText(v)) : JsonDocument(nullptr);
        if (job == CaseJob::Design) {
            const DesignChoice* d = checked && o.design ? &*o.design : nullptr;
            item["chosen"] = d ? JsonReal(d->chosen) : JsonDocument(nullptr);
            item["judged_diameter"] = d ? JsonReal(d->judged) : JsonDocument(nullptr);
            item["as_needed"] = d ? JsonReal(d->areaNeeded) : JsonDocument(nullptr);
            item["choice"] = d ? JsonDocument(d->text) : JsonDocument(nullptr);
        }
        item["details"] = o.details.empty() ? JsonDocument(nullptr) : JsonDocument(o.details);
        rows.push_back(std::move(item));
    }
    int counts[4] = {0, 0, 0, 0};
    Count(outcomes, counts);
    JsonDocument document;
    document["command"] = job == CaseJob::Check ? "check" : "design";
    document["cases"] = outcomes.size();
    document["holding"] = counts[0];
    document["failing"] = counts[1];
    document["faulted"] = counts[2];
    document["not_checked"] = counts[3];
    document["rows"] = std::move(rows);
    return JsonText(document);
}

std::string ManyCasesCsv(const std::vector<CaseOutcome>& outcomes, CaseJob job)
{
    std::string out = std::string("arquivo;veredito;combinacao;situacao_pilar;eta;") +
                      (job == CaseJob::Design ? "diametro;as_nec;" : "") + "as;as_min;as_max;limites;motivo\n";
    for (const CaseOutcome& o : outcomes) {
        const std::vector<std::string> fields = Fields(o, job, false);
        for (std::size_t k = 0; k < fields.size(); ++k)
            out += fields[k] + (k + 1 < fields.size() ? ";" : "\n");
    }
    return out;
}

int ManyCasesExitStatus(const std::vector<CaseOutcome>& outcomes)
{
    int status = 0;
    for (const CaseOutcome& o : outcomes) {
        if (o.standing == CaseStanding::NotChecked || o.status == 2)
            return 2;
        if (o.status != 0)
            status = 3;
    }
    return status;
}

} // namespace flexara
