// The main window: start-up and the default case, the input convention of the
// status bar, the credits panel, the menu, the fixed layout, the keyboard order,
// the names a screen reader reads, and the error box at the event boundary.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/DiagramsWindow.h"

#include "dialogs/TAboutBox.h"
#include "dialogs/TFAviso.h"
#include "dialogs/TFConcreto.h"
#include "dialogs/TFConfig.h"
#include "dialogs/Tconfirma.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionDrawing.h"
#include "editor/SectionGroup.h"
#include "engine/Faults.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <functional>

#include <set>
#include <string>

namespace flexara::testing {
namespace {

class MainWindowTest : public ProgramTest {};

TEST_F(MainWindowTest, StartsWithTheDefaultCase)
{
    const AnalysisState& s = State();
    EXPECT_EQ(main->windowTitle(), "Flexara 1.0");
    EXPECT_TRUE(StatusIsPlain(*main));
    EXPECT_EQ(main->LblTaxaArm->text(), "0,00 %");
    for (QLineEdit* field : {main->EdNd, main->EdMdx, main->EdMdy})
        EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(s.Nd, 0.0);
    EXPECT_EQ(s.Mxd, 0.0);
    EXPECT_EQ(s.Myd, 0.0);
    EXPECT_EQ(main->CombConcreto->currentText(), "C-30");
    EXPECT_EQ(main->CombAco->currentText(), "CA-50 A");
    EXPECT_DOUBLE_EQ(s.Fcd, 30.0 / 14.0);
    EXPECT_DOUBLE_EQ(s.Fyd, 50.0 / 1.15);
    EXPECT_FALSE(main->HasFileName);
    EXPECT_EQ(s.LineCount, 1);
    ASSERT_EQ(main->Armadura().LBLinhas->count(), 1);
    EXPECT_EQ(main->Armadura().LBLinhas->item(0)->text(), "Linha 1");
    EXPECT_TRUE(main->ChCurva->CurvePoints().isEmpty());
    EXPECT_TRUE(main->ChCurva->DesignPoints().isEmpty());
    EXPECT_FALSE(main->ChCurva->NoticeShown());
    // The settings are the initial ones.
    EXPECT_EQ(s.GammaC, 1.4);
    EXPECT_EQ(s.GammaS, 1.15);
    EXPECT_EQ(s.CurvePointCount, 100);
    EXPECT_EQ(s.AlphaC, 0.85);
}

TEST_F(MainWindowTest, FontsAreSubstitutedForTheLayout)
{
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), "Liberation Sans");
    EXPECT_EQ(QApplication::font().pointSize(), 8);
    EXPECT_EQ(QFontInfo(main->EdNd->font()).family(), "Liberation Sans");
}

TEST_F(MainWindowTest, InvalidTextIsMarkedKeptAndGivesTheFocusBack)
{
    TypeAndLeave(main->EdMdx, "abc");
    EXPECT_TRUE(StatusIsInvalid(*main));
    EXPECT_EQ(QApplication::focusWidget(), main->EdMdx);
    EXPECT_EQ(State().Mxd, 0.0);
    EXPECT_EQ(main->EdMdx->text(), "abc");

    // Another field cannot take the focus while EdMdx holds its invalid text.
    main->EdMdy->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), main->EdMdx);
    EXPECT_TRUE(StatusIsInvalid(*main));
}

