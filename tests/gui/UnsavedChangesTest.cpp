// A case with unsaved changes is never left without a question: Novo, Abrir
// and closing the window ask whether to save, and each of the three answers
// does what it says; without changes the commands and the exit confirmation
// are as they always were.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/Tconfirma.h"
#include "editor/CaseHistory.h"
#include "editor/CombinationsWindow.h"
#include "editor/InteractionChart.h"

#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

namespace flexara::testing {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Nd -120 as the project file writes it.
const char* const EditedNd = "-1.20000000000000E+0002";

enum class Command { Novo, Abrir, Close };

class UnsavedChangesTest : public ProgramWithDialogsTest {
protected:
    // What the command showed: the question about the changes, the exit
    // confirmation, or nothing.
    struct Shown {
        bool question = false;
        bool confirmation = false;
        QStringList questionButtons;
    };

    // Runs the command; the question is answered with the button named
    // answer, the exit confirmation with "Não" (the window stays).
    Shown Run(Command command, const char* answer)
    {
        Shown shown;
        ModalScript script({[&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->objectName() == "SalvarAlteracoes") {
                shown.question = true;
                EXPECT_EQ(box->windowTitle(), "Confirmação");
                EXPECT_EQ(box->text(), "O caso foi alterado. Deseja salvar as alterações?");
                for (QAbstractButton* b : box->buttons())
                    shown.questionButtons << b->text();
                auto* button = box->findChild<QPushButton*>(QString::fromUtf8(answer));
                ASSERT_NE(button, nullptr) << answer;
                button->click();
            } else if (auto* confirmation = qobject_cast<Tconfirma*>(modal)) {
                shown.confirmation = true;
                confirmation->nao->click();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                ADD_FAILURE() << "unexpected dialog " << dialog->windowTitle().toStdString();
                dialog->done(QDialog::Rejected);
            }
        }});
        switch (command) {
        case Command::Novo:
            main->Novo1->trigger();
            break;
        case Command::Abrir:
            main->Abrir1->trigger();
            break;
        case Command::Close:
            main->close();
            break;
        }
        QTest::qWait(20);
        return shown;
    }

    // Another case on disk, the 20 x 40 column with Nd -33, to be opened.
    QString OtherCase()
    {
        TypeTwoLineColumn();
        TypeAndLeave(main->EdNd, "-33");
        dialogs->saveAnswers.push_back(Path("outro.fxr"));
        main->SavarComo1->trigger();
        main->Novo1->trigger(); // saved: no question
        EXPECT_FALSE(main->History->Modified());
        return Path("outro.fxr");
    }
};

TEST_F(UnsavedChangesTest, EachAnswerForEachCommand)
{
    const struct {
        Command command;
        const char* answer;
        const char* savePath; // the save dialog's answer; "" cancels it
        bool goesOn;
        bool saved;
    } cases[] = {
        {Command::Novo, "BtnSalvar", "salvo.fxr", true, true},
        {Command::Novo, "BtnSalvar", "", false, false},
        {Command::Novo, "BtnNaoSalvar", nullptr, true, false},
        {Command::Novo, "BtnCancelar", nullptr, false, false},
        {Command::Abrir, "BtnSalvar", "salvo.fxr", true, true},
        {Command::Abrir, "BtnSalvar", "", false, false},
        {Command::Abrir, "BtnNaoSalvar", nullptr, true, false},
        {Command::Abrir, "BtnCancelar", nullptr, false, false},
        {Command::Close, "BtnSalvar", "salvo.fxr", true, true},
        {Command::Close, "BtnSalvar", "", false, false},
        {Command::Close, "BtnNaoSalvar", nullptr, true, false},
        {Command::Close, "BtnCancelar", nullptr, false, false},
    };
    const QString other = OtherCase();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.command) << " " << c.answer << " "
                                          << (c.savePath ? c.savePath : "-"));
        QFile::remove(Path("salvo.fxr"));
        main->show();
        main->HasFileName = false;
        main->History->StartCase(); // what the last round left is no question
        main->Novo1->trigger();
        TypeAndLeave(main->EdNd, "-120");
        ASSERT_TRUE(main->History->Modified());
        dialogs->openAnswers.clear();
        dialogs->openAnswers.push_back(other);
        dialogs->saveAnswers.clear();
        if (c.savePath)
            dialogs->saveAnswers.push_back(*c.savePath ? Path(c.savePath) : QString());
        const int openAsked = dialogs->openAsked;

        const Shown shown = Run(c.command, c.answer);

        EXPECT_TRUE(shown.question);
        EXPECT_FALSE(shown.confirmation); // the question takes its place
        QStringList buttons = shown.questionButtons;
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"Cancelar", "Não salvar", "Salvar"}));
        EXPECT_EQ(QFile::exists(Path("salvo.fxr")), c.saved);
        if (c.saved) {
            EXPECT_NE(ReadAll(Path("salvo.fxr")).indexOf(EditedNd), -1);
        }
        EXPECT_EQ(dialogs->openAsked - openAsked, c.command == Command::Abrir && c.goesOn ? 1 : 0);
        if (!c.goesOn) {
            // The case stays as it was, still unsaved.
            EXPECT_EQ(main->State().Nd, -120.0);
            EXPECT_EQ(main->EdNd->text(), "-120");
            EXPECT_TRUE(main->History->Modified());
            EXPECT_TRUE(main->isVisible());
        } else if (c.command == Command::Close) {
            EXPECT_FALSE(main->isVisible());
        } else {
            EXPECT_EQ(main->State().Nd, c.command == Command::Abrir ? -33.0 : 0.0);
            EXPECT_FALSE(main->History->Modified());
        }
    }
}

