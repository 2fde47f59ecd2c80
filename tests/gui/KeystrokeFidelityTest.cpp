// The window keystroke by keystroke: the exit confirmation and the settings
// answer nothing to Esc, zero safety factors are reported, the menu bar taking
// the keyboard does not leave a field, lists keep their selection, the chart's
// frame and notice, Tab on the orientation buttons, what a screen reader reads
// and Qt's own texts in Portuguese.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/TFConcreto.h"
#include "dialogs/TFConfig.h"
#include "dialogs/Tconfirma.h"
#include "editor/DocumentCommands.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"

#include <QAccessible>
#include <QChart>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QValueAxis>
#include <QWheelEvent>

namespace flexara::testing {
namespace {

class KeystrokeFidelityTest : public ProgramTest {
protected:
    // Sets a setting by typing it in the settings dialog, then closes it.
    void SetSetting(QLineEdit* TFConfig::*field, const char* text)
    {
        ModalScript script({[&](QWidget*) {
            TypeAndLeave(windows.FConfig->*field, text);
            windows.FConfig->close();
        }});
        main->Configura->trigger();
        ASSERT_TRUE(script.Finished());
    }

    // Leaves a list with Tab and returns the text of the error box that comes
    // once the event is over, or "" when none came.
    QString LeaveListExpectingBox(QComboBox* list)
    {
        ErrorBoxAnswerer boxes;
        FocusOn(list);
        LeaveWithTab(list);
        for (int i = 0; i < 50 && boxes.texts.isEmpty(); ++i)
            QTest::qWait(10);
        return boxes.texts.join("|");
    }
};

TEST_F(KeystrokeFidelityTest, EscInTheExitConfirmationAnswersNothing)
{
    Tconfirma* confirma = windows.confirma;
    const struct {
        const char* name;
        QPushButton* Tconfirma::*finally;
        bool expected;
    } cases[] = {{"then Não", &Tconfirma::nao, false}, {"then Sim", &Tconfirma::sim, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool stillShown = false;
        ModalScript script({[&](QWidget*) { QTest::keyClick(confirma, Qt::Key_Escape); },
                            [&](QWidget*) {
                                // A close request of the window system answers nothing either.
                                confirma->close();
                            },
                            [&](QWidget* modal) {
                                stillShown = modal == confirma && confirma->isVisible();
                                QTest::mouseClick(confirma->*c.finally, Qt::LeftButton);
                            }});
        EXPECT_EQ(confirma->Ask(), c.expected);
        EXPECT_TRUE(stillShown) << "Esc and the close request left the question open";
        EXPECT_EQ(script.StepsRun(), 3);
    }
}

TEST_F(KeystrokeFidelityTest, EscInTheSettingsDoesNothing)
{
    bool stillShown = false;
    ModalScript script({[&](QWidget*) { QTest::keyClick(windows.FConfig, Qt::Key_Escape); },
                        [&](QWidget* modal) {
                            stillShown = modal == windows.FConfig;
                            windows.FConfig->close(); // the close box
                        }});
    main->Configura->trigger();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(stillShown);
    EXPECT_FALSE(windows.FConfig->isVisible());
}

TEST_F(KeystrokeFidelityTest, AZeroConcreteFactorIsADivisionByZero)
{
    const double fcd = State().Fcd;
    SetSetting(&TFConfig::EdCoeCon, "0");
    ASSERT_EQ(State().GammaC, 0.0);

    // "Outro" with 30 MPa and OK: the box, the dialog stays open, Fcd kept.
    bool openAfterOk = false;
    TFConcreto* concreto = windows.FConcreto;
    {
        ErrorBoxAnswerer boxes;
        ModalScript script({[&](QWidget*) { TypeInto(concreto->EdOutroConc, "30"); },
                            [&](QWidget*) {
                                QTest::mouseClick(concreto->Button2, Qt::LeftButton);
                                openAfterOk = concreto->isVisible();
                                QTest::mouseClick(concreto->Button1, Qt::LeftButton);
                            }});
        FocusOn(main->CombConcreto);
        QTest::keyClick(main->CombConcreto, Qt::Key_End);
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(boxes.texts, QStringList{"Floating point division by zero."});
    }
    EXPECT_TRUE(openAfterOk);
    EXPECT_FALSE(concreto->isVisible());
    EXPECT_EQ(State().Fcd, fcd);

    // Leaving the list with a class chosen: the same box, Fcd kept.
    main->CombConcreto->setCurrentIndex(5);
    EXPECT_EQ(LeaveListExpectingBox(main->CombConcreto), "Floating point division by zero.");
    EXPECT_EQ(State().Fcd, fcd);
    SetSetting(&TFConfig::EdCoeAco, "0");
    const double fyd = State().Fyd;
    EXPECT_EQ(LeaveListExpectingBox(main->CombAco), "Floating point division by zero.");
    EXPECT_EQ(State().Fyd, fyd);
    // "&Novo" installs the default materials without a word (after the
    // question about the changed settings).
    EXPECT_TRUE(testing::AnsweringSaveQuestion([&] { main->Novo1->trigger(); }));
    QTest::qWait(30);
    EXPECT_EQ(FlexaraApplication::LastErrorMessage(), "Floating point division by zero.");
    FlexaraApplication::ForgetLastError();
    QTest::qWait(30);
    EXPECT_EQ(FlexaraApplication::LastErrorMessage(), "");
}

TEST_F(KeystrokeFidelityTest, TheMenuBarTakingTheKeyboardDoesNotLeaveAField)
{
    // Nd is stored only when its field is left.
    TypeInto(main->EdNd, "-150");
    QTest::keyClick(main->EdNd, Qt::Key_Alt);
    EXPECT_EQ(State().Nd, 0.0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), main->EdNd);
    // An Alt+letter opens "&Arquivo"; Esc twice comes back.
    QTest::keyClick(main->EdNd, Qt::Key_A, Qt::AltModifier);
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : main, Qt::Key_Escape);
    EXPECT_EQ(State().Nd, 0.0);
    EXPECT_TRUE(StatusIsPlain(*main));

