// flexara-cli design: the least bar diameter, in every line with bars, for
// which every load combination of a case (or of a CSV file) holds within the
// limits of the steel area, and the area needed; with --apply, the case
// written again with that diameter, in the model and with the combinations it
// was designed for. A rectangle whose case gives its detailing data is
// designed by its arrangement instead: every arrangement of corner bars and
// bars along the faces at the cover, the lightest that holds chosen, and
// --apply writes its lines, its stirrup diameter and spacing.
#include "cli/DesignReport.h"
#include "cli/Subcommands.h"
#include "engine/section/Ratio.h"
#include "project/CsvText.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <iostream>

namespace flexara::cli {

namespace {

struct DesignArguments {
    ManyCaseArguments cases;
    std::string loads;
    std::string format = "json";
    std::string model;
    bool apply = false;
};

// The project file of the case with these rows and the state's model.
std::string CaseText(const LoadedCase& loaded, const AnalysisState& state, const CombinationList& rows)
{
    ProjectWriteInput input;
    input.concreteIndex = loaded.selection.concreteIndex;
    input.steelIndex = loaded.selection.steelIndex;
    input.dimFieldVisible = VisibleDimFieldsOf(state.Section.ShapeKind);
    input.combinations = &rows;
    input.column = &loaded.column;
    input.detailing = &loaded.detailing;
    return WriteProjectText(state, input);
}

// The case as --apply writes it: in the model of the search, with the rows
// designed for (those of --loads too), read back through its own file, so
// that the design is made on what "check" of OUT will read, to the last digit.
LoadedCase AsWritten(const LoadedCase& loaded, const CombinationList& rows)
{
    LoadedCase written;
    written.selection = LoadProjectTextHeadless(CaseText(loaded, *loaded.state, rows), *written.state,
                                                &written.combinations, &written.column, &written.detailing);
    written.modelInFile = written.state->Model;
    return written;
}

int FailureStatus(const std::exception& failure)
{
    std::cerr << "flexara-cli: " << WithFullStop(FailureText(failure)) << "\n";
    return dynamic_cast<const EngineError*>(&failure) ? 2 : 1;
}

// The arrangement of a rectangle with detailing data: the report, and with
// --apply the case with the chosen arrangement.
int DesignArrangementOf(LoadedCase& loaded, const CombinationList& combinations, const DesignArguments& a,
                        const CaseArguments& files)
{
    const ArrangementDesign design = DesignArrangement(*loaded.state, loaded.selection, combinations,
                                                       CaseColumn(loaded), *loaded.detailing, WorkerThreads());
    const std::string text =
        a.format == "csv" ? ArrangementCsv(design) : ArrangementJson(combinations, design, loaded.state->Model);
    const int designed = ArrangementExitStatus(design);
    if (!a.apply) {
        const int written = WriteOutput(files.output, text);
        return written != 0 ? written : designed;
    }
    if (const int written = WriteStandardOutput(text); written != 0)
        return written;
    if (design.chosen < 0) {
        std::cerr << "flexara-cli: no arrangement holds every combination and every detailing rule. "
                  << files.output << " was not written.\n";
        return designed;
    }
    try {
        AnalysisState& state = *loaded.state;
        ApplyArrangement(state, *loaded.detailing, design.options[static_cast<std::size_t>(design.chosen)]);
        UpdateReinforcementRatio(state);
        const int written = WriteOutput(files.output, CaseText(loaded, state, combinations));
        return written != 0 ? written : designed;
    } catch (const std::exception& failure) {
        return FailureStatus(failure);
    }
}

} // namespace

Action AddDesignCommand(CLI::App& app)
{
    CLI::App* command =
        app.add_subcommand("design", "the least bar diameter for which every load combination of a case holds");
    auto arguments = std::make_shared<DesignArguments>();
    AddManyCaseArguments(*command, arguments->cases);
    command->add_option("--loads", arguments->loads, "a CSV file of load combinations, instead of the case's")
        ->type_name("LOADS.csv");
    command->add_option("--format", arguments->format, "json or csv")->type_name("FORMAT");
    command->add_flag("--apply", arguments->apply,
                      "write the case with the chosen diameter to -o OUT.fxr, in the model of --model and with the "
                      "combinations of --loads when given");
    AddModelOption(*command, arguments->model);
    return [arguments, command]() -> int {
        const DesignArguments& a = *arguments;
        if (a.cases.inputs.empty() && command->count("--list") == 0)
            return Usage("CASE is required");
        if (RunsManyCases(*command, a.cases)) {
            if (command->count("--loads") > 0)
                return Usage("--loads takes one case: of many, each is designed for its own combinations");
            if (a.apply)
                return Usage("--apply takes one case");
            return RunManyCaseCommand(*command, a.cases, CaseJob::Design, a.model, a.format);
        }
        const CaseArguments files{a.cases.inputs.front(), a.cases.output};
        if (command->count("--loads") > 0 && a.loads.empty())
            return Usage("--loads needs a CSV file of load combinations");
        if (a.format != "json" && a.format != "csv")
            return Usage("--format takes json or csv");
        if (a.apply && (files.output.empty() || files.output == "-"))
            return Usage("--apply needs -o OUT.fxr, the case to write with the chosen diameter");
        if (const int refused = RefuseOutputOverInputs(files, a.loads); refused != 0)
            return refused;
        int status = 0;
        std::optional<LoadedCase> loaded = LoadCaseInModel(*command, files.input, a.model, status);
        if (!loaded || !ColumnLengthsGiven(*loaded, files.input, status))
            return status;
        std::optional<CombinationList> rows = CombinationsOf(*loaded, a.loads, status);
        if (!rows)
            return status;
        if (a.apply) {
            try {
                loaded = AsWritten(*loaded, *rows);
            } catch (const std::exception& failure) {
                return FailureStatus(failure);
            }
            rows = loaded->combinations;
        }
        const CombinationList& combinations = *rows;
        if (DesignedByArrangement(*loaded->state, loaded->detailing))
            return DesignArrangementOf(*loaded, combinations, a, files);
        const DesignResult result =
            DesignReinforcement(*loaded->state, loaded->selection, combinations, CaseColumn(*loaded), WorkerThreads(),
                                nullptr, CurveReading::AroundEachRay, loaded->detailing);
        const std::string text = a.format == "csv" ? DesignCsv(combinations, result)
                                                   : DesignJson(combinations, result, loaded->state->Model);
        if (result.withoutBars)
            std::cerr << "flexara-cli: " << DesignChoiceText(result) << "\n";
        if (!a.apply) {
            const int written = WriteOutput(files.output, text);
            return written != 0 ? written : DesignExitStatus(result);
        }
        // --apply: the report on standard output, the case to OUT.fxr.
        if (const int written = WriteStandardOutput(text); written != 0)
            return written;
        const int designed = DesignExitStatus(result);
        if (result.chosen < 0) {
            std::cerr << "flexara-cli: " << WithFullStop(DesignChoiceText(result)) << " " << files.output
                      << " was not written.\n";
            return designed;
        }
        try {
            AnalysisState& state = *loaded->state;
            ApplyDiameterToEveryLine(state, result.options[static_cast<std::size_t>(result.chosen)].diameter);
            UpdateReinforcementRatio(state);
            const int written = WriteOutput(files.output, CaseText(*loaded, state, combinations));
            return written != 0 ? written : designed;
        } catch (const std::exception& failure) {
            return FailureStatus(failure);
        }
    };
}

} // namespace flexara::cli
