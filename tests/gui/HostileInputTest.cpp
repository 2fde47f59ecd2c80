// The window against hostile values: huge moments still give a drawn chart,
// extreme values survive save and open, and a file without a steel class, a
// polygon that is no outline or a bar area beyond the double range end in the
// warning or the error box while the window goes on.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/TFAviso.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "project/ProjectFile.h"
#include "uikit/FieldText.h"

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QValueAxis>

#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace flexara::testing {
namespace {

// A run that never ends fails the suite instead of hanging it.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds)
    {
        std::signal(SIGALRM, [](int) {
            static const char message[] = "the window did not come back in time\n";
            [[maybe_unused]] const auto written = ::write(2, message, sizeof message - 1);
            ::_exit(3);
        });
        ::alarm(seconds);
    }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

long MaximumResidentKb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class HostileInputTest : public ProgramWithDialogsTest {
protected:
    // Presses "Gerar gráfico" and answers every warning and error box; returns
    // the texts they showed, in order.
    QStringList Generate()
    {
        QStringList shown;
        std::vector<ModalScript::Step> steps;
        for (int i = 0; i < 3; ++i)
            steps.push_back([&](QWidget* modal) {
                if (auto* aviso = qobject_cast<TFAviso*>(modal)) {
                    warningSize = aviso->size();
                    for (QLabel* label : aviso->findChildren<QLabel*>())
                        if (label->isVisible())
                            shown.append(label->text());
                    aviso->Button1->click();
                } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shown.append(box->text());
                    box->button(QMessageBox::Ok)->click();
                }
            });
        ModalScript script(std::move(steps), 3000);
        QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
        QTest::qWait(50);
        return shown;
    }

    QString WriteFile(const char* name, const std::string& bytes)
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        SaveFileBytes(QFile::encodeName(path).toStdString(), bytes);
        return path;
    }

    std::string ExampleWithLine(int line, const std::string& value)
    {
        std::string text = LoadProjectBytes(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr");
        std::size_t start = 0;
        for (int i = 1; i < line; ++i)
            start = text.find("\r\n", start) + 2;
        text.replace(start, text.find("\r\n", start) - start, value);
        return text;
    }

    QString Open(const QString& path)
    {
        dialogs->openAnswers.push_back(path);
        return RunMenuCommand(main->Abrir1);
    }

    QSize warningSize; // of the last warning shown
};

TEST_F(HostileInputTest, HugeMomentsStillGiveADrawnChart)
{
    TypeTwoLineColumn();
    const long before = MaximumResidentKb();
    for (const char* mxd : {"1,7E308", "-1,79769313486232E308", "1,66E308"}) {
        SCOPED_TRACE(mxd);
        const Watchdog watchdog(120);
        TypeAndLeave(main->EdMdx, mxd);
        TypeAndLeave(main->EdMdy, "-1E300");
        EXPECT_TRUE(Generate().isEmpty());
        TChCurva* chart = main->ChCurva;
        ASSERT_EQ(chart->CurvePoints().size(), 102);
        ASSERT_EQ(chart->DesignPoints().size(), 1);
        for (QValueAxis* axis : {chart->AxisX, chart->AxisY}) {
            SCOPED_TRACE(axis->titleText().toStdString());
            ASSERT_TRUE(std::isfinite(axis->min()) && std::isfinite(axis->max()));
            ASSERT_TRUE(std::isfinite(axis->max() - axis->min()));
            EXPECT_LE((axis->max() - axis->min()) / axis->tickInterval(), MaxAxisLabels);
        }
        const QPointF design = chart->DesignPoints().front();
        EXPECT_LE(chart->AxisX->min(), design.x());
        EXPECT_GE(chart->AxisX->max(), design.x());
        EXPECT_LE(chart->AxisY->min(), design.y());
        // Drawn: the picture of the chart is made and has its white plot area.
        const QImage picture = chart->grab().toImage();
        ASSERT_FALSE(picture.isNull());
        const QPoint centre = chart->chart()->plotArea().center().toPoint();
        EXPECT_NE(picture.pixelColor(centre + QPoint(2, 2)), QColor(192, 192, 192));
    }
    // A few megabytes for the three charts, never the gigabytes of ~1e308 ticks.
    EXPECT_LT(MaximumResidentKb() - before, 400 * 1024);
}

