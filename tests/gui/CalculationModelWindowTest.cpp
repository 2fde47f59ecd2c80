// The calculation model from the window: chosen in "Configurações", it draws
// its own curve at "Gerar gráfico", is kept by Save and Open, belongs to the
// case the combinations are checked on, and a strength outside C20..C90 ends
// in the error box.
#include "dialogs/TFConfig.h"
#include "editor/InteractionChart.h"
#include "engine/study/CaseCurve.h"
#include "project/HeadlessLoader.h"
#include "tests/gui/ProgramWindowsFixture.h"
#include "tests/project/ProjectTestSupport.h"
#include "tests/support/Shell.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>

#include <cmath>

namespace flexara {
namespace {

using testing::ModalScript;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CalculationModelWindowTest : public testing::ProgramWithDialogsTest {
protected:
    TFConfig* Config() { return windows.FConfig; }

    // The model chosen in the settings as a user does it, confirmed with OK;
    // the check box is set on the way, in the rectangular model, where it is
    // enabled.
    void ChooseModel(QRadioButton* TFConfig::*model, bool narrowing = false)
    {
        ModalScript script({[&](QWidget*) {
            QTest::mouseClick(Config()->RadioButton4, Qt::LeftButton);
            if (Config()->CheckBox1->isChecked() != narrowing)
                QTest::mouseClick(Config()->CheckBox1, Qt::LeftButton);
            QTest::mouseClick(Config()->*model, Qt::LeftButton);
            QTest::mouseClick(Config()->Button2, Qt::LeftButton);
        }});
        main->Configura->trigger();
        EXPECT_TRUE(script.Finished());
    }

    // The 20 x 40 column of the examples (Nd -500 kN) with the concrete of
    // the selector's index, opened from a file.
    void OpenColumn(int concreteIndex)
    {
        std::string text = LoadProjectBytes(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr");
        // Line 8 is the concrete selector's index, "3" for C-30.
        std::size_t at = 0;
        for (int line = 1; line < 8; ++line)
            at = text.find("\r\n", at) + 2;
        text.replace(at, 1, std::to_string(concreteIndex));
        const QString path = Path("pilar.fxr");
        SaveFileBytes(path.toStdString(), text);
        Open(path);
    }

    void Open(const QString& path)
    {
        dialogs->openAnswers.push_back(path);
        EXPECT_EQ(testing::RunMenuCommand(main->Abrir1), "");
    }

    // What the engine draws for the window's case in the given model.
    std::vector<Point> EngineCurve(CalculationModel model, bool narrowing)
    {
        AnalysisState copy = main->State();
        copy.Model = model;
        copy.ReducedBlockStress = narrowing;
        return GenerateCaseCurve(copy, main->Selection()).points;
    }

    std::vector<Point> ChartCurve()
    {
        std::vector<Point> points;
        for (const QPointF& p : main->ChCurva->CurvePoints())
            points.push_back(Point{p.x(), p.y()});
        return points;
    }
};

double LargestDistance(const std::vector<Point>& a, const std::vector<Point>& b)
{
    double largest = 0.0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, std::hypot(a[i].x - b[i].x, a[i].y - b[i].y));
    return largest;
}

TEST_F(CalculationModelWindowTest, TheModelChosenInTheSettingsDrawsItsCurve)
{
    OpenColumn(10); // C-70, where the code models part from the classic one
    ASSERT_EQ(State().Model, CalculationModel::Classic);
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    const std::vector<Point> classic = ChartCurve();
    ASSERT_EQ(classic.size(), 102u);

    struct Case {
        const char* name;
        QRadioButton* TFConfig::*button;
        bool narrowing;
        CalculationModel model;
    };
    const Case cases[] = {
        {"rectangular", &TFConfig::RadioButton4, false, CalculationModel::NbrRectangular},
        {"rectangular, 0.9·αc", &TFConfig::RadioButton4, true, CalculationModel::NbrRectangular},
        {"parabola-rectangle", &TFConfig::RadioButton5, false, CalculationModel::NbrParabolaRectangle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChooseModel(c.button, c.narrowing);
        EXPECT_EQ(State().Model, c.model);
        EXPECT_EQ(State().ReducedBlockStress, c.narrowing);
        QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
        const std::vector<Point> drawn = ChartCurve();
        ASSERT_EQ(drawn.size(), 102u);
        const std::vector<Point> expected = EngineCurve(c.model, c.narrowing);
        ASSERT_EQ(expected.size(), drawn.size());
        EXPECT_EQ(LargestDistance(drawn, expected), 0.0);
        // At C-70 the code models carry less than the classic one: the curve moves.
        EXPECT_GT(LargestDistance(drawn, classic), 1.0);
    }
}

TEST_F(CalculationModelWindowTest, SaveThenOpenKeepsTheModel)
{
    struct Case {
        const char* name;
        QRadioButton* TFConfig::*button;
        bool narrowing;
        CalculationModel model;
        const char* block;
    };
    const Case cases[] = {
        {"parabola-rectangle", &TFConfig::RadioButton5, false, CalculationModel::NbrParabolaRectangle,
         "modelo\r\n2\r\n0\r\n"},
        {"rectangular, 0.9·αc", &TFConfig::RadioButton4, true, CalculationModel::NbrRectangular,
         "modelo\r\n1\r\n1\r\n"},
        {"classic", &TFConfig::RadioButton3, false, CalculationModel::Classic, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenColumn(3);
        ChooseModel(c.button, c.narrowing);
        dialogs->saveAnswers.push_back(Path("modelo.fxr"));
        EXPECT_EQ(testing::RunMenuCommand(main->SavarComo1), "");
        const QByteArray saved = ReadAll(Path("modelo.fxr"));
        const QByteArray section = "retang\r\n 2.00000000000000E+0001\r\n 4.00000000000000E+0001\r\n";
        EXPECT_TRUE(saved.endsWith(section + c.block)) << saved.right(120).toStdString();

        // Another case in between: a file without the block is classic.
        OpenColumn(3);
        EXPECT_EQ(State().Model, CalculationModel::Classic);
        Open(Path("modelo.fxr"));
        EXPECT_EQ(State().Model, c.model);
        EXPECT_EQ(State().ReducedBlockStress, c.narrowing);
        // The window's reader and the headless one store the same case.
        auto headless = std::make_unique<AnalysisState>();
        LoadProjectFileHeadless(Path("modelo.fxr").toStdString(), *headless);
        testing::ExpectSameCase(*headless, State());
        // And the settings show it.
        ModalScript script({[&](QWidget*) {
            EXPECT_EQ(Config()->RadioButton3->isChecked(), c.model == CalculationModel::Classic);
            EXPECT_EQ(Config()->RadioButton4->isChecked(), c.model == CalculationModel::NbrRectangular);
            EXPECT_EQ(Config()->RadioButton5->isChecked(), c.model == CalculationModel::NbrParabolaRectangle);
            EXPECT_EQ(Config()->CheckBox1->isChecked(), c.narrowing);
            Config()->close();
        }});
        main->Configura->trigger();
        EXPECT_TRUE(script.Finished());
    }
}

TEST_F(CalculationModelWindowTest, TheModelOutlivesNovoAsTheOtherSettingsDo)
{
    // Chosen in the settings, the model stays for the next case, as γc and the
    // block factor do; a file read in replaces it (classic when it has none).
    ChooseModel(&TFConfig::RadioButton4, true);
    State().GammaC = 1.5;
    // The settings changed are a change of the case: Novo asks first.
    EXPECT_TRUE(testing::AnsweringSaveQuestion([&] { main->Novo1->trigger(); }));
    EXPECT_EQ(State().GammaC, 1.5);
    EXPECT_EQ(State().Model, CalculationModel::NbrRectangular);
    EXPECT_TRUE(State().ReducedBlockStress);
    OpenColumn(3);
    EXPECT_EQ(State().Model, CalculationModel::Classic);
    EXPECT_FALSE(State().ReducedBlockStress);
}

TEST_F(CalculationModelWindowTest, TheCaseOfTheCombinationsIncludesTheModel)
{
    OpenColumn(3);
    const std::string classic = main->CaseFingerprint();
    ChooseModel(&TFConfig::RadioButton4);
    const std::string rectangular = main->CaseFingerprint();
    ChooseModel(&TFConfig::RadioButton4, true);
    const std::string narrowed = main->CaseFingerprint();
    ChooseModel(&TFConfig::RadioButton5, true);
    const std::string parabola = main->CaseFingerprint();
    EXPECT_NE(rectangular, classic);
    EXPECT_NE(narrowed, rectangular);
    EXPECT_NE(parabola, narrowed);
    // Back to the classic model: the case of before, whatever the check box says.
    ChooseModel(&TFConfig::RadioButton3, true);
    EXPECT_TRUE(State().ReducedBlockStress);
    EXPECT_EQ(main->CaseFingerprint(), classic);
}

// The record exported from the window names the model of the case and its
// parameters. C-70 (fck 70, worked in the engine's tests): αc = 0,85·0,9 =
// 0,765; λ = 0,8 − 20/400 = 0,75; εc2 = 2 + 0,085·20^0,53 = 2,4159 ‰;
// εcu = 2,6 + 35·0,2^4 = 2,656 ‰; n = 1,4 + 23,4·0,2^4 = 1,4374.
TEST_F(CalculationModelWindowTest, TheReportNamesTheModelOfTheCase)
{
    OpenColumn(10);
    ChooseModel(&TFConfig::RadioButton5);
    const QString path = Path("relatorio.pdf");
    dialogs->otherAnswers.push_back({path, QString()});
    EXPECT_EQ(testing::RunMenuCommand(main->ExportarRelatorio), "");
    const std::string text =
        testing::RunShell("pdftotext -layout '" + QFile::encodeName(path).toStdString() + "' - 2>/dev/null").out;
    for (const char* line : {"Modelo de cálculo: NBR 6118:2014 — parábola-retângulo",
                             "αc = 0,7650; λ = 0,7500; εc2 = 2,4159 ‰; εcu = 2,6560 ‰; n = 1,4374"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
}

TEST_F(CalculationModelWindowTest, AStrengthOutsideTheCodeEndsInTheErrorBox)
{
    OpenColumn(0); // C-15
    ChooseModel(&TFConfig::RadioButton5);
    testing::ErrorBoxAnswerer answerer;
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(answerer.texts.size(), 1, 5000);
    EXPECT_EQ(answerer.texts.front(), QString::fromUtf8("O modelo da NBR 6118:2014 vale para concretos de C20 a C90 "
                                                        "(fck de 20 a 90 MPa); o fck deste caso é 15 MPa."));
    EXPECT_TRUE(main->ChCurva->CurvePoints().isEmpty());
    // The classic model draws C-15 as always.
    ChooseModel(&TFConfig::RadioButton3);
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    EXPECT_EQ(main->ChCurva->CurvePoints().size(), 102);
    EXPECT_EQ(answerer.texts.size(), 1);
}

} // namespace
} // namespace flexara
