// "Gerar gráfico" and the chart ChCurva: the curve and the design point as the
// engine computes them, the out-of-range notice, the two refusals, the faults
// that end in the error box, and zooming and scrolling the view.
#include "tests/gui/ProgramWindowsFixture.h"

#include "dialogs/TFAviso.h"
#include "dialogs/TFConfig.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionGroup.h"
#include "engine/Faults.h"
#include "engine/section/Curve.h"
#include "texts/Words.h"
#include "uikit/FieldText.h"

#include <QAreaSeries>
#include <QChart>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

namespace flexara::testing {
namespace {

// What the engine itself gives for a state, for comparison with the chart.
struct Recorded : CurveSink {
    QList<QPointF> curve;
    QList<QPointF> design;
    bool notice = false;
    std::vector<CurveWarning> warnings;
    QString fault;
    CurveOutcome outcome;

    void ClearCurve() override
    {
        curve.clear();
        design.clear();
    }
    void AddCurvePoint(double mx, double my) override { curve.append(QPointF(mx, my)); }
    void AddDesignPoint(double mx, double my) override { design.append(QPointF(mx, my)); }
    void SetOutOfRangeNotice(bool shown) override { notice = shown; }
    void Warn(CurveWarning warning) override { warnings.push_back(warning); }
};

Recorded EngineResult(const TFPrincipal& window)
{
    auto copy = std::make_unique<AnalysisState>(window.State());
    Recorded recorded;
    try {
        recorded.outcome = GenerateCurve(*copy, window.Selection(), recorded);
    } catch (const EngineError& error) {
        recorded.fault = QString::fromStdString(WithFullStop(FaultText(error.fault())));
    }
    return recorded;
}

void ExpectSamePoints(const QList<QPointF>& shown, const QList<QPointF>& computed)
{
    ASSERT_EQ(shown.size(), computed.size());
    for (int i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].x(), computed[i].x());
        EXPECT_EQ(shown[i].y(), computed[i].y());
    }
}

bool IsRoundInterval(double interval)
{
    const double power = std::pow(10.0, std::floor(std::log10(interval) + 1e-9));
    const double factor = interval / power;
    return interval >= 1.0 && (std::fabs(factor - 1) < 1e-9 || std::fabs(factor - 2) < 1e-9 ||
                               std::fabs(factor - 5) < 1e-9 || std::fabs(factor - 10) < 1e-9);
}

class ChartTest : public ProgramTest {
protected:
    TChCurva* Chart() { return main->ChCurva; }

