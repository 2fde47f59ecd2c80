#include "cli/CommandLine.h"
#include "cli/SurfaceReport.h"

#include "engine/Faults.h"
#include "engine/NumberText.h"
#include "engine/Workers.h"
#include "project/CsvText.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace flexara::cli {

void AddCaseArguments(CLI::App& command, CaseArguments& arguments)
{
    command.add_option("CASE", arguments.input, "the project file (.fxr)")->required()->type_name("CASE.fxr");
    command.add_option("-o,--output", arguments.output, "the output file (standard output when not given)")
        ->type_name("OUT");
}

int Usage(const std::string& message)
{
    std::cerr << "flexara-cli: " << message << "\n(flexara-cli --help explains the usage)\n";
    return 1;
}

bool ParseNumber(const std::string& text, double& value)
{
    std::string normal = text;
    for (char& c : normal)
        if (c == '.')
            c = ',';
    return ParseReal(normal, value);
}

// Standard output that cannot take the whole text (a full disk, /dev/full, a
// closed pipe, no standard output at all) is a failure, never a truncated
// report with status 0.
int WriteStandardOutput(const std::string& text)
{
    errno = 0;
    const std::size_t put = std::fwrite(text.data(), 1, text.size(), stdout);
    if (put == text.size() && std::fflush(stdout) == 0)
        return 0;
    const int error = errno != 0 ? errno : EIO;
    std::cerr << "flexara-cli: standard output: "
              << (error == EBADF ? std::string("it is closed.") : WithFullStop(IoErrorMessage(error))) << "\n";
    return 1;
}

int WriteOutput(const std::string& path, const std::string& text)
{
    if (path.empty() || path == "-")
        return WriteStandardOutput(text);
    try {
        SaveFileBytes(path, text);
    } catch (const ProjectFileError& error) {
        std::cerr << "flexara-cli: " << path << ": " << WithFullStop(error.what()) << "\n";
        return 1;
    }
    return 0;
}

bool IsOneOf(const std::string& output, std::initializer_list<std::string> inputs)
{
    if (output.empty() || output == "-")
        return false;
    for (const std::string& input : inputs)
        if (!input.empty() && (output == input || SameFile(output, input)))
            return true;
    return false;
}

void AddModelOption(CLI::App& command, std::string& model)
{
    command
        .add_option("--model", model, "the calculation model instead of the case's: classic, rectangular or parabola")
        ->type_name("MODEL");
}

bool ModelOption(const CLI::App& command, const std::string& text, std::optional<CalculationModel>& model, int& status)
{
    if (command.count("--model") == 0)
        return true;
    CalculationModel given{};
    if (!ModelOfKey(text, given)) {
        status = Usage("--model takes classic, rectangular or parabola");
        return false;
    }
    model = given;
    return true;
}

void AddLevelsOption(CLI::App& command, std::string& levels)
{
    command
        .add_option("--levels", levels,
                    "the levels of Nd between the two ends, 1 to " + std::to_string(MaxSurfaceLevels) + " (default " +
                        std::to_string(DefaultSurfaceLevels) + ")")
        ->type_name("K");
}

bool LevelsOption(const CLI::App& command, const std::string& text, int& levels, int& status)
{
    levels = DefaultSurfaceLevels;
    if (command.count("--levels") == 0)
        return true;
    std::int32_t given = 0;
    if (!ParseInteger(text, given) || given < 1 || given > MaxSurfaceLevels) {
        status = Usage("--levels takes a whole number from 1 to " + std::to_string(MaxSurfaceLevels));
        return false;
    }
    levels = given;
    return true;
}

std::optional<Column> CaseColumn(const LoadedCase& loaded)
{
    return loaded.column;
}

bool ColumnLengthsGiven(const LoadedCase& loaded, const std::string& input, int& status)
{
    if (!loaded.column)
        return true;
    const std::optional<ColumnLengthFault> fault = ColumnLengthFaultOf(*loaded.column);
    if (!fault)
        return true;
    std::cerr << "flexara-cli: " << input << ": " << WithFullStop(ColumnLengthText(*fault)) << "\n";
    status = 1;
    return false;
}