TEST_F(HostileInputTest, ExtremeValuesSurviveSaveAndOpen)
{
    const double max = std::numeric_limits<double>::max();
    TypeAndLeave(main->EdNd, FormatField(-max));
    TypeAndLeave(main->EdMdx, FormatField(max));
    TypeAndLeave(main->EdMdy, FormatField(std::numeric_limits<double>::denorm_min()));
    TypeAndLeave(main->Secao().Eds[0], FormatField(std::numeric_limits<double>::min()));
    ASSERT_TRUE(StatusIsPlain(*main)) << "the field texts of extreme values convert";
    EXPECT_EQ(State().Nd, -max);
    EXPECT_EQ(State().Mxd, max);

    const QString path = folder.filePath("extremos.fxr");
    dialogs->saveAnswers.push_back(path);
    EXPECT_EQ(RunMenuCommand(main->SavarComo1), "");
    const AnalysisState saved = State();
    EXPECT_EQ(Open(path), "") << "the program opens what it saved";
    EXPECT_EQ(State().Nd, saved.Nd);
    EXPECT_EQ(State().Mxd, saved.Mxd);
    EXPECT_NEAR(State().Myd, saved.Myd, 1e-323);
    EXPECT_NEAR(State().ShapeDims[0], saved.ShapeDims[0], saved.ShapeDims[0] * 1e-14);
    EXPECT_EQ(main->EdMdx->text(), "1,79769313486232E308");
}

TEST_F(HostileInputTest, AFileWithoutASteelClassIsRefusedAtGeneration)
{
    EXPECT_EQ(Open(WriteFile("sem-aco.fxr", ExampleWithLine(10, "4"))), "");
    EXPECT_EQ(main->CombAco->currentIndex(), -1);
    const QStringList shown = Generate();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), "Nenhum aço selecionado: escolha a classe do aço na lista \"Aço\"");
    EXPECT_TRUE(main->ChCurva->CurvePoints().isEmpty());
    EXPECT_TRUE(main->ChCurva->DesignPoints().isEmpty());
    // Choosing a steel makes it work again.
    main->CombAco->setCurrentIndex(1);
    EXPECT_TRUE(Generate().isEmpty());
    EXPECT_EQ(main->ChCurva->CurvePoints().size(), 102);
}

TEST_F(HostileInputTest, AClockwiseOrCrossingPolygonIsRefusedWithItsWarning)
{
    TGBSecao& section = main->Secao();
    TGBArmadura& bars = main->Armadura();
    TypeAndLeave(bars.EdNb, "1");
    TypeAndLeave(bars.EdX1, "10");
    TypeAndLeave(bars.EdY1, "5");
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> vertices;
        bool refused;
    } cases[] = {
        {"clockwise", {{"0", "0"}, {"0", "20"}, {"20", "20"}, {"20", "0"}}, true},
        {"bow-tie", {{"0", "0"}, {"20", "20"}, {"20", "0"}, {"0", "20"}}, true},
        {"counter-clockwise", {{"0", "0"}, {"20", "0"}, {"20", "20"}, {"0", "20"}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(section.ToolButtons[ShapeFreePolygon], Qt::LeftButton);
        for (std::size_t i = 0; i < c.vertices.size(); ++i) {
            if (i > 0)
                QTest::mouseClick(section.BtnAdPontos, Qt::LeftButton);
            TypeAndLeave(section.Eds[0], c.vertices[i].first);
            TypeAndLeave(section.Eds[1], c.vertices[i].second);
        }
        ASSERT_EQ(State().Section.VertexCount, 4);
        const QStringList shown = Generate();
        if (c.refused) {
            EXPECT_EQ(shown, QStringList{"Contorno da seção inválido: pontos no sentido horário ou lados cruzados."});
            EXPECT_EQ(warningSize, QSize(300, 88)) << "the longer text takes a wider dialog";
            EXPECT_TRUE(main->ChCurva->CurvePoints().isEmpty());
        } else {
            EXPECT_TRUE(shown.isEmpty());
            EXPECT_EQ(main->ChCurva->CurvePoints().size(), 102);
        }
    }
    // The two other warnings keep the small dialog.
    QTest::mouseClick(section.ToolButtons[ShapeRectangle], Qt::LeftButton);
    EXPECT_EQ(Generate(), QStringList{"Área de concreto ou aço nula."});
    EXPECT_EQ(warningSize, QSize(223, 72));
}

TEST_F(HostileInputTest, ABarAreaBeyondTheDoubleRangeEndsTheOpening)
{
    // 2 bars of 1e308 mm: the ratio would read "inf %".
    const QString error = Open(WriteFile("diametro.fxr", ExampleWithLine(13, " 1.00000000000000E+0308")));
    EXPECT_EQ(error, "Floating point overflow.");
    EXPECT_EQ(main->LblTaxaArm->text().indexOf("inf"), -1);
    EXPECT_EQ(main->LblTaxaArm->text().indexOf("nan"), -1);
    // The window goes on: a sound file opens.
    EXPECT_EQ(Open(QString::fromUtf8(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr")), "");
    EXPECT_EQ(main->LblTaxaArm->text(), "1,57 %");
}

} // namespace
} // namespace flexara::testing
