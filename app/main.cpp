// flexara: the desktop program. One case at a time in the main window, until
// the main window closes.
#include "FlexaraApplication.h"
#include "ProgramWindows.h"
#include "TFPrincipal.h"

int main(int argc, char** argv)
{
    flexara::FlexaraApplication application(argc, argv);
    flexara::ProgramWindows windows = flexara::CreateProgramWindows();
    windows.FPrincipal->show();
    return application.exec();
}
