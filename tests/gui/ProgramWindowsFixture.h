// What the window tests of the main window and its dialogs share: the six
// windows of the program created as the program creates them, the typing and
// leaving of fields as a user does it, and a script that answers the modal
// dialogs and error boxes from inside their own event loops.
#pragma once

#include "editor/DocumentCommands.h"
#include "editor/ProgramWindows.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "editor/TFPrincipal.h"
#include "uikit/FlexaraApplication.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace flexara::testing {

// The keyboard reaches only the active window: after a dialog has closed, the
// window under it is active again only once the platform has said so.
inline void MakeActive(QWidget* widget)
{
    QWidget* window = widget->window();
    if (QApplication::activeWindow() == window)
        return;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        ADD_FAILURE() << "the window did not become active";
}

// Selects the field's text and types over it, as a user does.
inline void TypeInto(QWidget* field, const QString& text)
{
    MakeActive(field);
    field->setFocus(Qt::MouseFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    QTest::keyClicks(field, text);
}

// Leaves the field with Tab.
inline void LeaveWithTab(QWidget* field)
{
    MakeActive(field);
    QTest::keyClick(field, Qt::Key_Tab);
}

// Gives the widget the focus as a click or Tab would.
inline void FocusOn(QWidget* widget)
{
    MakeActive(widget);
    widget->setFocus(Qt::TabFocusReason);
}

// The next control the Tab key reaches after widget.
inline QWidget* NextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget &&
           !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(widget->window())))
        next = next->nextInFocusChain();
    return next;
}

inline void TypeAndLeave(QWidget* field, const QString& text)
{
    TypeInto(field, text);
    LeaveWithTab(field);
}

// Runs its steps one after the other on the modal window on show, each on a
// later turn of that window's event loop. A modal still open when the script
// ends or times out is closed, so that a failing test cannot hang the suite.
class ModalScript {
public:
    using Step = std::function<void(QWidget* modal)>;

    explicit ModalScript(std::vector<Step> steps, int timeoutMs = 10000) : steps(std::move(steps)), timeout(timeoutMs)
    {
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] { Tick(); });
        timer.start(10);
    }

    bool Finished() const { return next == steps.size(); }
    int StepsRun() const { return static_cast<int>(next); }

private:
    void Tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (clock.elapsed() > timeout) {
            timer.stop();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            return;
        }
        if (!modal || next >= steps.size())
            return;
        // Focus and keys work only once the dialog is the active window.
        if (QApplication::activeWindow() != modal) {
            modal->activateWindow();
            return;
        }
        steps[next++](modal);
    }

    std::vector<Step> steps;
    std::size_t next = 0;
    int timeout;
    QElapsedTimer clock;
    QTimer timer;
};

// Runs action and answers the question about unsaved changes with the button
// named answer ("BtnSalvar", "BtnNaoSalvar", "BtnCancelar"); any other dialog
// is rejected. Whether the question was asked.
inline bool AnsweringSaveQuestion(const std::function<void()>& action, const char* answer = "BtnNaoSalvar")
{
    bool asked = false;
    ModalScript script({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box && box->objectName() == QStringLiteral("SalvarAlteracoes")) {
            asked = true;
            if (auto* button = box->findChild<QPushButton*>(QString::fromUtf8(answer)))
                button->click();
            else
                box->done(QMessageBox::Cancel);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Rejected);
        }
    }});
    action();
    return asked;
}

// Answers every error box with OK for as long as it lives, recording the
// texts; it also reaches boxes that open inside a step of a ModalScript.
class ErrorBoxAnswerer {
public:
    ErrorBoxAnswerer()
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            texts.append(box->text());
            box->button(QMessageBox::Ok)->click();
        });
        timer.start(10);
    }
    QStringList texts;

private:
    QTimer timer;
};

// The items of a drop-down list, in order.
inline QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

// A button clicked from the event loop, as the user does: the text of the
// error box it showed, empty for none.
inline QString Click(QPushButton* button)
{
    ErrorBoxAnswerer boxes;
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 50 && boxes.texts.isEmpty(); ++i)
        QTest::qWait(10);
    return boxes.texts.isEmpty() ? QString() : boxes.texts.front();
}

