// The command line of the desktop program: what each kind of argument list
// asks for, what is printed and with which exit status, and the start on a
// project file given as an argument, read as "&Abrir..." reads it.
#include "app/CommandLine.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "tests/gui/ProgramWindowsFixture.h"
#include "tests/project/ProjectTestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <sstream>

namespace flexara {
namespace {

using testing::ModalScript;

const QString Example = QStringLiteral(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr");

struct ParseCase {
    const char* what;
    QStringList arguments; // after the program's name
    StartRequest request;
    QString projectFile;
    QString inRefusal; // a part of the refusal's text
};

TEST(CommandLine, EachArgumentListAsksForOneStart)
{
    const ParseCase cases[] = {
        {"no argument: the default case", {}, StartRequest::Windows, "", ""},
        {"one path", {"casos/pilar.fxr"}, StartRequest::Windows, "casos/pilar.fxr", ""},
        {"a path after --, though it starts with a dash", {"--", "-x.fxr"}, StartRequest::Windows, "-x.fxr", ""},
        {"--help after -- is a file name", {"--", "--help"}, StartRequest::Windows, "--help", ""},
        {"a file:// address, percent-encoded",
         {"file:///tmp/Se%C3%A7%C3%A3o%201.fxr"},
         StartRequest::Windows,
         QString::fromUtf8("/tmp/Seção 1.fxr"),
         ""},
        {"a file:// address on localhost", {"file://localhost/tmp/a.fxr"}, StartRequest::Windows, "/tmp/a.fxr", ""},
        {"a name with a colon is a path", {"pilar:20x40.fxr"}, StartRequest::Windows, "pilar:20x40.fxr", ""},
        {"--help", {"--help"}, StartRequest::Help, "", ""},
        {"-h", {"-h"}, StartRequest::Help, "", ""},
        {"--version", {"--version"}, StartRequest::Version, "", ""},
        {"--version beside a file", {"a.fxr", "--version"}, StartRequest::Version, "", ""},
        {"--help wins over --version", {"--version", "--help"}, StartRequest::Help, "", ""},
        {"--help wins over an unknown option", {"--cor", "--help"}, StartRequest::Help, "", ""},
        {"--help wins over two files", {"a.fxr", "b.fxr", "-h"}, StartRequest::Help, "", ""},
        {"an unknown option", {"--cor"}, StartRequest::Refused, "", "\"--cor\""},
        {"an unknown option beside a file", {"a.fxr", "-x"}, StartRequest::Refused, "", "\"-x\""},
        {"a lone dash", {"-"}, StartRequest::Refused, "", "\"-\""},
        {"two files", {"a.fxr", "b.fxr"}, StartRequest::Refused, "", "2 arquivos"},
        {"three files, one after --", {"a.fxr", "b.fxr", "--", "c.fxr"}, StartRequest::Refused, "", "3 arquivos"},
        {"an address of the web", {"https://flexara.example.org/a.fxr"}, StartRequest::Refused, "", "local"},
        {"a file:// address on another machine", {"file://servidor/a.fxr"}, StartRequest::Refused, "", "local"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CommandLine line = ParseCommandLine(QStringList{"flexara"} + c.arguments);
        EXPECT_EQ(line.request, c.request);
        EXPECT_EQ(line.projectFile, c.projectFile);
        if (c.request == StartRequest::Refused)
            EXPECT_TRUE(line.refusal.contains(c.inRefusal)) << line.refusal.toStdString();
        else
            EXPECT_EQ(line.refusal, "");
    }
}

struct Answer {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Answer AnswerOf(const QStringList& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const std::optional<int> status =
        AnswerWithoutWindows(ParseCommandLine(QStringList{"flexara"} + arguments), out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionGoToStandardOutputRefusalsToStandardError)
{
    const Answer help = AnswerOf({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, HelpText().toStdString());
    EXPECT_EQ(help.err, "");

    // The version the program shows is the one the package carries.
    const Answer version = AnswerOf({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Flexara " FLEXARA_VERSION "\n");
    EXPECT_EQ(version.err, "");

    for (const QStringList& arguments : {QStringList{"--cor"}, QStringList{"a.fxr", "b.fxr"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Answer refused = AnswerOf(arguments);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        const std::string refusal = ParseCommandLine(QStringList{"flexara"} + arguments).refusal.toStdString();
        EXPECT_EQ(refused.err, "flexara: " + refusal + "\nUse \"flexara --help\" para ver as opções.\n");
    }

    const Answer start = AnswerOf({Example});
    EXPECT_EQ(start.status, std::nullopt);
    EXPECT_EQ(start.out + start.err, "");
}

TEST(CommandLine, BeforeTheApplicationOnlyHelpAndVersionAreAnswered)
{
    struct Case {
        const char* what;
        std::vector<const char*> argv;
        std::optional<int> status;
        std::string out;
    };
    // Qt's own options are still there: they must not be refused yet.
    const Case cases[] = {
        {"version beside a Qt option",
         {"flexara", "-platform", "offscreen", "--version"},
         0,
         "Flexara " FLEXARA_VERSION "\n"},
        {"help beside a Qt option", {"flexara", "-style", "Fusion", "-h"}, 0, HelpText().toStdString()},
        {"a Qt option and a file", {"flexara", "-platform", "offscreen", "a.fxr"}, std::nullopt, ""},
        {"an unknown option, refused later", {"flexara", "--cor"}, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(AnswerBeforeApplication(static_cast<int>(c.argv.size()), c.argv.data(), out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), "");
    }
}

// A start of the program as main() makes it, and its event loop until the
// start is over; the error box, if one came, is answered with OK.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { FlexaraApplication::ForgetLastError(); }
    void TearDown() override { windows = ProgramWindows(); }

    // Returns the text of the error box ("" for none).
    QString Start(const QString& argument)
    {
        const CommandLine line = ParseCommandLine({"flexara", argument});
        EXPECT_EQ(line.request, StartRequest::Windows);
        QString error;
        ModalScript script({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Flexara 1.0");
            error = box->text();
            box->button(QMessageBox::Ok)->click();
        }});
        windows = StartProgram(line);
        // Posted after the opening: it runs once the opening has run or, for a
        // failure, once the error box is up.
        bool posted = false;
        QTimer::singleShot(0, windows.FPrincipal.get(), [&] { posted = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return posted && !QApplication::activeModalWidget(); }, 10000));
        QTest::qWait(20);
        return error;
    }

    TFPrincipal& Main() { return *windows.FPrincipal; }

    ProgramWindows windows;
};

TEST_F(StartupTest, AProjectFileGivenAtTheStartShowsItsCaseInTheFields)
{
    for (const QString& argument : {Example, QUrl::fromLocalFile(Example).toString()}) {
        SCOPED_TRACE(argument.toStdString());
        EXPECT_EQ(Start(argument), "");
        EXPECT_TRUE(Main().isVisible());
        // examples/pilar-20x40.fxr: Nd -500 kN, Mxd 60 and Myd 20 kN.m, a
        // 20 x 40 cm rectangle with two lines of bars.
        EXPECT_EQ(Main().EdNd->text(), "-500");
        EXPECT_EQ(Main().EdMdx->text(), "60");
        EXPECT_EQ(Main().EdMdy->text(), "20");
        EXPECT_EQ(Main().Secao().Eds[0]->text(), "20");
        EXPECT_EQ(Main().Secao().Eds[1]->text(), "40");
        QStringList lines;
        for (int i = 0; i < Main().Armadura().LBLinhas->count(); ++i)
            lines << Main().Armadura().LBLinhas->item(i)->text();
        EXPECT_EQ(lines, QStringList({"Linha 1", "Linha 2"}));
        // The whole case, as the headless loader reads the same file.
        const testing::Loaded expected = testing::Load(LoadProjectBytes(Example.toStdString()));
        testing::ExpectSameCase(*expected.state, Main().State());
        EXPECT_EQ(Main().LblTaxaArm->text().toStdString(), expected.ratio);
        // As after "&Abrir...": the next "&Salvar" asks for a name.
        EXPECT_FALSE(Main().HasFileName);
    }
}

TEST_F(StartupTest, AFileThatCannotBeReadEndsInTheErrorBoxAndTheWindowStaysUp)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString damaged = folder.filePath("danificado.fxr");
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("isto não é um projeto\r\n");
    }
    struct Case {
        const char* what;
        QString path;
        QString error;
    };
    const Case cases[] = {
        {"a file that does not exist", folder.filePath("nao-existe.fxr"), "File not found."},
        {"a folder", folder.path(), "Is a folder, not a file."},
        {"a file that is not a project", damaged, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FlexaraApplication::ForgetLastError();
        const QString error = Start(c.path);
        EXPECT_NE(error, "");
        if (!c.error.isEmpty()) {
            EXPECT_EQ(error, c.error);
        }
        EXPECT_EQ(FlexaraApplication::LastErrorMessage(), error);
        EXPECT_TRUE(Main().isVisible());
    }
}

} // namespace
} // namespace flexara
