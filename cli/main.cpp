// flexara-cli: the engine and the codec without a window. The subcommands
// parse their own options (CLI11); --help at any place prints the whole usage.
#include "cli/ProgramArguments.h"
#include "cli/Subcommands.h"

#include <map>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace flexara::cli;
    // UTF-8 on every system (on Windows from the UTF-16 command line).
    const std::vector<std::string> arguments = flexara::ProgramArguments(argc, argv);
    if (arguments.empty())
        return Usage("no command given");

    CLI::App app("flexara-cli - interaction curve of a reinforced-concrete section, without a window", "flexara-cli");
    app.require_subcommand(1);
    // Options begin with "-" on every system: on Windows too a word such as
    // /S or /tmp/pilar.fxr is an argument, never an option.
    app.allow_windows_style_options(false);
    const std::map<std::string, Action> actions = {
        {"curve", AddCurveCommand(app)},   {"check", AddCheckCommand(app)},         {"design", AddDesignCommand(app)},
        {"report", AddReportCommand(app)}, {"rewrite", AddRewriteCommand(app)},     {"surface", AddSurfaceCommand(app)},
        {"nm", AddNmCommand(app)},         {"curvature", AddCurvatureCommand(app)},
    };
    const std::string& first = arguments.front();
    if (first.empty() || (first[0] != '-' && actions.count(first) == 0))
        return Usage("unknown command \"" + first + "\"");

    try {
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend()); // as CLI11 takes them
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return WriteStandardOutput(HelpText);
    } catch (const CLI::CallForAllHelp&) {
        return WriteStandardOutput(HelpText);
    } catch (const CLI::ParseError& error) {
        return Usage(error.what());
    }
    for (CLI::App* command : app.get_subcommands())
        return actions.at(command->get_name())();
    return Usage("no command given");
}
