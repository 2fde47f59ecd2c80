// The command line of the desktop program. What is left once Qt has taken its
// own options (-platform, -style, ...) names at most one project file, which is
// opened when the windows are up, as "&Abrir..." opens it; --help and
// --version answer on standard output without a window; anything else is
// refused on standard error.
#pragma once

#include "editor/ProgramWindows.h"

#include <QString>
#include <QStringList>

#include <iosfwd>
#include <optional>

namespace flexara {

enum class StartRequest { Windows, Help, Version, Refused };

struct CommandLine {
    StartRequest request = StartRequest::Windows;
    // The project file to open at the start; empty for the default case.
    QString projectFile;
    // Why the arguments were refused, one sentence.
    QString refusal;
};

// The exit status of refused arguments (0 for help and version).
inline constexpr int RefusedArgumentsStatus = 2;

// arguments[0] is the program, as in QCoreApplication::arguments(). --help
// and --version win over every other argument before "--", so that they can
// answer before Qt has taken its options.
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString VersionText();

// Prints the help or the version on out (status 0) or the refusal on err
// (RefusedArgumentsStatus); nothing, and no status, for a start of the windows.
std::optional<int> AnswerWithoutWindows(const CommandLine& line, std::ostream& out, std::ostream& err);

// Before the application object, which needs a display: answers --help and
// --version from the raw arguments and leaves the rest to the application.
std::optional<int> AnswerBeforeApplication(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The windows of the run with the main window shown. The project file, if
// any, is read from the event loop as "&Abrir..." reads it after its dialog:
// a failure ends in the error box and the window stays up.
ProgramWindows StartProgram(const CommandLine& line);

} // namespace flexara