    void ChooseDiameter(const QString& item)
    {
        QComboBox* list = main->Armadura().CombDiametro;
        FocusOn(list);
        for (int i = 0; i < list->count() && list->currentText() != item; ++i)
            QTest::keyClick(list, list->currentIndex() < list->findText(item) ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(list->currentText(), item);
        LeaveWithTab(list);
    }

    // The 20 x 40 column with two lines of two 20 mm bars, typed as a user does;
    // secondLineX1 puts the first bar of the upper line elsewhere.
    void TypeColumn(const char* secondLineX1 = "4")
    {
        TypeAndLeave(main->Secao().Eds[0], "20");
        TypeAndLeave(main->Secao().Eds[1], "40");
        TGBArmadura& bars = main->Armadura();
        TypeAndLeave(bars.EdNb, "2");
        ChooseDiameter("20");
        TypeAndLeave(bars.EdX1, "4");
        TypeAndLeave(bars.EdY1, "4");
        TypeAndLeave(bars.EdX2, "16");
        QTest::mouseClick(bars.BtnAdicionar, Qt::LeftButton);
        TypeAndLeave(bars.EdY1, "36");
        TypeAndLeave(bars.EdX1, secondLineX1);
        ASSERT_TRUE(StatusIsPlain(*main));

        const AnalysisState& s = State();
        ASSERT_EQ(s.LineCount, 2);
        ASSERT_EQ(s.Section.VertexCount, 4);
        EXPECT_EQ(s.Section.Vertices[2].x, 20.0);
        EXPECT_EQ(s.Section.Vertices[2].y, 40.0);
        for (int k = 0; k < 2; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(s.BarLines[k].BarCount, 2);
            EXPECT_EQ(s.BarLines[k].Diameter, 20.0);
            EXPECT_EQ(s.BarLines[k].X2, 16.0);
            EXPECT_EQ(s.BarLines[k].Y1, s.BarLines[k].Y2);
        }
        EXPECT_EQ(s.BarLines[1].Y1, 36.0);
    }

    // Presses "Gerar gráfico"; every warning on the way is answered with OK and
    // recorded.
    std::vector<QString> Generate()
    {
        std::vector<QString> warnings;
        std::vector<ModalScript::Step> steps;
        for (int i = 0; i < 3; ++i)
            steps.push_back([&](QWidget* modal) {
                auto* aviso = qobject_cast<TFAviso*>(modal);
                ASSERT_NE(aviso, nullptr);
                int shown = 0;
                for (QLabel* label : {aviso->LblAvisoFora, aviso->LblAvisoArea})
                    if (label->isVisible()) {
                        warnings.push_back(label->text());
                        ++shown;
                    }
                EXPECT_EQ(shown, 1);
                QTest::mouseClick(aviso->Button1, Qt::LeftButton);
            });
        ModalScript script(std::move(steps));
        QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
        return warnings;
    }

    // Presses "Gerar gráfico" expecting the error box; returns its text.
    QString GenerateExpectingError()
    {
        QString text;
        ModalScript script({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Flexara 1.0");
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        }});
        QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
        EXPECT_TRUE(script.Finished());
        return text;
    }

    void ExpectEmptyChart()
    {
        EXPECT_TRUE(Chart()->CurvePoints().isEmpty());
        EXPECT_TRUE(Chart()->DesignPoints().isEmpty());
        EXPECT_FALSE(Chart()->NoticeShown());
    }

    void SetSettingInDialog(QLineEdit* TFConfig::*field, const char* text)
    {
        ModalScript script({[&](QWidget*) {
            TypeAndLeave(windows.FConfig->*field, text);
            windows.FConfig->close();
        }});
        main->Configura->trigger();
        ASSERT_TRUE(script.Finished());
    }
};

