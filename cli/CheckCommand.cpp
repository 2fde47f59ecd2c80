// flexara-cli check: the load combinations of a case, or of a CSV file,
// checked on its section, or as its column when the case has one.
#include "cli/CheckReport.h"
#include "cli/Subcommands.h"
#include "project/CsvText.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <iostream>

namespace flexara::cli {

namespace {

struct CheckArguments {
    ManyCaseArguments cases;
    std::string loads;
    std::string nd;
    std::string format = "json";
    std::string model;
};

} // namespace

Action AddCheckCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("check", "the load combinations of a case, checked on its section");
    auto arguments = std::make_shared<CheckArguments>();
    AddManyCaseArguments(*command, arguments->cases);
    command->add_option("--loads", arguments->loads, "a CSV file of load combinations, instead of the case's")
        ->type_name("LOADS.csv");
    // Taken only to be refused with a reason: each combination has its own Nd.
    command->add_option("--nd", arguments->nd)->group("");
    command->add_option("--format", arguments->format, "json or csv")->type_name("FORMAT");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const CheckArguments& a = *arguments;
        if (a.cases.inputs.empty() && command->count("--list") == 0)
            return Usage("CASE is required");
        if (command->count("--nd") > 0)
            return Usage("--nd has no meaning for check: every combination has its own Nd");
        if (RunsManyCases(*command, a.cases)) {
            if (command->count("--loads") > 0)
                return Usage("--loads takes one case: of many, each is checked with its own combinations");
            return RunManyCaseCommand(*command, a.cases, CaseJob::Check, a.model, a.format);
        }
        const CaseArguments files{a.cases.inputs.front(), a.cases.output};
        if (command->count("--loads") > 0 && a.loads.empty())
            return Usage("--loads needs a CSV file of load combinations");
        if (a.format != "json" && a.format != "csv")
            return Usage("--format takes json or csv");
        if (const int refused = RefuseOutputOverInputs(files, a.loads); refused != 0)
            return refused;
        int status = 0;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, files.input, a.model, status);
        if (!loaded || !ColumnLengthsGiven(*loaded, files.input, status))
            return status;
        const std::optional<CombinationList> rows = CombinationsOf(*loaded, a.loads, status);
        if (!rows)
            return status;
        const CombinationList& combinations = *rows;
        // A case with a column checks its rows as a column, those of --loads
        // too (their base moments from mxd_base;myd_base, else the top's).
        const std::optional<Column>& column = loaded->column;
        const CombinationCheck check =
            CheckCombinations(*loaded->state, loaded->selection, combinations, column, WorkerThreads());
        const CaseVerdict verdict =
            JudgeCase(*loaded->state, loaded->selection, combinations, check, column, loaded->detailing);
        const std::string text = a.format == "csv"
                                     ? WriteCombinationsCsv(combinations, &check, column.has_value())
                                     : CheckJson(combinations, check, loaded->state->Model, column, &verdict);
        const int written = WriteOutput(files.output, text);
        // The JSON holds the warnings; a CSV has no place for them.
        if (a.format == "csv")
            for (const CaseWarning warning : verdict.warnings)
                std::cerr << "flexara-cli: " << CaseWarningText(warning) << "\n";
        return written != 0 ? written : CheckExitStatus(verdict);
    };
}

} // namespace flexara::cli
