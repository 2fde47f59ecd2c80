// flexara: the desktop program. One case at a time in the main window, until
// the main window closes; a project file named on the command line is opened
// at the start.
#include "app/CommandLine.h"
#include "uikit/FlexaraApplication.h"

#include <iostream>

int main(int argc, char** argv)
{
    // --help and --version need no display.
    if (const auto status = flexara::AnswerBeforeApplication(argc, argv, std::cout, std::cerr))
        return *status;
    flexara::FlexaraApplication application(argc, argv);
    const flexara::CommandLine line = flexara::ParseCommandLine(QApplication::arguments());
    if (const auto status = flexara::AnswerWithoutWindows(line, std::cout, std::cerr))
        return *status;
    const flexara::ProgramWindows windows = flexara::StartProgram(line);
    return application.exec();
}