TEST_F(ChartTest, ColumnGivesTheEnginesCurveAndTheDesignPoint)
{
    TypeColumn();
    TypeAndLeave(main->EdMdx, "50");
    TypeAndLeave(main->EdMdy, "-20");
    EXPECT_TRUE(Generate().empty());

    const Recorded engine = EngineResult(*main);
    const QList<QPointF> curve = Chart()->CurvePoints();
    ASSERT_EQ(curve.size(), 102) << "101 angles and the closing copy of the first";
    ExpectSamePoints(curve, engine.curve);
    EXPECT_EQ(curve.front(), curve.back());
    EXPECT_NEAR(curve.front().x(), 90.3, 0.1);
    EXPECT_NEAR(curve[25].y(), -38.5, 0.1) << "theta = pi/2";
    ExpectSamePoints(Chart()->DesignPoints(), {QPointF(50, -20)});
    EXPECT_FALSE(Chart()->NoticeShown());
    EXPECT_EQ(main->LblTaxaArm->text(), "1,57 %");
    EXPECT_EQ(Chart()->Series1->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(Chart()->Series2->color(), QColor(0, 0, 128));

    // A loop, in the order computed: Mx goes down and comes back up.
    bool fellBack = false;
    for (int i = 1; i < curve.size(); ++i)
        fellBack = fellBack || curve[i].x() < curve[i - 1].x();
    EXPECT_TRUE(fellBack);

    // The axes hold every point, at round labels, with bounds on a label or a
    // minor tick, and the data fill at least 85 % of each.
    double low[2] = {curve.front().x(), curve.front().y()};
    double high[2] = {low[0], low[1]};
    for (const QPointF& point : curve + Chart()->DesignPoints()) {
        low[0] = std::min(low[0], point.x());
        high[0] = std::max(high[0], point.x());
        low[1] = std::min(low[1], point.y());
        high[1] = std::max(high[1], point.y());
    }
    int index = 0;
    for (QValueAxis* axis : {Chart()->AxisX, Chart()->AxisY}) {
        SCOPED_TRACE(axis->titleText().toStdString());
        EXPECT_TRUE(IsRoundInterval(axis->tickInterval())) << axis->tickInterval();
        const double minor = axis->tickInterval() / (axis->minorTickCount() + 1);
        EXPECT_DOUBLE_EQ(std::remainder(axis->min(), minor), 0.0);
        EXPECT_DOUBLE_EQ(std::remainder(axis->max(), minor), 0.0);
        EXPECT_GE((high[index] - low[index]) / (axis->max() - axis->min()), 0.85);
        ++index;
    }
    for (const QPointF& point : curve) {
        EXPECT_GE(point.x(), Chart()->AxisX->min());
        EXPECT_LE(point.x(), Chart()->AxisX->max());
        EXPECT_GE(point.y(), Chart()->AxisY->min());
        EXPECT_LE(point.y(), Chart()->AxisY->max());
    }
}

TEST_F(ChartTest, NdOutsideTheRangeShowsTheNoticeInsteadOfTheCurve)
{
    TypeColumn();
    const Recorded engine = EngineResult(*main);
    ASSERT_TRUE(engine.outcome.referencesKnown);
    const ReferenceForces& ref = engine.outcome.firstAngle;
    EXPECT_NEAR(ref.N1, 546.36, 0.01);
    EXPECT_NEAR(ref.N4, -1984.93, 0.01);

    struct Case {
        const char* name;
        double nd;
    };
    const Case cases[] = {{"just above N1", ref.N1 + 0.01}, {"just below N4", ref.N4 - 0.01}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TypeAndLeave(main->EdNd, "0");
        Generate();
        ASSERT_EQ(Chart()->CurvePoints().size(), 102);

        TypeAndLeave(main->EdNd, FormatField(c.nd));
        EXPECT_TRUE(Generate().empty());
        EXPECT_TRUE(Chart()->CurvePoints().isEmpty()) << "the old curve vanishes";
        EXPECT_TRUE(Chart()->DesignPoints().isEmpty());
        EXPECT_TRUE(Chart()->NoticeShown());
        EXPECT_EQ(Chart()->NoticeLines().join(""),
                  "O valor de Nd não está contido no intervalo do Diagrama de Interação.");
        EXPECT_LE(Chart()->AxisX->min(), -100.0);
        EXPECT_GE(Chart()->AxisX->max(), 100.0);
        EXPECT_LE(Chart()->AxisY->min(), -100.0);
        EXPECT_GE(Chart()->AxisY->max(), 100.0);
    }
    TypeAndLeave(main->EdNd, "-500");
    Generate();
    EXPECT_FALSE(Chart()->NoticeShown());
    ASSERT_EQ(Chart()->CurvePoints().size(), 102);
    EXPECT_NEAR(Chart()->CurvePoints().front().x(), 153.1, 0.1);
}

TEST_F(ChartTest, RefusalsShowTheirWarningAndLeaveTheChartEmpty)
{
    // The default case has no area.
    EXPECT_EQ(Generate(), std::vector<QString>{"Área de concreto ou aço nula."});
    ExpectEmptyChart();

    TypeColumn();
    Generate();
    ASSERT_FALSE(Chart()->CurvePoints().isEmpty());
    // A bar on the right edge is outside.
    TypeAndLeave(main->Armadura().EdX1, "20");
    EXPECT_EQ(Generate(), std::vector<QString>{"Barras de aço fora da seção."});
    ExpectEmptyChart();
    EXPECT_EQ(main->LblTaxaArm->text(), "1,57 %");
}

TEST_F(ChartTest, BothRefusalsComeOneAfterTheOther)
{
    TypeColumn("25");
    // Bars of no diameter (as a project file may give): no steel, and one bar outside.
    for (int k = 0; k < 2; ++k)
        State().BarLines[k].Diameter = 0.0;
    main->TaxaArmadura();
    EXPECT_EQ(Generate(), (std::vector<QString>{"Área de concreto ou aço nula.", "Barras de aço fora da seção."}));
    ExpectEmptyChart();
}

TEST_F(ChartTest, FaultsEndInTheErrorBoxAndKeepThePointsAdded)
{
    TypeColumn();
    TypeAndLeave(main->EdMdx, "10");
    Generate();
    ASSERT_EQ(Chart()->CurvePoints().size(), 102);

    // CA-50 B with a steel factor of 2: the steel law faults part of the way round.
    FocusOn(main->CombAco);
    QTest::keyClick(main->CombAco, Qt::Key_Down);
    ASSERT_EQ(main->CombAco->currentText(), "CA-50 B");
    SetSettingInDialog(&TFConfig::EdCoeAco, "2");
    const Recorded cold = EngineResult(*main);
    EXPECT_EQ(cold.fault, "Invalid floating point operation.");
    EXPECT_EQ(GenerateExpectingError(), "Invalid floating point operation.");
    // The old curve was cleared; what the engine added before the fault stays.
    ExpectSamePoints(Chart()->CurvePoints(), cold.curve);
    EXPECT_TRUE(Chart()->DesignPoints().isEmpty());

    // No steps: the step 2π/0 faults after the first angle.
    QTest::keyClick(main->CombAco, Qt::Key_Up);
    SetSettingInDialog(&TFConfig::EdCoeAco, "1,15");
    SetSettingInDialog(&TFConfig::EdPontsInt, "0");
    EXPECT_EQ(GenerateExpectingError(), "Floating point division by zero.");
    EXPECT_EQ(Chart()->CurvePoints().size(), 1);

    // A negative count is refused before any angle.
    SetSettingInDialog(&TFConfig::EdPontsInt, "-4");
    ASSERT_EQ(State().CurvePointCount, -4);
    const QString refused = GenerateExpectingError();
    EXPECT_EQ(refused, EngineResult(*main).fault);
    EXPECT_FALSE(refused.isEmpty());
    EXPECT_TRUE(Chart()->CurvePoints().isEmpty());
    EXPECT_TRUE(Chart()->DesignPoints().isEmpty());

    // And the program goes on: the next generation works.
    SetSettingInDialog(&TFConfig::EdPontsInt, "4");
    Generate();
    EXPECT_EQ(Chart()->CurvePoints().size(), 6) << "angles 0, pi/2, pi, 3pi/2, 2pi and the closing copy";
}

// Drags on the chart with a button held, as the mouse does.
void Drag(TChCurva* chart, Qt::MouseButton button, QPoint from, QPoint to)
{
    QWidget* surface = chart->viewport();
    QTest::mousePress(surface, button, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
    }
    QTest::mouseRelease(surface, button, Qt::NoModifier, to);
}

struct Ranges {
    double minX, maxX, minY, maxY;
};

Ranges RangesOf(const TChCurva* chart)
{
    return {chart->AxisX->min(), chart->AxisX->max(), chart->AxisY->min(), chart->AxisY->max()};
}

TEST_F(ChartTest, ZoomAndScrollChangeTheViewOnlyAndDoubleClickUndoesThem)
{
    TypeColumn();
    Generate();
    const QList<QPointF> curve = Chart()->CurvePoints();
    const Ranges full = RangesOf(Chart());
    const QPoint centre = Chart()->chart()->plotArea().center().toPoint();

    Drag(Chart(), Qt::LeftButton, centre - QPoint(40, 40), centre + QPoint(30, 20));
    const Ranges zoomed = RangesOf(Chart());
    EXPECT_GT(zoomed.minX, full.minX);
    EXPECT_LT(zoomed.maxX, full.maxX);
    EXPECT_GT(zoomed.minY, full.minY);
    EXPECT_LT(zoomed.maxY, full.maxY);
    EXPECT_TRUE(Chart()->IsZoomed());
    EXPECT_TRUE(IsRoundInterval(Chart()->AxisX->tickInterval()));
    EXPECT_LT(Chart()->AxisX->tickInterval(), (full.maxX - full.minX) / 2);

    // Scrolling right and down shows smaller Mx and larger My, the width kept.
    Drag(Chart(), Qt::RightButton, centre, centre + QPoint(30, 30));
    const Ranges scrolled = RangesOf(Chart());
    EXPECT_LT(scrolled.minX, zoomed.minX);
    EXPECT_GT(scrolled.minY, zoomed.minY);
    EXPECT_NEAR(scrolled.maxX - scrolled.minX, zoomed.maxX - zoomed.minX, 1e-6);

    // A click without a drag is no zoom.
    QTest::mouseClick(Chart()->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_NEAR(Chart()->AxisX->min(), scrolled.minX, 1e-9);

    QTest::mouseDClick(Chart()->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    const Ranges back = RangesOf(Chart());
    EXPECT_EQ(back.minX, full.minX);
    EXPECT_EQ(back.maxX, full.maxX);
    EXPECT_EQ(back.minY, full.minY);
    EXPECT_EQ(back.maxY, full.maxY);
    EXPECT_FALSE(Chart()->IsZoomed());
    ExpectSamePoints(Chart()->CurvePoints(), curve);

    // A new generation shows the whole new curve, whatever the zoom was.
    Drag(Chart(), Qt::LeftButton, centre - QPoint(30, 30), centre);
    TypeAndLeave(main->EdNd, "-500");
    Generate();
    EXPECT_FALSE(Chart()->IsZoomed());
    EXPECT_GE(Chart()->AxisX->max(), Chart()->CurvePoints().front().x());
}

// The largest case the arrays hold: a 100-vertex outline, 100 lines of 100 bars
// and 200 angle steps. Run by hand on an optimised build:
//   flexara_gui_tests --gtest_also_run_disabled_tests --gtest_filter=*MaximumCase*
TEST_F(ChartTest, DISABLED_MaximumCaseTiming)
{
    AnalysisState& s = State();
    s.Section.ShapeKind = ShapeFreePolygon;
    s.Section.VertexCount = MaxVertices;
    for (int i = 0; i < MaxVertices; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / MaxVertices;
        s.Section.Vertices[i] = Point{70.0 + 60.0 * std::cos(angle), 70.0 + 60.0 * std::sin(angle)};
    }
    s.LineCount = MaxLines;
    for (int k = 0; k < MaxLines; ++k) {
        BarLine& line = s.BarLines[k];
        const double y = 30.0 + 80.0 * k / (MaxLines - 1);
        line = BarLine{};
        line.X1 = 40.0;
        line.X2 = 100.0;
        line.Y1 = y;
        line.Y2 = y;
        line.BarCount = MaxBarsPerLine;
        line.Diameter = 10.0;
    }
    s.CurvePointCount = MaxCurvePointCount;
    s.Nd = -2000.0;
    main->TaxaArmadura();

    // The engine alone, for the window's share of the click.
    QElapsedTimer clock;
    clock.start();
    {
        auto copy = std::make_unique<AnalysisState>(s);
        Recorded sink;
        GenerateCurve(*copy, main->Selection(), sink);
    }
    const qint64 engineAlone = clock.nsecsElapsed();

    clock.restart();
    main->BtnGerarClick();
    const qint64 click = clock.nsecsElapsed();
    std::printf("maximum case: BtnGerarClick %.3f s, GenerateCurve alone %.3f s, %lld curve points\n", click / 1e9,
                engineAlone / 1e9, static_cast<long long>(Chart()->CurvePoints().size()));
    EXPECT_EQ(Chart()->CurvePoints().size(), MaxCurvePointCount + 2);
}

} // namespace
} // namespace flexara::testing
