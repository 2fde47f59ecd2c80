// flexara-cli check and design of many cases: the files of the command line
// and of --list, one summary row each, the full reports with --details.
#include "cli/CommandLine.h"

#include "engine/Faults.h"
#include "engine/Workers.h"
#include "project/ProjectFile.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace flexara::cli {

namespace {

// The paths of a list: one a line, an empty line skipped, a line end of
// either system; a path relative to the folder the command runs in.
bool ReadList(const std::string& list, std::vector<std::string>& files)
{
    std::string bytes;
    try {
        bytes = LoadProjectBytes(list);
    } catch (const ProjectFileError& error) {
        std::cerr << "flexara-cli: " << list << ": " << WithFullStop(error.what()) << "\n";
        return false;
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            files.push_back(line);
        start = end + 1;
    }
    return true;
}

// Two cases whose reports would have the same name in DIR: said, and the
// command refused before anything runs.
int RefuseClashingDetails(const std::vector<std::string>& files, const std::string& folder)
{
    std::map<std::string, std::string> taken;
    for (const std::string& file : files) {
        const std::string name = DetailsName(file);
        const auto [at, fresh] = taken.emplace(name, file);
        if (!fresh)
            return Usage("--details: " + at->second + " and " + file + " would both write " + folder + "/" + name);
    }
    return 0;
}

bool OnTerminal(int descriptor)
{
    return isatty(descriptor) != 0;
}

} // namespace

void AddManyCaseArguments(CLI::App& command, ManyCaseArguments& arguments)
{
    command.add_option("CASE", arguments.inputs, "the project files (.fxr)")->type_name("CASE.fxr");
    command.add_option("-o,--output", arguments.output, "the output file (standard output when not given)")
        ->type_name("OUT");
    command.add_option("--list", arguments.list, "a file naming the cases, one path a line")->type_name("FILE");
    command.add_option("--details", arguments.details, "a folder for each case's full report, NAME.json")
        ->type_name("DIR");
}

bool RunsManyCases(const CLI::App& command, const ManyCaseArguments& arguments)
{
    return arguments.inputs.size() > 1 || command.count("--list") > 0 || command.count("--details") > 0;
}

int RunManyCaseCommand(const CLI::App& command, const ManyCaseArguments& arguments, CaseJob job,
                       const std::string& model, const std::string& format)
{
    const bool toTerminal = (arguments.output.empty() || arguments.output == "-") && OnTerminal(1);
    const std::string form = command.count("--format") > 0 ? format : toTerminal ? "table" : "json";
    if (form != "table" && form != "json" && form != "csv")
        return Usage("--format takes table, json or csv");
    if (command.count("--list") > 0 && arguments.list.empty())
        return Usage("--list needs a file naming the cases, one path a line");
    if (command.count("--details") > 0 && arguments.details.empty())
        return Usage("--details needs a folder for the reports");
    ManyCasesOptions options;
    options.job = job;
    int status = 0;
    if (!ModelOption(command, model, options.model, status))
        return status;

    std::vector<std::string> files = arguments.inputs;
    if (!arguments.list.empty()) {
        if (!ReadList(arguments.list, files))
            return 1;
        if (files.size() == arguments.inputs.size())
            return Usage("no cases in " + arguments.list);
    }
    if (files.empty())
        return Usage("CASE is required");
    for (const std::string& file : files)
        if (IsOneOf(arguments.output, {file}))
            return Usage("the output " + arguments.output + " is the project file " + file);
    if (IsOneOf(arguments.output, {arguments.list}))
        return Usage("the output " + arguments.output + " is the list of cases itself");
    if (!arguments.details.empty()) {
        if (const int refused = RefuseClashingDetails(files, arguments.details); refused != 0)
            return refused;
        std::error_code error;
        std::filesystem::create_directories(arguments.details, error);
        if (!std::filesystem::is_directory(arguments.details)) {
            std::cerr << "flexara-cli: " << arguments.details << ": "
                      << (error ? WithFullStop(error.message()) : std::string("Not a folder.")) << "\n";
            return 1;
        }
        options.detailsFolder = arguments.details;
    }

    // One case per worker, each on one thread: as many cases run at once as
    // there are cores.
    options.threads = WorkerThreads();
    const bool progress = OnTerminal(2);
    std::size_t shown = 0;
    if (progress)
        options.progress = [&](int done, int total) {
            const std::string line = "flexara-cli: " + std::string(job == CaseJob::Check ? "check" : "design") + " " +
                                     std::to_string(done) + "/" + std::to_string(total);
            std::cerr << "\r" << line << std::flush;
            shown = line.size();
        };
    const std::vector<CaseOutcome> outcomes = RunManyCases(files, options);
    if (progress && shown > 0)
        std::cerr << "\r" << std::string(shown, ' ') << "\r" << std::flush;

    const std::string text = form == "table" ? ManyCasesTable(outcomes, job)
                             : form == "csv" ? ManyCasesCsv(outcomes, job)
                                             : ManyCasesJson(outcomes, job);
    const int written = WriteOutput(arguments.output, text);
    bool detailsFailed = false;
    for (const CaseOutcome& outcome : outcomes)
        if (!outcome.detailsFailure.empty()) {
            std::cerr << "flexara-cli: " << outcome.detailsFailure << "\n";
            detailsFailed = true;
        }
    if (written != 0 || detailsFailed)
        return 1;
    return ManyCasesExitStatus(outcomes);
}

} // namespace flexara::cli
