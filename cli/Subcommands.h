// The subcommands of flexara-cli. Each adds itself to the parser with its
// options and returns the action to run when it is the one given.
#pragma once

#include "cli/CommandLine.h"

namespace flexara::cli {

Action AddCurveCommand(CLI::App& app);
Action AddCheckCommand(CLI::App& app);
Action AddDesignCommand(CLI::App& app);
Action AddReportCommand(CLI::App& app);
Action AddRewriteCommand(CLI::App& app);
Action AddSurfaceCommand(CLI::App& app);
Action AddNmCommand(CLI::App& app);
Action AddCurvatureCommand(CLI::App& app);

// The text of flexara-cli --help.
extern const char* const HelpText;

} // namespace flexara::cli
