#include "report/OffscreenGui.h"

#include <QDir>
#include <QGuiApplication>

#include <cerrno>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <memory>

namespace flexara {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    // Drawing needs no screen: the offscreen platform, whatever the display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    // On Windows the offscreen platform reads its fonts with FreeType from one
    // folder only: Windows' own, where Arial is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR",
                (qEnvironmentVariable("SystemRoot", QStringLiteral("C:/Windows")) + "/Fonts").toUtf8());
#else
    // The folder Qt would take for its runtime files, made quietly.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray folder = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(::getuid());
        if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", folder);
    }
#endif
    static int argc = 1;
    static char name[] = "flexara-cli";
    static char* argv[] = {name, nullptr};
    static const std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace flexara
