// The window tests run in the program's own application object (title, fonts,
// error box) on the offscreen platform.
#include "uikit/FlexaraApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    flexara::FlexaraApplication app(argc, argv);
    // Each test closes and destroys its own windows; the suite goes on.
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