TEST_F(UnsavedChangesTest, WithoutChangesNothingIsAskedAndTheExitConfirmationStays)
{
    const QString other = OtherCase();
    const struct {
        const char* what;
        std::function<void()> before;
    } clean[] = {
        {"a new case", [] {}},
        {"an opened case",
         [&] {
             dialogs->openAnswers.push_back(other);
             main->Abrir1->trigger();
         }},
        {"a saved case",
         [&] {
             TypeAndLeave(main->EdNd, "-7");
             dialogs->saveAnswers.push_back(Path("sete.fxr"));
             main->SavarComo1->trigger();
         }},
        {"an edit typed back to the saved value",
         [&] {
             TypeAndLeave(main->EdNd, "-7");
             TypeAndLeave(main->EdNd, "0");
         }},
        // A generation refreshes the materials from the selectors: no edit.
        {"a generation",
         [&] {
             dialogs->openAnswers.push_back(other);
             main->Abrir1->trigger();
             main->BtnGerar->click();
             ASSERT_FALSE(main->ChCurva->CurvePoints().isEmpty());
         }},
    };
    for (const auto& c : clean) {
        SCOPED_TRACE(c.what);
        main->Novo1->trigger();
        c.before();
        EXPECT_FALSE(main->History->Modified());
        const int openAsked = dialogs->openAsked;
        dialogs->openAnswers.push_back(other);
        EXPECT_FALSE(Run(Command::Abrir, "BtnCancelar").question);
        EXPECT_EQ(dialogs->openAsked, openAsked + 1);
        EXPECT_FALSE(Run(Command::Novo, "BtnCancelar").question);
        // Closing asks the exit confirmation with its Sim/Não, as always.
        const Shown closing = Run(Command::Close, "BtnCancelar");
        EXPECT_FALSE(closing.question);
        EXPECT_TRUE(closing.confirmation);
        EXPECT_TRUE(main->isVisible());
    }
}

TEST_F(UnsavedChangesTest, EveryKindOfStoredEditIsAChange)
{
    const struct {
        const char* what;
        std::function<void()> edit;
    } edits[] = {
        {"Nd", [&] { TypeAndLeave(main->EdNd, "-50"); }},
        {"a dimension of the section", [&] { TypeAndLeave(main->Secao().Eds[0], "25"); }},
        {"the bars of a line", [&] { TypeAndLeave(main->Armadura().EdNb, "3"); }},
        {"a new line", [&] { QTest::mouseClick(main->Armadura().BtnAdicionar, Qt::LeftButton); }},
        {"the settings", [&] { main->State().GammaC = 1.5; }},
        {"a row of the combinations", [&] { windows.FCombinacoes->BtnAdicionar->click(); }},
        {"a cell typed that does not convert",
         [&] {
             windows.FCombinacoes->BtnAdicionar->click();
             main->History->StartCase();
             windows.FCombinacoes->Tabela->item(0, TFCombinacoes::ColNd)->setText("x");
         }},
        {"the column ticked", [&] { windows.FCombinacoes->CBPilar->setChecked(true); }},
        {"Mostrar no gráfico", [&] { main->ShowLoad(-300, 10, 5, "Combinação: ELU"); }},
    };
    // On a column that generates (a new case's section has no area).
    const QString other = OtherCase();
    for (const auto& e : edits) {
        SCOPED_TRACE(e.what);
        dialogs->openAnswers.push_back(other);
        main->Abrir1->trigger();
        ASSERT_FALSE(main->History->Modified());
        e.edit();
        EXPECT_TRUE(main->History->Modified());
        // Answered "Não salvar": the next case starts clean.
        EXPECT_TRUE(Run(Command::Novo, "BtnNaoSalvar").question);
        EXPECT_FALSE(main->History->Modified());
    }
}

} // namespace
} // namespace flexara::testing
