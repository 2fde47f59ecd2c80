// The command line of flexara-cli: one subcommand per job, each a function
// that adds its options to the parser (CLI11) and returns what it does once
// the line is parsed. What the subcommands share is here: the case they read,
// their output, the refusal of an output that is one of their inputs, and the
// messages of a bad command line. A new subcommand is one more Add...Command
// in Subcommands.h and one more line in main().
#pragma once

#include "cli/ManyCases.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Detailing.h"
#include "engine/diagrams/Surface.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace flexara::cli {

// What a subcommand does after the parse: its exit status.
using Action = std::function<int()>;

// The case file every subcommand reads and the -o OUT it writes ("" or "-"
// for standard output).
struct CaseArguments {
    std::string input;
    std::string output;
};

// Adds CASE.fxr and -o/--output to a subcommand.
void AddCaseArguments(CLI::App& command, CaseArguments& arguments);

// The cases of check and design: one file or many (CASE.fxr..., and those of
// --list, one path a line), the summary's -o OUT and --details DIR.
struct ManyCaseArguments {
    std::vector<std::string> inputs;
    std::string list;
    std::string details;
    std::string output;
};
void AddManyCaseArguments(CLI::App& command, ManyCaseArguments& arguments);
// Whether the command runs as many cases: more than one file, --list or
// --details; a single file alone runs as it always did.
bool RunsManyCases(const CLI::App& command, const ManyCaseArguments& arguments);
// The run of many cases, --format table|json|csv (a table by default on a
// terminal, else JSON), --model for all, a progress line on a terminal's
// standard error; the summary to OUT and the status of the whole.
int RunManyCaseCommand(const CLI::App& command, const ManyCaseArguments& arguments, CaseJob job,
                       const std::string& model, const std::string& format);

// A bad command line: the message, a hint at --help, exit status 1.
int Usage(const std::string& message);

// A number of the command line: "." as the decimal point, a comma too.
bool ParseNumber(const std::string& text, double& value);

// Writes text to the file (replaced whole or not at all) or to standard
// output; 0, or 1 after saying why it failed.
int WriteOutput(const std::string& path, const std::string& text);
int WriteStandardOutput(const std::string& text);

// Whether output names one of the inputs (the same path, or the same file
// through a link or a second name); standard output never does.
bool IsOneOf(const std::string& output, std::initializer_list<std::string> inputs);

// --model classic|rectangular|parabola: the calculation model instead of the
// case's own.
void AddModelOption(CLI::App& command, std::string& model);
// The model the option gives, when it was given; false (after saying why,
// with the status of a bad command line in status) for a model of no name.
bool ModelOption(const CLI::App& command, const std::string& text, std::optional<CalculationModel>& model, int& status);

// --levels K: the levels of Nd of a surface, 1..MaxSurfaceLevels.
void AddLevelsOption(CLI::App& command, std::string& levels);
// The levels the option gives, DefaultSurfaceLevels when it was not given;
// false (after saying why, with the status of a bad command line in status)
// for anything but a whole number in range.
bool LevelsOption(const CLI::App& command, const std::string& text, int& levels, int& status);

// The case as the program reads it.
struct LoadedCase {
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    MaterialSelection selection;
    CombinationList combinations;
    std::optional<Column> column; // the case's column, when the file has one
    std::optional<Detailing> detailing; // the case's detailing data, when the file has them
    // The file's own model, also when --model replaced it for the run.
    CalculationModel modelInFile = CalculationModel::Classic;
};

// The column of the case, for the checks that take one: the file's block
// "pilar", none without it.
std::optional<Column> CaseColumn(const LoadedCase& loaded);

// Whether the case's column, when it has one, can be checked: a positive le
// in each bending. When not (a file written with le 0 opens, but no command
// checks it), says why, naming the file and the bending, and gives status 1.
bool ColumnLengthsGiven(const LoadedCase& loaded, const std::string& input, int& status);

// Reads the case; on failure says why and gives the exit status (1 for a
// file that cannot be read, 2 for a fault of the reading).
std::optional<LoadedCase> LoadCase(const std::string& input, int& status);

// The case of a subcommand in the model of its --model, when given: as
// LoadCase, and a model of no name is a bad command line.
std::optional<LoadedCase> LoadCaseInModel(const CLI::App& command, const std::string& input,
                                          const std::string& modelText, int& status);

// The load combinations a subcommand takes: those of the CSV file loads when
// one is named, else the case's; none, after saying why (status 1 for a CSV
// that cannot be read, a bad command line when there are no rows).
std::optional<CombinationList> CombinationsOf(const LoadedCase& loaded, const std::string& loads, int& status);

// 0 when the output is none of the inputs (the case, and loads when named),
// else the status of a bad command line after naming the input.
int RefuseOutputOverInputs(const CaseArguments& files, const std::string& loads = {});

// What a command of the surface writes of the study of its case: the text
// itself, from the case, the combinations drawn and the study.
using DiagramText =
    std::function<std::string(const LoadedCase& loaded, const CombinationList& drawn, const DiagramStudy& study)>;

// The run of a command of the surface (surface, nm): the output refused over
// the case, the case in its model, its surface at `levels` levels (the
// combinations checked only when a picture draws them), the text written and
// the surface's fault said on standard error; the status of the whole.
int RunDiagramCommand(const CLI::App& command, const CaseArguments& files, const std::string& model, int levels,
                      bool picture, const DiagramText& text);

} // namespace flexara::cli
