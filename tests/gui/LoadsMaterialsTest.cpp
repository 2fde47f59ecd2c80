// The groups "Solicitações" and "Materiais": when each action is stored and
// what an invalid text leaves behind, the concrete and steel selectors, the
// custom strength dialog FConcreto, and the window side of the file reader.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/TFAviso.h"
#include "dialogs/TFConcreto.h"
#include "engine/NumberText.h"
#include "uikit/FieldText.h"

#include <QComboBox>
#include <QPushButton>

namespace flexara::testing {
namespace {

class LoadsMaterialsTest : public ProgramTest {
protected:
    // Picks "Outro" with the keyboard, as a user does, which opens FConcreto.
    void PickOutro()
    {
        FocusOn(main->CombConcreto);
        if (main->CombConcreto->currentIndex() == ConcreteOtherIndex)
            QTest::keyClick(main->CombConcreto, Qt::Key_Up);
        QTest::keyClick(main->CombConcreto, Qt::Key_End);
    }

    TFConcreto* Concreto() { return windows.FConcreto; }
};

TEST_F(LoadsMaterialsTest, ActionsStoreWhenTheirHandlersSay)
{
    // Nd is stored on leaving; Mxd and Myd at each keystroke.
    TypeInto(main->EdNd, "25");
    EXPECT_EQ(State().Nd, 0.0);
    LeaveWithTab(main->EdNd);
    EXPECT_EQ(State().Nd, 25.0);

    TypeInto(main->EdMdx, "12");
    EXPECT_EQ(State().Mxd, 12.0);
    QTest::keyClicks(main->EdMdx, ",5");
    EXPECT_EQ(State().Mxd, 12.5);

    TypeInto(main->EdMdy, "-3,25E1");
    EXPECT_EQ(State().Myd, -32.5);
    // Half-typed text stores 0 without a mark.
    QTest::keyClick(main->EdMdy, Qt::Key_Backspace);
    EXPECT_EQ(State().Myd, 0.0);
    EXPECT_TRUE(StatusIsPlain(*main));
}

TEST_F(LoadsMaterialsTest, InvalidActionKeepsOrZeroesTheValue)
{
    struct Case {
        const char* name;
        QLineEdit* field;
        double AnalysisState::*value;
        double after; // what an invalid text leaves
    };
    const Case cases[] = {
        {"EdNd keeps its value", main->EdNd, &AnalysisState::Nd, -150.0},
        {"EdMdx stores 0", main->EdMdx, &AnalysisState::Mxd, 0.0},
        {"EdMdy stores 0", main->EdMdy, &AnalysisState::Myd, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TypeAndLeave(c.field, "-150");
        EXPECT_EQ(State().*c.value, -150.0);
        EXPECT_TRUE(StatusIsPlain(*main));
        TypeAndLeave(c.field, "x");
        EXPECT_EQ(State().*c.value, c.after);
        EXPECT_TRUE(StatusIsInvalid(*main));
        EXPECT_EQ(QApplication::focusWidget(), c.field);
        EXPECT_EQ(c.field->text(), "x");
        // A point is no decimal separator here.
        TypeAndLeave(c.field, "2.5");
        EXPECT_TRUE(StatusIsInvalid(*main));
        TypeAndLeave(c.field, "0");
    }
}

TEST_F(LoadsMaterialsTest, OutroWithOkStoresTheTypedStrength)
{
    QString shownFirst, shownAgain;
    ModalScript first({[&](QWidget* modal) {
        ASSERT_EQ(modal, Concreto());
        shownFirst = Concreto()->EdOutroConc->text();
        TypeInto(Concreto()->EdOutroConc, "27,5");
        QTest::mouseClick(Concreto()->Button2, Qt::LeftButton);
    }});
    PickOutro();
    ASSERT_TRUE(first.Finished());
    EXPECT_EQ(shownFirst, "30") << "the fck of C-30";
    EXPECT_DOUBLE_EQ(State().Fcd, 27.5 / 14.0);
    EXPECT_EQ(main->CombConcreto->currentText(), "Outro");
    EXPECT_FALSE(Concreto()->isVisible());

    // Leaving the list keeps the custom strength.
    LeaveWithTab(main->CombConcreto);
    EXPECT_DOUBLE_EQ(State().Fcd, 27.5 / 14.0);

    ModalScript again({[&](QWidget*) {
        shownAgain = Concreto()->EdOutroConc->text();
        QTest::mouseClick(Concreto()->Button1, Qt::LeftButton);
    }});
    PickOutro();
    ASSERT_TRUE(again.Finished());
    EXPECT_EQ(shownAgain, "27,5");
    EXPECT_DOUBLE_EQ(State().Fcd, 27.5 / 14.0);
}

TEST_F(LoadsMaterialsTest, OutroWithCancelarKeepsTheFormerStrength)
{
    ModalScript script({[&](QWidget*) {
        TypeInto(Concreto()->EdOutroConc, "45");
        QTest::mouseClick(Concreto()->Button1, Qt::LeftButton);
    }});
    PickOutro();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(main->CombConcreto->currentText(), "Outro");
    EXPECT_DOUBLE_EQ(State().Fcd, 30.0 / 14.0);
    LeaveWithTab(main->CombConcreto);
    EXPECT_DOUBLE_EQ(State().Fcd, 30.0 / 14.0);
}

TEST_F(LoadsMaterialsTest, ConcreteDialogStaysOpenWhileTheStrengthIsInvalid)
{
    struct Press {
        const char* typed;
        QPushButton* TFConcreto::*button;
    };
    const Press refused[] = {
        {"x", &TFConcreto::Button2},  {"x", &TFConcreto::Button1}, {"-1", &TFConcreto::Button2},
        {"-1", &TFConcreto::Button1}, {"", &TFConcreto::Button2},
    };
    std::vector<ModalScript::Step> steps;
    for (const Press& press : refused) {
        steps.push_back([&, press](QWidget*) {
            SCOPED_TRACE(press.typed);
            TypeInto(Concreto()->EdOutroConc, press.typed);
            QTest::mouseClick(Concreto()->*press.button, Qt::LeftButton);
            EXPECT_TRUE(Concreto()->isVisible());
            EXPECT_TRUE(StatusIsInvalid(*main)) << "the mark is on the main window";
            EXPECT_EQ(QApplication::focusWidget(), Concreto()->EdOutroConc);
            EXPECT_DOUBLE_EQ(State().Fcd, 30.0 / 14.0);
        });
    }
    // 0 MPa is a strength the dialog accepts.
    steps.push_back([&](QWidget*) {
        TypeInto(Concreto()->EdOutroConc, "0");
        QTest::mouseClick(Concreto()->Button2, Qt::LeftButton);
    });
    ModalScript script(std::move(steps));
    PickOutro();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(Concreto()->isVisible());
    EXPECT_EQ(State().Fcd, 0.0);
    EXPECT_TRUE(StatusIsPlain(*main));
}

TEST_F(LoadsMaterialsTest, ConcreteDialogIsLeftOnlyThroughItsButtons)
{
    EXPECT_FALSE(Concreto()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(NextTabStop(Concreto()->EdOutroConc), Concreto()->Button1);
    EXPECT_EQ(NextTabStop(Concreto()->Button1), Concreto()->Button2);

    // Escape does not close it behind the check's back.
    ModalScript script({[&](QWidget*) {
                            TypeInto(Concreto()->EdOutroConc, "x");
                            QTest::keyClick(Concreto(), Qt::Key_Escape);
                        },
                        [&](QWidget* modal) {
                            EXPECT_EQ(modal, Concreto());
                            TypeInto(Concreto()->EdOutroConc, "30");
                            QTest::mouseClick(Concreto()->Button1, Qt::LeftButton);
                        }});
    PickOutro();
    EXPECT_TRUE(script.Finished());
}

TEST_F(LoadsMaterialsTest, StandardClassFollowsGammaCAtTheNextGeneration)
{
    // A custom strength keeps the Fcd of its dialog; reopening shows it with the new factor.
    ModalScript custom({[&](QWidget*) {
        TypeInto(Concreto()->EdOutroConc, "28");
        QTest::mouseClick(Concreto()->Button2, Qt::LeftButton);
    }});
    PickOutro();
    ASSERT_TRUE(custom.Finished());
    State().GammaC = 1.5;
    ModalScript warning({[](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); }});
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton); // refused: the default case has no area
    EXPECT_DOUBLE_EQ(State().Fcd, 28.0 / 14.0);

    QString shown;
    ModalScript reopen({[&](QWidget*) {
        shown = Concreto()->EdOutroConc->text();
        QTest::mouseClick(Concreto()->Button1, Qt::LeftButton);
    }});
    PickOutro();
    EXPECT_EQ(shown, FormatField(static_cast<double>(static_cast<long double>(28.0 / 14.0) * 1.5L * 10.0L)));

    // "C-40" takes the new factor when the list is left, and at every generation.
    FocusOn(main->CombConcreto);
    while (main->CombConcreto->currentText() != "C-40")
        QTest::keyClick(main->CombConcreto, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(State().Fcd, 28.0 / 14.0) << "nothing until the list is left";
    LeaveWithTab(main->CombConcreto);
    EXPECT_DOUBLE_EQ(State().Fcd, 40.0 / 15.0);
    State().GammaC = 1.6;
    ModalScript warningAgain({[](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); }});
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(State().Fcd, 40.0 / 16.0);
}

TEST_F(LoadsMaterialsTest, SteelClassSetsItsStrengthAndYieldStrain)
{
    FocusOn(main->CombAco);
    QTest::keyClick(main->CombAco, Qt::Key_Down);
    ASSERT_EQ(main->CombAco->currentText(), "CA-50 B");
    LeaveWithTab(main->CombAco);
    EXPECT_DOUBLE_EQ(State().Fyd, 50.0 / 1.15);

    ModalScript warning({[](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); }});
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    EXPECT_EQ(State().SteelClass, 2);
    EXPECT_NEAR(State().EpsYd, 4.0704, 5e-5);