    // Invalid text is not marked by the menu bar: the mark would cancel it.
    TypeInto(main->EdMdx, "abc");
    QTest::keyClick(main->EdMdx, Qt::Key_Alt);
    EXPECT_TRUE(StatusIsPlain(*main));
    EXPECT_NE(QApplication::focusWidget(), main->EdMdx) << "the menu bar holds the keyboard";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), main->EdMdx);

    // Leaving for another control is leaving, also through the menu bar.
    TypeInto(main->EdNd, "-150");
    QTest::keyClick(main->EdNd, Qt::Key_Alt);
    main->EdMdy->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(State().Nd, -150.0);
}

TEST_F(KeystrokeFidelityTest, ListsKeepTheirOneSelection)
{
    TGBArmadura& bars = main->Armadura();
    QTest::mouseClick(bars.BtnAdicionar, Qt::LeftButton);
    TGBSecao& section = main->Secao();
    QTest::mouseClick(section.ToolButtons[ShapeFreePolygon], Qt::LeftButton);
    QTest::mouseClick(section.BtnAdPontos, Qt::LeftButton);
    for (QListWidget* list : {bars.LBLinhas, section.LBPontos}) {
        SCOPED_TRACE(list->objectName().toStdString());
        ASSERT_EQ(list->count(), 2);
        const QRect last = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(0)).center());
        ASSERT_EQ(list->selectedItems().size(), 1);
        // The empty area below the items, and Ctrl with the selected item.
        const QPoint empty(last.center().x(), std::min(last.bottom() + 6, list->viewport()->height() - 2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, empty);
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->currentRow(), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_TRUE(list->item(0)->isSelected());
        FocusOn(list);
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        EXPECT_TRUE(list->item(0)->isSelected());
    }
}