TEST_F(MainWindowTest, OneKeystrokeInAnyFieldClearsTheSharedMark)
{
    struct Case {
        const char* name;
        QLineEdit* field;
    };
    const Case cases[] = {
        {"EdMdx itself", main->EdMdx},
        {"EdNd", main->EdNd},
        {"EdMdy", main->EdMdy},
        {"Ed1 of the section", main->Secao().Eds[0]},
        {"EdNb of the reinforcement", main->Armadura().EdNb},
        {"EdX1 of the reinforcement", main->Armadura().EdX1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TypeAndLeave(main->EdMdx, "abc");
        ASSERT_TRUE(StatusIsInvalid(*main));
        // The key goes to the field as the user types it there.
        QTest::keyClick(c.field, Qt::Key_5);
        EXPECT_TRUE(StatusIsPlain(*main));
    }
}

TEST_F(MainWindowTest, EmptyFieldCountsAsInvalid)
{
    TypeAndLeave(main->EdNd, "12");
    ASSERT_EQ(State().Nd, 12.0);
    FocusOn(main->EdNd);
    main->EdNd->selectAll();
    QTest::keyClick(main->EdNd, Qt::Key_Delete);
    LeaveWithTab(main->EdNd);
    EXPECT_TRUE(StatusIsInvalid(*main));
    EXPECT_EQ(State().Nd, 12.0);
}

TEST_F(MainWindowTest, CreditsPanelGoesOnTheSecondTickForGood)
{
    QWidget* client = main->centralWidget();
    ASSERT_FALSE(main->Panel1.isNull());
    EXPECT_EQ(main->Panel1->geometry(), QRect(213, 170, 360, 193));
    // Above the chart and the groups it covers.
    const QPoint overChart(500, 200);
    ASSERT_TRUE(main->Panel1->geometry().contains(overChart));
    QWidget* top = client->childAt(overChart);
    EXPECT_TRUE(top == main->Panel1 || main->Panel1->isAncestorOf(top));
    EXPECT_TRUE(main->Timer1->isActive());
    EXPECT_EQ(main->Timer1->interval(), 1000);

    main->Timer1Timer();
    EXPECT_FALSE(main->Panel1.isNull()) << "the first tick only records itself";
    main->Timer1Timer();
    EXPECT_TRUE(main->Panel1.isNull());
    EXPECT_FALSE(main->Timer1->isActive());
    EXPECT_TRUE(main->ChCurva->isAncestorOf(client->childAt(overChart)) || client->childAt(overChart) == main->ChCurva);

    main->Novo1->trigger();
    EXPECT_TRUE(main->Panel1.isNull());
    EXPECT_TRUE(client->findChildren<QFrame*>(QStringLiteral("Panel1")).isEmpty());
}

TEST_F(MainWindowTest, CreditsPanelGoesByItselfAfterTwoSeconds)
{
    ASSERT_FALSE(main->Panel1.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(main->Panel1.isNull(), 5000);
    EXPECT_TRUE(main->SplashTickSeen);
}

TEST_F(MainWindowTest, ShortcutsWorkFromInsideAField)
{
    // Ctrl+A opens a project file even in a field, where it would select all.
    QSignalSpy opened(main->Abrir1, &QAction::triggered);
    FocusOn(main->EdMdx);
    bool fileDialogShown = false;
    {
        ModalScript script({[&](QWidget* modal) {
            fileDialogShown = qobject_cast<QFileDialog*>(modal) != nullptr;
            qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
        }});
        QTest::keyClick(main->EdMdx, Qt::Key_A, Qt::ControlModifier);
    }
    EXPECT_EQ(opened.count(), 1);
    EXPECT_TRUE(fileDialogShown);

    TypeAndLeave(main->EdNd, "-150");
    FocusOn(main->EdNd);
    // Nd changed: Ctrl+N asks first.
    EXPECT_TRUE(testing::AnsweringSaveQuestion([&] { QTest::keyClick(main->EdNd, Qt::Key_N, Qt::ControlModifier); }));
    EXPECT_EQ(State().Nd, 0.0);
    EXPECT_EQ(main->EdNd->text(), "0");
}

TEST_F(MainWindowTest, MenuItemsOpenTheirDialogs)
{
    struct Case {
        QAction* item;
        QWidget* dialog;
    };
    const Case cases[] = {
        {main->Configura, static_cast<QWidget*>(windows.FConfig)},
        {main->Sobre, static_cast<QWidget*>(windows.AboutBox)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item->text().toStdString());
        QWidget* seen = nullptr;
        ModalScript script({[&](QWidget* modal) {
            seen = modal;
            qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
        }});
        c.item->trigger();
        EXPECT_EQ(seen, c.dialog);
        EXPECT_FALSE(c.dialog->isVisible());
    }
}

TEST_F(MainWindowTest, NovoInstallsTheDefaultCaseAgain)
{
    TypeAndLeave(main->EdNd, "-150");
    TypeAndLeave(main->EdMdx, "20");
    TypeAndLeave(main->Secao().Eds[0], "20");
    TypeAndLeave(main->Armadura().EdNb, "3");
    QTest::mouseClick(main->Armadura().BtnAdicionar, Qt::LeftButton);
    ASSERT_EQ(State().LineCount, 2);
    main->HasFileName = true;
    State().GammaC = 1.5;

    EXPECT_TRUE(testing::AnsweringSaveQuestion([&] { main->Novo1->trigger(); }));

    const AnalysisState& s = State();
    EXPECT_EQ(s.Nd, 0.0);
    EXPECT_EQ(s.Mxd, 0.0);
    EXPECT_EQ(main->EdNd->text(), "0");
    EXPECT_EQ(s.LineCount, 1);
    EXPECT_EQ(s.BarLines[0].BarCount, 0);
    EXPECT_EQ(s.BarLines[0].Diameter, 10.0);
    EXPECT_EQ(main->Armadura().LBLinhas->count(), 1);
    EXPECT_EQ(main->LblTaxaArm->text(), "0,00 %");
    EXPECT_FALSE(main->HasFileName);
    EXPECT_DOUBLE_EQ(s.Fcd, 30.0 / (10.0 * 1.5)) << "the default case keeps the settings";
    EXPECT_EQ(s.GammaC, 1.5);
}

TEST_F(MainWindowTest, SairClosesTheWindowOnceConfirmed)
{
    ModalScript script(
        {[](QWidget* modal) { QTest::mouseClick(qobject_cast<Tconfirma*>(modal)->sim, Qt::LeftButton); }});
    main->Sair1->trigger();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowTest, ResizingMovesOnlyTheStatusBar)
{
    const QRect chart = main->ChCurva->geometry();
    const QRect button = main->BtnGerar->geometry();
    main->resize(main->width() + 60, main->height() + 40);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->ChCurva->geometry(), chart);
    EXPECT_EQ(main->BtnGerar->geometry(), button);
    EXPECT_EQ(main->StatusBar1->geometry().bottom(), main->height() - 1);
}

TEST_F(MainWindowTest, CaptionsAndListItemsAreNotClipped)
{
    for (QWidget* group : {static_cast<QWidget*>(main->GBSolicitacoes), static_cast<QWidget*>(main->GBMateriais)}) {
        for (QLabel* label : group->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            EXPECT_LE(label->geometry().right(), group->width());
        }
    }
    for (QComboBox* list : {main->CombConcreto, main->CombAco}) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        const QRect text =
            list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            SCOPED_TRACE(list->itemText(i).toStdString());
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), text.width());
        }
    }
}