    FocusOn(main->CombAco);
    QTest::keyClick(main->CombAco, Qt::Key_Home);
    State().GammaS = 1.0;
    LeaveWithTab(main->CombAco);
    EXPECT_EQ(State().Fyd, 25.0) << "CA-25 A with the factor of the moment";
}

TEST_F(LoadsMaterialsTest, FileValuesGoThroughTheFields)
{
    const double third = 1.0 / 3.0;
    main->SetNdFromFile(third);
    main->SetMxdFromFile(third);
    main->SetMydFromFile(-2.5);
    EXPECT_EQ(main->EdNd->text(), FormatField(third));
    EXPECT_EQ(main->EdMdx->text(), FormatField(third));
    EXPECT_EQ(main->EdMdy->text(), "-2,5");
    // Nd is stored as read; the moments as their fields re-read them.
    EXPECT_EQ(State().Nd, third);
    EXPECT_EQ(State().Mxd, ThroughFieldText(third));
    EXPECT_EQ(State().Myd, -2.5);

    bool dialogOpened = false;
    ModalScript watch({[&](QWidget* modal) {
        dialogOpened = true;
        qobject_cast<QDialog*>(modal)->done(QDialog::Rejected);
    }});
    main->SelectConcreteFromFile(ConcreteOtherIndex);
    main->SelectSteelFromFile(-1);
    QTest::qWait(50);
    EXPECT_FALSE(dialogOpened) << "selecting from the program runs no handler";
    EXPECT_EQ(main->ConcreteIndex(), ConcreteOtherIndex);
    EXPECT_EQ(main->SteelIndex(), -1);
    EXPECT_DOUBLE_EQ(State().Fcd, 30.0 / 14.0);
    main->SelectConcreteFromFile(99);
    EXPECT_EQ(main->ConcreteIndex(), -1);
}

} // namespace
} // namespace flexara::testing