// Answers the file dialogs in their place; an empty answer is a Cancel.
struct ScriptedDialogs : FileDialogs {
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    int openAsked = 0;
    int saveAsked = 0;
    QString AskOpenPath() override
    {
        ++openAsked;
        return Take(openAnswers);
    }
    QString AskSavePath() override
    {
        ++saveAsked;
        return Take(saveAnswers);
    }
    // Other files: the answers in order, each with the filter it chose.
    std::deque<std::pair<QString, QString>> otherAnswers;
    std::vector<OtherFileRequest> otherAsked;
    QString AskOtherFile(const OtherFileRequest& request, QString* chosenFilter) override
    {
        otherAsked.push_back(request);
        if (otherAnswers.empty())
            return QString();
        const auto answer = otherAnswers.front();
        otherAnswers.pop_front();
        if (chosenFilter)
            *chosenFilter =
                answer.second.isEmpty() && !request.filters.isEmpty() ? request.filters.front() : answer.second;
        return answer.first;
    }
    static QString Take(std::deque<QString>& answers)
    {
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Runs a menu command from the event loop, where the program catches its
// failures; returns the text of the error box it showed, if any (each box is
// answered with OK).
inline QString RunMenuCommand(QAction* action)
{
    QString error;
    ModalScript script({[&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            EXPECT_EQ(box->windowTitle(), "Flexara 1.0");
            error = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    }});
    bool done = false;
    QMetaObject::invokeMethod(
        action,
        [action, &done] {
            action->trigger();
            done = true;
        },
        Qt::QueuedConnection);
    for (int i = 0; i < 500 && !done; ++i)
        QTest::qWait(2);
    QTest::qWait(30);
    return error;
}

// The windows of one run of the program, the main window shown and active.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FlexaraApplication::ForgetLastError();
        windows = CreateProgramWindows();
        main = windows.FPrincipal.get();
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    }

    void TearDown() override { windows = ProgramWindows(); }

    AnalysisState& State() { return main->State(); }

    // The 20 x 40 column with two lines of two bars of the default diameter, typed
    // as a user does.
    void TypeTwoLineColumn()
    {
        TypeAndLeave(main->Secao().Eds[0], "20");
        TypeAndLeave(main->Secao().Eds[1], "40");
        TGBArmadura& bars = main->Armadura();
        TypeAndLeave(bars.EdNb, "2");
        TypeAndLeave(bars.EdX1, "4");
        TypeAndLeave(bars.EdY1, "4");
        TypeAndLeave(bars.EdX2, "16");
        QTest::mouseClick(bars.BtnAdicionar, Qt::LeftButton);
        TypeAndLeave(bars.EdY1, "36");
    }

    ProgramWindows windows;
    TFPrincipal* main = nullptr;
};

// The windows of one run with the file dialogs answered by the test, and a
// folder of its own for the files it writes.
class ProgramWithDialogsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        main->Documents->SetFileDialogs(std::move(scripted));
    }

    QString Path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder;
    ScriptedDialogs* dialogs = nullptr;
};

// The example column with four combinations checked as a pinned column of
// le = 400 cm in both bendings, the curvature method: ELU 1 (-500; 60, 20)
// governs at its intermediate section (60; 40) and holds, ELU 2 (-1200; 80,
// 10) at (80; 65,2) and fails, though both hold at their ends (worked in
// tests/engine/SurfaceTest.cpp). Written into folder; its path.
inline QString WriteFailingColumn(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("pilar-400.fxr"));
    QFile file(path);
    QFile example(QStringLiteral(FLEXARA_SOURCE_DIR "/examples/pilar-20x40-combinacoes.fxr"));
    if (!example.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "the example or the copy did not open";
    file.write(example.readAll() + "pilar\r\n400\r\n400\r\n0\r\n0\r\n0\r\n60\r\n20\r\n80\r\n10\r\n0.5\r\n70\r\n"
                                   "40\r\n-30\r\n");
    return path;
}

// The status bar's two presentations.
inline bool StatusIsPlain(const TFPrincipal& window)
{
    return window.StatusText() == QStringLiteral(" ") && window.StatusColor() == QColor(192, 192, 192);
}

inline bool StatusIsInvalid(const TFPrincipal& window)
{
    return window.StatusText() == QStringLiteral("Valor de entrada inválido") &&
           window.StatusColor() != QColor(192, 192, 192);
}

} // namespace flexara::testing
