// The application object of the program and of the window tests: the title,
// the fonts of the fixed layout and the one place where a failure that ends a
// command (a floating-point fault, a refused input, a file error) is caught and
// shown in the error box, after which the program goes on.
#pragma once

#include "engine/Version.h"

#include <QApplication>
#include <QString>

#include <exception>

namespace flexara {

class FlexaraApplication : public QApplication {
    Q_OBJECT
public:
    FlexaraApplication(int& argc, char** argv);

    // The event boundary: an exception that ends a command stops here.
    bool notify(QObject* receiver, QEvent* event) override;

    // The text of the last error box shown ("" before the first).
    static QString LastErrorMessage();
    static void ForgetLastError();

    // The error box: the message with a full stop added after a final letter or
    // digit, captioned with the application title.
    static void ShowError(const char* message);
    // The error box of a failure: an engine fault in the program's words.
    static void ShowFailure(const std::exception& failure);
};

// Runs a command of the window; a failure ends it in the error box and the
// program goes on. The handlers that can fail run through here, so that no
// exception ever unwinds through Qt's own frames; notify() stays as the last
// line of defence.
template <class Command> void RunCommand(Command&& command)
{
    try {
        command();
    } catch (const std::exception& failure) {
        FlexaraApplication::ShowFailure(failure);
    }
}

// "MS Sans Serif" and "Arial" drawn with Liberation Sans (same metrics as the
// layout was made for), "Lucida Console" with Liberation Mono; 8 pt (11 px at
// 96 dpi) as the program's font.
void InstallProgramFonts();

// Loads Qt's own Brazilian Portuguese texts (Debian qt6-translations-l10n).
void InstallQtTranslations(QCoreApplication& application);

} // namespace flexara
