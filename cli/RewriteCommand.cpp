// flexara-cli rewrite: a case read as the program reads it and written again
// as the window's Save writes it, every block it knows included.
#include "cli/Subcommands.h"
#include "project/ProjectFile.h"
#include "texts/Words.h"

#include <iostream>

namespace flexara::cli {

Action AddRewriteCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("rewrite", "a case written again in the program's own form");
    auto arguments = std::make_shared<CaseArguments>();
    AddCaseArguments(*command, *arguments);
    return [arguments]() -> int {
        const CaseArguments& a = *arguments;
        if (a.output.empty())
            return Usage("rewrite needs -o OUT.fxr");
        int status = 0;
        const std::optional<LoadedCase> loaded = LoadCase(a.input, status);
        if (!loaded)
            return status;
        ProjectWriteInput input;
        input.concreteIndex = loaded->selection.concreteIndex;
        input.steelIndex = loaded->selection.steelIndex;
        input.dimFieldVisible = VisibleDimFieldsOf(loaded->state->Section.ShapeKind);
        input.combinations = &loaded->combinations;
        input.column = &loaded->column;
        input.detailing = &loaded->detailing;
        // A rewrite writes a project file: over its own case it may.
        try {
            return WriteOutput(a.output, WriteProjectText(*loaded->state, input));
        } catch (const ProjectFileError& error) {
            std::cerr << "flexara-cli: " << WithFullStop(error.what()) << "\n";
            return 1;
        }
    };
}

} // namespace flexara::cli