// The group of the window a widget belongs to, in keyboard order; -1 for none.
int GroupOf(TFPrincipal* window, QWidget* widget)
{
    const QWidget* groups[] = {window->GBSolicitacoes, window->GBMateriais, window->GBSecao,
                               window->GBArmadura,     window->BtnGerar,    window->ChCurva};
    for (int i = 0; i < 6; ++i)
        if (widget == groups[i] || groups[i]->isAncestorOf(widget))
            return i;
    return -1;
}

TEST_F(MainWindowTest, TabWalksTheGroupsInOrder)
{
    FocusOn(main->EdNd);
    std::vector<QWidget*> visited{main->EdNd};
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == main->EdNd)
            break;
        visited.push_back(now);
    }
    ASSERT_GE(visited.size(), 6u);
    EXPECT_EQ(visited[1], main->EdMdx);
    EXPECT_EQ(visited[2], main->EdMdy);
    EXPECT_EQ(visited[3], main->CombConcreto);
    EXPECT_EQ(visited[4], main->CombAco);
    int last = 0;
    std::set<int> seen;
    for (QWidget* widget : visited) {
        const int group = GroupOf(main, widget);
        SCOPED_TRACE(widget->objectName().toStdString() + " " + widget->metaObject()->className());
        EXPECT_GE(group, last);
        last = std::max(last, group);
        seen.insert(group);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_TRUE(StatusIsPlain(*main)) << "every field left on the way held a valid number";
}

TEST_F(MainWindowTest, ScreenReaderNamesEveryControlOfTheLoadsAndMaterials)
{
    struct Control {
        QWidget* widget;
        QLabel* label; // the caption that carries the hint, or none
        const char* name;
        const char* hint;
        const char* value;
    };
    const Control controls[] = {
        {main->EdNd, main->LblNd, "Nd (kN)", "Esforço normal de cálculo", nullptr},
        {main->EdMdx, main->LblMdx, "Mxd (kN.m)", "Momento fletor de cálculo em torno do eixo X", nullptr},
        {main->EdMdy, main->LblMdy, "Myd (kN.m)", "Momento fletor de cálculo em torno do eixo Y", nullptr},
        {main->CombConcreto, main->LblConcreto, "Concreto", "Resistência característica do concreto", "C-30"},
        {main->CombAco, main->LblAco, "Aço", "Resistência característica do aço", "CA-50 A"},
        {main->Armadura().CombDiametro, nullptr, "Diâmetro das barras (mm)", "Diâmetro das barras na linha", "10"},
        {main->BtnGerar, nullptr, "Gerar gráfico", "Gera a curva de interação", nullptr},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.widget);
        ASSERT_NE(accessible, nullptr);
        // A drop-down list is read by its caption, its item as its value.
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(c.name));
        if (c.value) {
            EXPECT_EQ(accessible->role(), QAccessible::ComboBox);
            EXPECT_EQ(accessible->text(QAccessible::Value), QString::fromUtf8(c.value));
            ASSERT_EQ(accessible->childCount(), 1) << "the list of items";
        }
        EXPECT_EQ(accessible->text(QAccessible::Description), QString::fromUtf8(c.hint));
        // The hint of a caption shows over the caption, not over the control.
        if (c.label) {
            EXPECT_EQ(c.label->toolTip(), QString::fromUtf8(c.hint));
            EXPECT_TRUE(c.widget->toolTip().isEmpty());
        } else {
            EXPECT_EQ(c.widget->toolTip(), QString::fromUtf8(c.hint));
        }
    }
    EXPECT_EQ(main->LblNd->buddy(), main->EdNd);
    EXPECT_EQ(main->LblConcreto->buddy(), main->CombConcreto);
    EXPECT_EQ(main->LblAco->buddy(), main->CombAco);
    EXPECT_EQ(main->Image1->toolTip(), "Convenção de sinais positivos");
    EXPECT_EQ(main->LblTaxaArm->toolTip(), "As/Ac");
    EXPECT_EQ(main->Label23->toolTip(), "As/Ac");
}

