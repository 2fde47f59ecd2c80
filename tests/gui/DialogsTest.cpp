// The settings dialog FConfig, the warning FAviso, the about box and the exit
// confirmation: what each stores, shows and answers.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/TAboutBox.h"
#include "dialogs/TFAviso.h"
#include "dialogs/TFConfig.h"
#include "dialogs/Tconfirma.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

namespace flexara::testing {
namespace {

class DialogsTest : public ProgramTest {
protected:
    TFConfig* Config() { return windows.FConfig; }

    // Opens the settings from the menu and runs the steps on it; the last step
    // is expected to close it.
    void WithSettings(std::vector<ModalScript::Step> steps)
    {
        ModalScript script(std::move(steps));
        main->Configura->trigger();
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(Config()->isVisible());
    }
};

void CloseBox(QWidget* dialog)
{
    dialog->close();
}

TEST_F(DialogsTest, SettingsFieldsValidateWhenLeft)
{
    const QString invalid = QStringLiteral("Valor de entrada inválido");
    const QString maximum = QStringLiteral("O número máximo de pontos é igual a 200");
    struct Case {
        const char* name;
        QLineEdit* TFConfig::*field;
        const char* typed;
        QString status; // " " when the text passes
        double gammaC, gammaS;
        std::int32_t count;
        const char* shownAfter;
    };
    const Case cases[] = {
        {"letters in EdCoeCon", &TFConfig::EdCoeCon, "abc", invalid, 1.4, 1.15, 100, "abc"},
        {"negative EdCoeAco is stored", &TFConfig::EdCoeAco, "-1,2", invalid, 1.4, -1.2, 100, "-1,2"},
        {"250 points", &TFConfig::EdPontsInt, "250", maximum, 1.4, 1.15, 200, "200"},
        {"12,5 points", &TFConfig::EdPontsInt, "12,5", invalid, 1.4, 1.15, 100, "12,5"},
        {"negative count is stored", &TFConfig::EdPontsInt, "-5", invalid, 1.4, 1.15, -5, "-5"},
        {"zero factor passes", &TFConfig::EdCoeCon, "0", " ", 0.0, 1.15, 100, "0"},
        {"1,5 for the concrete", &TFConfig::EdCoeCon, "1,5", " ", 1.5, 1.15, 100, "1,5"},
        {"200 points pass", &TFConfig::EdPontsInt, "200", " ", 1.4, 1.15, 200, "200"},
        {"0 points pass", &TFConfig::EdPontsInt, "0", " ", 1.4, 1.15, 0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        State().GammaC = 1.4;
        State().GammaS = 1.15;
        State().CurvePointCount = 100;
        QString status, shown;
        QColor colour;
        QWidget* focus = nullptr;
        WithSettings({[&](QWidget*) {
            TypeAndLeave(Config()->*c.field, c.typed);
            status = main->StatusText();
            colour = main->StatusColor();
            shown = (Config()->*c.field)->text();
            focus = QApplication::focusWidget();
            CloseBox(Config());
        }});
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(shown, c.shownAfter);
        EXPECT_EQ(State().GammaC, c.gammaC);
        EXPECT_EQ(State().GammaS, c.gammaS);
        EXPECT_EQ(State().CurvePointCount, c.count);
        if (c.status != " ") {
            EXPECT_EQ(focus, Config()->*c.field) << "the focus goes back";
            EXPECT_NE(colour, QColor(192, 192, 192));
        } else {
            EXPECT_NE(focus, Config()->*c.field);
            EXPECT_EQ(colour, QColor(192, 192, 192));
        }
    }
}

TEST_F(DialogsTest, SettingsOpenWithTheCurrentValues)
{
    State().GammaC = 1.5;
    State().GammaS = 1.2;
    State().CurvePointCount = 36;
    State().AlphaC = 0.80;
    WithSettings({[&](QWidget*) {
        EXPECT_EQ(Config()->EdCoeCon->text(), "1,5");
        EXPECT_EQ(Config()->EdCoeAco->text(), "1,2");
        EXPECT_EQ(Config()->EdPontsInt->text(), "36");
        EXPECT_TRUE(Config()->RadioButton2->isChecked());
        CloseBox(Config());
    }});
}

TEST_F(DialogsTest, ValoresOriginaisRestoresAllButTheStressFactor)
{
    State().GammaC = 2.0;
    State().GammaS = 3.0;
    State().CurvePointCount = 50;
    State().AlphaC = 0.80;
    WithSettings({[&](QWidget*) {
        QTest::mouseClick(Config()->Button1, Qt::LeftButton);
        EXPECT_EQ(State().GammaC, 1.4);
        EXPECT_EQ(State().GammaS, 1.15);
        EXPECT_EQ(State().CurvePointCount, 100);
        EXPECT_EQ(Config()->EdCoeCon->text(), "1,4");
        EXPECT_EQ(Config()->EdCoeAco->text(), "1,15");
        EXPECT_EQ(Config()->EdPontsInt->text(), "100");
        EXPECT_TRUE(Config()->RadioButton1->isChecked());
        EXPECT_TRUE(StatusIsPlain(*main));
        CloseBox(Config());
    }});
    EXPECT_EQ(State().AlphaC, 0.80) << "the close box leaves AlphaC";
}

TEST_F(DialogsTest, StressFactorChangesOnlyWithOk)
{
    WithSettings({[&](QWidget*) {
        QTest::mouseClick(Config()->RadioButton2, Qt::LeftButton);
        CloseBox(Config());
    }});
    EXPECT_EQ(State().AlphaC, 0.85);

    WithSettings({[&](QWidget*) {
        EXPECT_TRUE(Config()->RadioButton1->isChecked()) << "shown from the setting, not from the last clicks";
        QTest::mouseClick(Config()->RadioButton2, Qt::LeftButton);
        QTest::mouseClick(Config()->Button2, Qt::LeftButton);
    }});
    EXPECT_EQ(State().AlphaC, 0.80);
}

TEST_F(DialogsTest, OkDoesNotCloseOverBadInput)
{
    WithSettings({[&](QWidget*) {
                      TypeInto(Config()->EdCoeCon, "x");
                      QTest::mouseClick(Config()->Button2, Qt::LeftButton);
                      EXPECT_TRUE(Config()->isVisible());
                      EXPECT_TRUE(StatusIsInvalid(*main));
                  },
                  [&](QWidget*) {
                      // The focus is still held by EdCoeCon.
                      EXPECT_EQ(QApplication::focusWidget(), Config()->EdCoeCon);
                      TypeInto(Config()->EdCoeCon, "1,3");
                      QTest::mouseClick(Config()->Button2, Qt::LeftButton);
                  }});
    EXPECT_EQ(State().GammaC, 1.3) << "stored when OK took the focus";
}

TEST_F(DialogsTest, SettingsFieldsAreReachedInOrderAndNamedByTheirCaptions)
{
    EXPECT_FALSE(Config()->Button1->isDefault() || Config()->Button2->isDefault());
    const QWidget* order[] = {Config()->RadioButton1, Config()->RadioButton2, Config()->EdCoeCon, Config()->EdCoeAco,
                              Config()->EdPontsInt,   Config()->Button1,      Config()->Button2};
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_EQ(NextTabStop(const_cast<QWidget*>(order[i])), order[i + 1]) << i;
    struct Named {
        QWidget* field;
        const char* name;
    };
    for (const Named& n : {Named{Config()->EdCoeCon, "Coeficiente de segurança do concreto"},
                           Named{Config()->EdCoeAco, "Coeficiente de segurança do aço"},
                           Named{Config()->EdPontsInt, "Número de pontos do diagrama de interação"}}) {
        SCOPED_TRACE(n.name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(n.field)->text(QAccessible::Name), QString::fromUtf8(n.name));
        QLabel* caption = nullptr;
        for (QLabel* label : Config()->findChildren<QLabel*>())
            if (label->buddy() == n.field)
                caption = label;
        ASSERT_NE(caption, nullptr);
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
        EXPECT_LT(caption->geometry().right(), n.field->x());
    }
}

TEST_F(DialogsTest, TheModelDecidesBetweenTheBlockFactorAndTheCheckBox)
{
    struct Case {
        const char* name;
        QRadioButton* TFConfig::*model;
        bool factorShown;
        bool checkBoxEnabled;
    };
    const Case cases[] = {
        {"NBR rectangular", &TFConfig::RadioButton4, false, true},
        {"NBR parabola-rectangle: the reduction means nothing", &TFConfig::RadioButton5, false, false},
        {"classic", &TFConfig::RadioButton3, true, false},
        {"NBR rectangular after the classic", &TFConfig::RadioButton4, false, true},
    };
    WithSettings({[&](QWidget*) {
        EXPECT_TRUE(Config()->RadioButton3->isChecked()) << "the classic model of a new run";
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            QTest::mouseClick(Config()->*c.model, Qt::LeftButton);
            EXPECT_TRUE((Config()->*c.model)->isChecked());
            EXPECT_EQ(Config()->Label1->isVisible(), c.factorShown);
            EXPECT_EQ(Config()->RadioButton1->isVisible(), c.factorShown);
            EXPECT_EQ(Config()->RadioButton2->isVisible(), c.factorShown);
            EXPECT_EQ(Config()->CheckBox1->isVisible(), !c.factorShown);
            if (!c.factorShown) {
                EXPECT_EQ(Config()->CheckBox1->isEnabled(), c.checkBoxEnabled);
            }
            // The two sets of buttons do not take each other's choice.
            EXPECT_TRUE(Config()->RadioButton1->isChecked());
        }
        QTest::mouseClick(Config()->RadioButton3, Qt::LeftButton);
        QTest::mouseClick(Config()->RadioButton2, Qt::LeftButton);
        EXPECT_TRUE(Config()->RadioButton3->isChecked());
        EXPECT_TRUE(Config()->RadioButton2->isChecked());
        CloseBox(Config());
    }});
}

TEST_F(DialogsTest, TheModelChangesOnlyWithOkAsTheBlockFactorDoes)
{
    struct Case {
        const char* name;
        CalculationModel before;
        bool reducedBefore;
        std::function<void()> steps;
        CalculationModel after;
        bool reducedAfter;
    };
    const auto then = [](std::function<void()> a, std::function<void()> b) {
        return [a, b] {
            a();
            b();
        };
    };
    const auto closeBox = [this] { CloseBox(Config()); };
    const Case cases[] = {
        {"chosen, then the close box", CalculationModel::Classic, false,
         then([this] { QTest::mouseClick(Config()->RadioButton5, Qt::LeftButton); }, closeBox),
         CalculationModel::Classic, false},
        {"rectangular with the reduction, OK", CalculationModel::Classic, false,
         [this] {
             QTest::mouseClick(Config()->RadioButton4, Qt::LeftButton);
             QTest::mouseClick(Config()->CheckBox1, Qt::LeftButton);
             QTest::mouseClick(Config()->Button2, Qt::LeftButton);
         },
         CalculationModel::NbrRectangular, true},
        {"parabola, OK", CalculationModel::NbrRectangular, true,
         [this] {
             QTest::mouseClick(Config()->RadioButton5, Qt::LeftButton);
             QTest::mouseClick(Config()->Button2, Qt::LeftButton);
         },
         CalculationModel::NbrParabolaRectangle, true},
        {"Valores Originais, then the close box", CalculationModel::NbrParabolaRectangle, true,
         then(
             [this] {
                 QTest::mouseClick(Config()->Button1, Qt::LeftButton);
                 EXPECT_TRUE(Config()->RadioButton3->isChecked());
                 EXPECT_FALSE(Config()->CheckBox1->isChecked());
             },
             closeBox),
         CalculationModel::NbrParabolaRectangle, true},
        {"Valores Originais, then OK", CalculationModel::NbrRectangular, true,
         [this] {
             QTest::mouseClick(Config()->Button1, Qt::LeftButton);
             QTest::mouseClick(Config()->Button2, Qt::LeftButton);
         },
         CalculationModel::Classic, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        State().Model = c.before;
        State().ReducedBlockStress = c.reducedBefore;
        WithSettings({[&](QWidget*) {
            // Shown from the state, not from the last clicks.
            EXPECT_EQ(Config()->RadioButton4->isChecked(), c.before == CalculationModel::NbrRectangular);
            EXPECT_EQ(Config()->RadioButton5->isChecked(), c.before == CalculationModel::NbrParabolaRectangle);
            EXPECT_EQ(Config()->CheckBox1->isChecked(), c.reducedBefore);
            c.steps();
        }});
        EXPECT_EQ(State().Model, c.after);
        EXPECT_EQ(State().ReducedBlockStress, c.reducedAfter);
    }
}

TEST_F(DialogsTest, TheModelControlsAreNamedAndTheirTextsFit)
{
    WithSettings({[&](QWidget*) {
        QTest::mouseClick(Config()->RadioButton4, Qt::LeftButton);
        struct Named {
            QWidget* control;
            const char* name;
        };
        const Named named[] = {
            {Config()->GroupBox1, "Modelo de cálculo"},
            {Config()->RadioButton3, "Clássico (0,85 fcd a partir de 0,7 ‰)"},
            {Config()->RadioButton4, "NBR 6118:2014 — retangular (αc, λ)"},
            {Config()->RadioButton5, "NBR 6118:2014 — parábola-retângulo"},
            {Config()->CheckBox1, "Largura da zona comprimida diminui em direção à borda comprimida (0,9·αc)"},
        };
        for (const Named& n : named) {
            SCOPED_TRACE(n.name);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(n.control)->text(QAccessible::Name),
                      QString::fromUtf8(n.name));
            // Every line of the caption inside the control, the control inside the dialog.
            if (auto* button = qobject_cast<QAbstractButton*>(n.control)) {
                for (const QString& line : button->text().split(QLatin1Char('\n')))
                    EXPECT_LE(button->fontMetrics().horizontalAdvance(line) + 24, button->width())
                        << line.toStdString();
            }
            EXPECT_LE(n.control->mapTo(Config(), QPoint(n.control->width(), n.control->height())).x(),
                      Config()->width());
        }
        for (QRadioButton* radio : {Config()->RadioButton3, Config()->RadioButton4, Config()->RadioButton5})
            EXPECT_EQ(QAccessible::queryAccessibleInterface(radio)->text(QAccessible::Description),
                      "Modelo de cálculo");
        // The note on the steel of the code models is read whole.
        EXPECT_NE(Config()->Label5->text().indexOf("bilinear"), -1);
        EXPECT_NE(Config()->Label5->text().indexOf("classe B não é usada"), -1);
        EXPECT_LE(Config()->Label5->heightForWidth(Config()->Label5->width()), Config()->Label5->height());
        // Nothing overlaps the fields below.
        EXPECT_LT(Config()->GroupBox1->geometry().bottom(), Config()->CheckBox1->y());
        EXPECT_LT(Config()->CheckBox1->geometry().bottom(), Config()->EdCoeCon->y());
        EXPECT_LT(Config()->RadioButton2->geometry().bottom(), Config()->EdCoeCon->y());
        CloseBox(Config());
    }});
}

TEST_F(DialogsTest, WarningShowsExactlyOneText)
{
    TFAviso* aviso = windows.FAviso;
    EXPECT_EQ(aviso->windowTitle(), "Aviso");
    struct Case {
        CurveWarning warning;
        const char* text;
    };
    // Each text after each: the label of the previous showing never lingers.
    const Case sequence[] = {
        {CurveWarning::ZeroArea, "Área de concreto ou aço nula."},
        {CurveWarning::BarsOutside, "Barras de aço fora da seção."},
        {CurveWarning::BarsOutside, "Barras de aço fora da seção."},
        {CurveWarning::ZeroArea, "Área de concreto ou aço nula."},
    };
    for (const Case& c : sequence) {
        SCOPED_TRACE(c.text);
        QStringList visible;
        ModalScript script({[&](QWidget* modal) {
            EXPECT_EQ(modal, aviso);
            for (QLabel* label : {aviso->LblAvisoFora, aviso->LblAvisoArea})
                if (label->isVisible())
                    visible.append(label->text());
            QTest::mouseClick(aviso->Button1, Qt::LeftButton);
        }});
        aviso->ShowWarning(c.warning);
        EXPECT_EQ(visible, QStringList{QString::fromUtf8(c.text)});
        EXPECT_FALSE(aviso->isVisible());
    }
    EXPECT_EQ(aviso->LblAvisoFora->geometry(), aviso->LblAvisoArea->geometry()) << "stacked in one place";
}

// Receives the pages the about box asks the system to open.
class PageOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

QColor LinkColour(const TAboutBox* about)
{
    return about->Label9->palette().color(QPalette::WindowText);
}

// The mouse moving over a widget with no button down, delivered as the window
// system delivers it (to the widget, then on to its parents while unhandled).
void MoveOver(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

TEST_F(DialogsTest, AboutLinkTurnsRedUnderTheMouseAndOpensThePage)
{
    TAboutBox* about = windows.AboutBox;
    PageOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &opener, "Open");
    ModalScript script({[&](QWidget* modal) {
        ASSERT_EQ(modal, about);
        EXPECT_EQ(LinkColour(about), QColor(Qt::blue));
        MoveOver(about->Label9, QPoint(5, 5));
        EXPECT_EQ(LinkColour(about), QColor(Qt::red));
        EXPECT_EQ(about->Label9->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(about->Panel1->cursor().shape(), Qt::ArrowCursor) << "the hand belongs to the link alone";

        struct Surface {
            const char* name;
            QWidget* widget;
            QPoint at;
        };
        const Surface surfaces[] = {
            {"the panel", about->Panel1, QPoint(200, 250)},
            {"the rectangle behind the top block", about->Shape1, QPoint(300, 80)},
            {"the box itself", about, QPoint(4, 320)},
        };
        for (const Surface& s : surfaces) {
            SCOPED_TRACE(s.name);
            MoveOver(about->Label9, QPoint(5, 5));
            ASSERT_EQ(LinkColour(about), QColor(Qt::red));
            MoveOver(s.widget, s.at);
            EXPECT_EQ(LinkColour(about), QColor(Qt::blue));
        }
        QTest::mouseClick(about->Label9, Qt::LeftButton);
        QTest::mouseClick(about->OKButton, Qt::LeftButton);
    }});
    main->Sobre->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened.front(), QUrl(QString::fromUtf8(ProjectWebAddress)));
    EXPECT_EQ(about->Label9->text(), QString::fromUtf8(ProjectWebAddress));
}

TEST_F(DialogsTest, AboutBoxTextsFitAndTheIconIsShown)
{
    TAboutBox* about = windows.AboutBox;
    for (QLabel* label : about->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_LE(label->geometry().right(), label->parentWidget()->width());
    }
    EXPECT_FALSE(about->ProgramIcon->pixmap().isNull());
}

TEST_F(DialogsTest, ConfirmationAnswersNoOnlyForNao)
{
    Tconfirma* confirma = windows.confirma;
    EXPECT_EQ(NextTabStop(confirma->sim), confirma->nao);
    EXPECT_FALSE(confirma->sim->isDefault() || confirma->nao->isDefault());
    EXPECT_FALSE(confirma->windowFlags() & Qt::WindowCloseButtonHint);

    struct Case {
        const char* name;
        std::function<void()> answer;
        bool expected;
    };
    const Case cases[] = {
        {"Não", [&] { QTest::mouseClick(confirma->nao, Qt::LeftButton); }, false},
        {"Sim after a Não", [&] { QTest::mouseClick(confirma->sim, Qt::LeftButton); }, true},
        {"Não again", [&] { QTest::mouseClick(confirma->nao, Qt::LeftButton); }, false},
        {"Space on the focused Sim", [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* focus = nullptr;
        ModalScript script({[&](QWidget*) {
            focus = QApplication::focusWidget();
            c.answer();
        }});
        EXPECT_EQ(confirma->Ask(), c.expected);
        EXPECT_EQ(focus, confirma->sim) << "Sim has the focus when the dialog opens";
    }
}

} // namespace
} // namespace flexara::testing

#include "DialogsTest.moc"