std::optional<LoadedCase> LoadCase(const std::string& input, int& status)
{
    LoadedCase loaded;
    try {
        loaded.selection = LoadProjectFileHeadless(input, *loaded.state, &loaded.combinations, &loaded.column,
                                                    &loaded.detailing);
    } catch (const ProjectFileError& error) {
        std::cerr << "flexara-cli: " << input << ": " << WithFullStop(error.what()) << "\n";
        status = 1;
        return std::nullopt;
    } catch (const EngineError& error) {
        // A numeric fault of the refreshes the reading runs (a bar area beyond
        // the double range).
        std::cerr << "flexara-cli: " << input << ": " << WithFullStop(FaultText(error.fault())) << "\n";
        status = 2;
        return std::nullopt;
    }
    return loaded;
}

std::optional<LoadedCase> LoadCaseInModel(const CLI::App& command, const std::string& input,
                                          const std::string& modelText, int& status)
{
    std::optional<CalculationModel> model;
    if (!ModelOption(command, modelText, model, status))
        return std::nullopt;
    std::optional<LoadedCase> loaded = LoadCase(input, status);
    if (!loaded)
        return std::nullopt;
    loaded->modelInFile = loaded->state->Model;
    if (model)
        loaded->state->Model = *model;
    return loaded;
}

std::optional<CombinationList> CombinationsOf(const LoadedCase& loaded, const std::string& loads, int& status)
{
    CombinationList combinations = loaded.combinations;
    if (!loads.empty()) {
        try {
            // Base moments have somewhere to go only in a case with a column.
            combinations = ReadCombinationsCsv(LoadCsvBytes(loads), MaxCombinations,
                                               loaded.column ? LoadsTarget::Column : LoadsTarget::CaseWithoutColumn);
        } catch (const ProjectFileError& error) {
            std::cerr << "flexara-cli: " << loads << ": " << WithFullStop(error.what()) << "\n";
            status = 1;
            return std::nullopt;
        }
    }
    if (combinations.empty()) {
        status = Usage(loads.empty() ? "the case has no load combinations: give them with --loads LOADS.csv"
                                     : "no load combinations in " + loads);
        return std::nullopt;
    }
    return combinations;
}

int RefuseOutputOverInputs(const CaseArguments& files, const std::string& loads)
{
    if (IsOneOf(files.output, {files.input}))
        return Usage("the output " + files.output + " is the project file itself");
    if (!loads.empty() && IsOneOf(files.output, {loads}))
        return Usage("the output " + files.output + " is the file of load combinations itself");
    return 0;
}

int RunDiagramCommand(const CLI::App& command, const CaseArguments& files, const std::string& model, int levels,
                      bool picture, const DiagramText& text)
{
    if (const int refused = RefuseOutputOverInputs(files); refused != 0)
        return refused;
    int status = 0;
    std::optional<LoadedCase> loaded = LoadCaseInModel(command, files.input, model, status);
    if (!loaded)
        return status;
    const CombinationList drawn = picture ? loaded->combinations : CombinationList{};
    // A picture draws each combination where the column check judges it.
    const DiagramStudy study =
        StudyDiagrams(*loaded->state, loaded->selection, drawn, loaded->column, levels, WorkerThreads());
    const int written = WriteOutput(files.output, text(*loaded, drawn, study));
    // A refusal is said whatever the format: a mesh or a CSV has no place for it.
    for (const CurveWarning warning : study.surface.warnings)
        std::cerr << "flexara-cli: " << WarningText(warning) << "\n";
    if (study.surface.fault)
        std::cerr << "flexara-cli: " << WithFullStop(FaultText(*study.surface.fault)) << "\n";
    if (written != 0)
        return written;
    return SurfaceExitStatus(study.surface);
}

} // namespace flexara::cli