TEST_F(MainWindowTest, PicturesAreShown)
{
    ASSERT_FALSE(main->Image1->pixmap().isNull());
    EXPECT_EQ(main->Image1->pixmap().size(), QSize(94, 76));
    EXPECT_FALSE(main->windowIcon().isNull());
}

// An object whose handling of an event fails as a command would.
class FailingCommand : public QObject {
public:
    explicit FailingCommand(std::function<void()> fail) : fail(std::move(fail)) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            fail();
        return QObject::event(event);
    }

private:
    std::function<void()> fail;
};

// A command that fails ends at the application's event boundary in the error
// box, and the program goes on.
TEST_F(MainWindowTest, FailureEndsInTheErrorBoxAndTheProgramGoesOn)
{
    struct Case {
        const char* thrown;
        const char* shown;
        std::function<void()> fail;
    };
    const auto message = [](const char* text) { return [text] { throw std::runtime_error(text); }; };
    const auto fault = [](FaultKind kind) { return [kind] { throw EngineError(Fault{kind}); }; };
    const Case cases[] = {
        {"File not found", "File not found.", message("File not found")},
        {"an invalid operation", "Invalid floating point operation.", fault(FaultKind::InvalidOperation)},
        {"no steel", "Nenhum aço selecionado: escolha a classe do aço na lista \"Aço\"",
         fault(FaultKind::NoSteelSelected)},
        {"Erro de leitura.", "Erro de leitura.", message("Erro de leitura.")},
        {"Valor inválido", "Valor inválido.", message("Valor inválido")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thrown);
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ModalScript script({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        }});
        bool laterEventRan = false;
        FailingCommand command(c.fail);
        QCoreApplication::postEvent(&command, new QEvent(QEvent::User));
        QTimer::singleShot(20, main, [&] { laterEventRan = true; });
        QTRY_VERIFY_WITH_TIMEOUT(laterEventRan && script.Finished(), 5000);
        EXPECT_EQ(title, "Flexara 1.0");
        EXPECT_EQ(text, QString::fromUtf8(c.shown));
        EXPECT_EQ(icon, QMessageBox::Critical);
        EXPECT_EQ(FlexaraApplication::LastErrorMessage(), QString::fromUtf8(c.shown));
    }
}

TEST_F(MainWindowTest, DialogsAreCreatedHiddenAfterTheMainWindowInOrder)
{
    std::vector<QObject*> dialogs;
    // The standard file dialogs are no windows of the program's own.
    for (QObject* child : main->children())
        if (qobject_cast<QDialog*>(child) && !qobject_cast<QFileDialog*>(child))
            dialogs.push_back(child);
    const std::vector<QObject*> expected = {
        static_cast<QObject*>(windows.AboutBox),  static_cast<QObject*>(windows.confirma),
        static_cast<QObject*>(windows.FConfig),   static_cast<QObject*>(windows.FConcreto),
        static_cast<QObject*>(windows.FAviso),    static_cast<QObject*>(windows.FCombinacoes),
        static_cast<QObject*>(windows.FDiagramas)};
    EXPECT_EQ(dialogs, expected);
    for (QObject* dialog : dialogs)
        EXPECT_FALSE(static_cast<QWidget*>(dialog)->isVisible());
}

} // namespace
} // namespace flexara::testing