TEST_F(KeystrokeFidelityTest, ChartFrameHasTwoBevelsAndTheDrawingStaysInIt)
{
    TChCurva* chart = main->ChCurva;
    const QImage picture = chart->grab().toImage();
    const int w = picture.width(), h = picture.height();
    const QColor light(255, 255, 255), shadow(128, 128, 128);
    // Lowered outside: shadow top and left, light bottom and right; raised inside.
    EXPECT_EQ(picture.pixelColor(w / 2, 0), shadow);
    EXPECT_EQ(picture.pixelColor(0, h / 2), shadow);
    EXPECT_EQ(picture.pixelColor(w / 2, h - 1), light);
    EXPECT_EQ(picture.pixelColor(w - 1, h / 2), light);
    EXPECT_EQ(picture.pixelColor(w / 2, 1), light);
    EXPECT_EQ(picture.pixelColor(1, h / 2), light);
    EXPECT_EQ(picture.pixelColor(w / 2, h - 2), shadow);
    EXPECT_EQ(picture.pixelColor(w - 2, h / 2), shadow);

    TypeTwoLineColumn();
    TypeAndLeave(main->EdNd, "-500");
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    ASSERT_EQ(chart->CurvePoints().size(), 102);
    // The data fill at least 85 % of each axis.
    QRectF extent(chart->CurvePoints().front(), QSizeF());
    for (const QPointF& point : chart->CurvePoints() + chart->DesignPoints())
        extent |= QRectF(point, QSizeF(1e-9, 1e-9));
    EXPECT_GE(extent.width() / (chart->AxisX->max() - chart->AxisX->min()), 0.85);
    EXPECT_GE(extent.height() / (chart->AxisY->max() - chart->AxisY->min()), 0.85);
    const QPointF placed = chart->chart()->mapToPosition(QPointF(0, 0));
    FocusOn(chart);
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown})
        QTest::keyClick(chart, key);
    QWheelEvent wheel(QPointF(100, 100), chart->viewport()->mapToGlobal(QPoint(100, 100)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart->viewport(), &wheel);
    EXPECT_EQ(chart->horizontalScrollBar()->value(), chart->horizontalScrollBar()->minimum());
    EXPECT_EQ(chart->verticalScrollBar()->value(), chart->verticalScrollBar()->minimum());
    EXPECT_EQ(chart->chart()->mapToPosition(QPointF(0, 0)), placed);
    EXPECT_EQ(chart->viewport()->mapTo(chart, QPoint(0, 0)), QPoint(2, 2));
}

TEST_F(KeystrokeFidelityTest, TheNoticeShowsAllFourEdges)
{
    TypeTwoLineColumn();
    TypeAndLeave(main->EdNd, "1000");
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    TChCurva* chart = main->ChCurva;
    ASSERT_TRUE(chart->NoticeShown());
    const QImage picture = chart->viewport()->grab().toImage();
    const QRectF plot = chart->chart()->plotArea();
    const QPointF topLeft = chart->chart()->mapToPosition(QPointF(-100, 100));
    const QPointF bottomRight = chart->chart()->mapToPosition(QPointF(100, -100));
    EXPECT_GT(topLeft.y(), plot.top() + 1) << "the top edge lies inside the plot, not on its border";
    EXPECT_GT(topLeft.x(), plot.left() + 1);
    EXPECT_LT(bottomRight.y(), plot.bottom() - 1);
    EXPECT_LT(bottomRight.x(), plot.right() - 1);
    // A blue pixel on each edge, half-way along it.
    auto blueNear = [&](QPointF at) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                const QColor c = picture.pixelColor(at.toPoint() + QPoint(dx, dy));
                if (c.blue() > 150 && c.red() < 120 && c.green() < 120)
                    return true;
            }
        return false;
    };
    const double midX = (topLeft.x() + bottomRight.x()) / 2, midY = (topLeft.y() + bottomRight.y()) / 2;
    EXPECT_TRUE(blueNear(QPointF(midX, topLeft.y()))) << "top";
    EXPECT_TRUE(blueNear(QPointF(midX, bottomRight.y()))) << "bottom";
    EXPECT_TRUE(blueNear(QPointF(topLeft.x(), midY))) << "left";
    EXPECT_TRUE(blueNear(QPointF(bottomRight.x(), midY))) << "right";
}

