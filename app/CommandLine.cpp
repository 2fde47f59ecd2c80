#include "app/CommandLine.h"

#include "editor/DocumentCommands.h"
#include "editor/TFPrincipal.h"
#include "uikit/FlexaraApplication.h"

#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <ostream>

namespace flexara {

namespace {

const char* const Help = R"(Uso: flexara [ARQUIVO.fxr]
     flexara --help | --version

Verifica uma seção de concreto armado à flexão composta oblíqua: para a força
normal de cálculo Nd, traça a curva de interação no plano dos momentos de
cálculo (Mxd, Myd), com o ponto de cálculo ao lado.

  ARQUIVO.fxr   projeto a abrir ao iniciar, como pelo menu Arquivo, Abrir...
                (um caminho ou um endereço file://)
  -h, --help    mostra esta ajuda e sai
  --version     mostra a versão e sai

Aceita também as opções do Qt, como -platform e -style. Para gerar a curva
sem a janela, use flexara-cli.
)";

// A file manager may hand over a file:// address instead of a path; an address
// of any other kind names no file on this machine.
std::optional<QString> LocalPath(const QString& argument, QString& refusal)
{
    static const QRegularExpression address(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (argument.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        QUrl url(argument);
        if (url.isValid() && (url.host().isEmpty() || url.host() == QStringLiteral("localhost"))) {
            url.setHost(QString());
            return url.toLocalFile();
        }
    } else if (!address.match(argument).hasMatch()) {
        return argument;
    }
    refusal = QStringLiteral("só um arquivo local pode ser aberto, não \"%1\".").arg(argument);
    return std::nullopt;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    QString unknownOption;
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QStringLiteral("--"))
            optionsEnded = true;
        else if (!optionsEnded && (argument == QStringLiteral("-h") || argument == QStringLiteral("--help")))
            help = true;
        else if (!optionsEnded && argument == QStringLiteral("--version"))
            version = true;
        else if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (unknownOption.isEmpty())
                unknownOption = argument;
        } else
            files << argument;
    }
    if (help || version) {
        line.request = help ? StartRequest::Help : StartRequest::Version;
        return line;
    }
    line.request = StartRequest::Refused;
    if (!unknownOption.isEmpty()) {
        line.refusal = QStringLiteral("opção desconhecida \"%1\".").arg(unknownOption);
        return line;
    }
    if (files.size() > 1) {
        line.refusal =
            QStringLiteral("só um projeto pode ser aberto por vez, e foram dados %1 arquivos.").arg(files.size());
        return line;
    }
    if (!files.isEmpty()) {
        const std::optional<QString> path = LocalPath(files.constFirst(), line.refusal);
        if (!path)
            return line;
        line.projectFile = *path;
    }
    line.request = StartRequest::Windows;
    return line;
}

QString HelpText()
{
    return QString::fromUtf8(Help);
}

QString VersionText()
{
    return QString::fromUtf8(ApplicationTitle);
}

std::optional<int> AnswerWithoutWindows(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    switch (line.request) {
    case StartRequest::Help:
        out << HelpText().toStdString() << std::flush;
        return 0;
    case StartRequest::Version:
        out << VersionText().toStdString() << '\n' << std::flush;
        return 0;
    case StartRequest::Refused:
        err << "flexara: " << line.refusal.toStdString() << "\nUse \"flexara --help\" para ver as opções.\n"
            << std::flush;
        return RefusedArgumentsStatus;
    case StartRequest::Windows:
        break;
    }
    return std::nullopt;
}

std::optional<int> AnswerBeforeApplication(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Qt's options are still among the arguments: only help and version are
    // sure to be ours here.
    const CommandLine line = ParseCommandLine(arguments);
    if (line.request != StartRequest::Help && line.request != StartRequest::Version)
        return std::nullopt;
    return AnswerWithoutWindows(line, out, err);
}

ProgramWindows StartProgram(const CommandLine& line)
{
    ProgramWindows windows = CreateProgramWindows();
    TFPrincipal* main = windows.FPrincipal.get();
    main->show();
    if (!line.projectFile.isEmpty()) {
        // From the event loop, as a menu command runs: the window is up behind
        // the error box of a file that cannot be read.
        QTimer::singleShot(
            0, main, [main, path = line.projectFile] { RunCommand([&] { main->Documents->ReadProjectFile(path); }); });
    }
    return windows;
}

} // namespace flexara