TEST_F(KeystrokeFidelityTest, TabStopsOnTheCheckedOrientationOnly)
{
    TGBArmadura& bars = main->Armadura();
    for (QRadioButton* checked : {bars.RadVer, bars.RadQual, bars.RadHor}) {
        SCOPED_TRACE(checked->objectName().toStdString());
        QTest::mouseClick(checked, Qt::LeftButton);
        ASSERT_TRUE(checked->isChecked());
        FocusOn(bars.EdY1);
        QTest::keyClick(bars.EdY1, Qt::Key_Tab);
        if (bars.EdY2->isEnabled()) {
            EXPECT_EQ(QApplication::focusWidget(), bars.EdY2);
            QTest::keyClick(bars.EdY2, Qt::Key_Tab);
        }
        EXPECT_EQ(QApplication::focusWidget(), checked);
        QTest::keyClick(checked, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), bars.LBLinhas);
        QTest::keyClick(bars.LBLinhas, Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), checked);
    }
}

TEST_F(KeystrokeFidelityTest, ScreenReadersReadTheRatioAndTheStatusBar)
{
    QAccessibleInterface* ratio = QAccessible::queryAccessibleInterface(main->LblTaxaArm);
    ASSERT_NE(ratio, nullptr);
    EXPECT_EQ(ratio->text(QAccessible::Name), "0,00 %");
    TypeTwoLineColumn();
    EXPECT_EQ(ratio->text(QAccessible::Name), "0,39 %") << "the value, kept current";
    bool labelled = false;
    for (const auto& relation : ratio->relations(QAccessible::Label))
        labelled = labelled || relation.first->object() == main->Label23;
    EXPECT_TRUE(labelled) << "its caption labels it";

    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(main->StatusPanel);
    ASSERT_NE(status, nullptr);
    TypeAndLeave(main->EdMdx, "abc");
    EXPECT_EQ(status->text(QAccessible::Name), "Valor de entrada inválido");
    EXPECT_EQ(status->text(QAccessible::Description), "Valor de entrada inválido");
    QTest::keyClicks(main->EdMdx, "1");
    EXPECT_EQ(status->text(QAccessible::Name).trimmed(), "");

    auto* more = main->Secao().ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(more)->text(QAccessible::Name), "Mais formas de seção");
}

TEST_F(KeystrokeFidelityTest, QtsOwnDialogsSpeakPortuguese)
{
    StandardFileDialogs dialogs(main);
    auto* buttons = dialogs.SaveDialog1->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QStringList texts;
    for (QAbstractButton* button : buttons->buttons())
        texts.append(button->text().remove(QLatin1Char('&')));
    EXPECT_TRUE(texts.contains("Salvar")) << texts.join(", ").toStdString();
    EXPECT_TRUE(texts.contains("Cancelar")) << texts.join(", ").toStdString();
    // FLEXARA_SCREENSHOTS=folder keeps a picture of the dialog for the documentation.
    if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
        dialogs.SaveDialog1->show();
        QTest::qWait(300);
        dialogs.SaveDialog1->grab().save(QString::fromLocal8Bit(shots) + "/save-dialog.png");
        dialogs.SaveDialog1->hide();
    }
    QMessageBox question(QMessageBox::Question, "Flexara 1.0", "?", QMessageBox::Yes | QMessageBox::No, main);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), "Sim");
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove(QLatin1Char('&')), "Não");
}

} // namespace
} // namespace flexara::testing
