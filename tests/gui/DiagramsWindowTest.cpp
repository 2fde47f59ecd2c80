// The window "Diagramas": opened from the main menu and from the combinations
// window, both views drawn on the offscreen platform, the chosen combination
// marked and the N–M diagram along its direction, the surface turned by a
// drag, PNG and SVG exports of either view, the diagrams gone when the case
// changes, a refused case, and a name for every control.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/DiagramsWindow.h"
#include "project/ProjectFile.h"
#include "report/NmDiagramDrawing.h"
#include "uikit/CaptionedComboBox.h"

#include <QAccessible>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QMenuBar>
#include <QScatterSeries>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

#include <cmath>

namespace flexara::testing {
namespace {

const char* const Example = FLEXARA_SOURCE_DIR "/examples/pilar-20x40-combinacoes.fxr";

class DiagramsWindowTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Documents->ReadProjectFile(QString::fromUtf8(Example));
    }

    TFDiagramas* Window() { return windows.FDiagramas; }

    // Opens the window from the combinations window on row r of its table.
    void OpenOnRow(int r)
    {
        main->Combinacoes->trigger();
        windows.FCombinacoes->Tabela->setCurrentCell(r, TFCombinacoes::ColName);
        QTest::mouseClick(windows.FCombinacoes->BtnDiagramas, Qt::LeftButton);
        ASSERT_TRUE(Window()->isVisible());
        ASSERT_TRUE(Window()->Study().has_value());
    }

    static QList<QPointF> Points(QXYSeries* series) { return series->points(); }
};

// The rows of the example: (Nd, Mxd, Myd).
struct Row {
    double nd, mxd, myd;
};
const Row ExampleRows[] = {{-500, 60, 20}, {-1200, 80, 10}, {-500, 0.5, 70}, {-200, 40, -30}};

// Where a row stands on the N–M diagram of angle phi, computed here: |Md|,
// negative when its moment makes more than a right angle with the direction.
QPointF OnDiagram(const Row& row, double phi)
{
    const double md = std::hypot(row.mxd, row.myd);
    const bool opposite = row.mxd * std::cos(phi) + row.myd * std::sin(phi) < 0;
    return QPointF(opposite ? -md : md, row.nd);
}

bool Close(QPointF a, QPointF b)
{
    return std::fabs(a.x() - b.x()) < 1e-9 && std::fabs(a.y() - b.y()) < 1e-9;
}

TEST_F(DiagramsWindowTest, TheMenuAndTheCombinationsWindowOpenOneWindowWithTwoViews)
{
    const QList<QAction*> items = main->menuBar()->actions();
    const int at = static_cast<int>(items.indexOf(main->Diagramas));
    ASSERT_GT(at, 0);
    EXPECT_EQ(items[at - 1], main->Combinacoes);
    EXPECT_EQ(items[at + 1], main->Sobre);
    EXPECT_EQ(main->Diagramas->text(), "&Diagramas");

    EXPECT_EQ(RunMenuCommand(main->Diagramas), "");
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_FALSE(Window()->isModal());
    EXPECT_EQ(Window()->windowTitle(), "Diagramas");
    ASSERT_EQ(Window()->PgVistas->count(), 4);
    EXPECT_EQ(Window()->PgVistas->tabText(0), "N–M");
    EXPECT_EQ(Window()->PgVistas->tabText(1), "Superfície N–Mx–My");
    // A case that is no column has no M–N–1/r relation to show, and says why.
    EXPECT_EQ(Window()->PgVistas->tabText(2), "M–N–1/r");
    EXPECT_FALSE(Window()->PbCurvatura->Relations()[0].has_value());
    EXPECT_FALSE(Window()->PbCurvatura->Notice().isEmpty());
    // Nor a bar of the general method.
    EXPECT_EQ(Window()->PgVistas->tabText(3), "Deformada");
    EXPECT_FALSE(Window()->PbDeformada->Bars()[0].has_value());
    EXPECT_FALSE(Window()->PbDeformada->Notice().isEmpty());
    ASSERT_TRUE(Window()->Study().has_value());
    EXPECT_EQ(Window()->Study()->surface.status, SurfaceStatus::Ok);
    EXPECT_EQ(Window()->Study()->surface.levels.size(), 41u);
    ASSERT_EQ(Window()->CombCombinacao->count(), 4);
    EXPECT_EQ(Window()->CombCombinacao->itemText(1), "ELU 2 - vento em X");
    // Without a row chosen in the table: the governing one.
    EXPECT_EQ(Window()->CombCombinacao->currentIndex(), Window()->Study()->check.governing);

    OpenOnRow(2);
    EXPECT_EQ(Window()->CombCombinacao->currentIndex(), 2);
    EXPECT_EQ(main->findChildren<TFDiagramas*>().size(), 1);
    EXPECT_EQ(windows.FCombinacoes->BtnDiagramas->text(), "Diagramas...");
}

TEST_F(DiagramsWindowTest, TheNmViewFollowsTheChosenCombinationAndMarksIt)
{
    OpenOnRow(1);
    TChNM* chart = Window()->ChNM;
    for (const int chosen : {1, 2, 3}) {
        SCOPED_TRACE(chosen);
        Window()->CombCombinacao->setCurrentIndex(chosen);
        const Row& row = ExampleRows[chosen];
        const double phi = std::atan2(row.myd, row.mxd);
        // Along the chosen combination's moment.
        EXPECT_NEAR(Window()->Diagram().angle, phi, 1e-15);
        EXPECT_EQ(chart->AxisM->titleText(), NmMomentAxisTitle(phi));
        EXPECT_TRUE(chart->AxisN->isReverse()) << "compression up";
        EXPECT_EQ(chart->AxisN->titleText(), "Nd (kN), compressão negativa para cima");
        // Every combination where its |Md| and side put it, the chosen one ringed.
        const QList<QPointF> marked = Points(chart->SeriesSelecionada);
        ASSERT_EQ(marked.size(), 1);
        EXPECT_TRUE(Close(marked[0], OnDiagram(row, phi)));
        const QList<QPointF> holding = Points(chart->SeriesAtende);
        const QList<QPointF> failing = Points(chart->SeriesNaoAtende);
        EXPECT_EQ(holding.size() + failing.size(), 4);
        for (std::size_t r = 0; r < 4; ++r) {
            const QPointF expected = OnDiagram(ExampleRows[r], phi);
            const bool holds = Window()->Study()->check.rows[r].status == CombinationStatus::Holds;
            const QList<QPointF>& series = holds ? holding : failing;
            EXPECT_TRUE(std::any_of(series.begin(), series.end(), [&](QPointF p) { return Close(p, expected); }))
                << "row " << r;
        }
        // The outline from the squash end round to it again.
        const QList<QPointF> outline = Points(chart->SeriesDiagrama);
        ASSERT_EQ(outline.size(), 85);
        EXPECT_EQ(outline.front(), outline.back());
        EXPECT_NEAR(outline.front().y(), -1984.93, 0.01);
    }
    // ELU 1 (-500; 60, 20) holds with η = 0,60; ELU 4 (-200; 40, -30) lies on
    // the opposite side of ELU 3's direction.
    EXPECT_EQ(Window()->Study()->check.rows[0].status, CombinationStatus::Holds);
    EXPECT_LT(OnDiagram(ExampleRows[3], std::atan2(70.0, 0.5)).x(), 0);
}

TEST_F(DiagramsWindowTest, TheNmViewIsDrawnWithTheRingAroundTheChosenCombination)
{
    OpenOnRow(0);
    TChNM* chart = Window()->ChNM;
    chart->resize(600, 500);
    QTest::qWait(50);
    const QImage image = chart->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QPointF at =
        chart->chart()->mapToPosition(Points(chart->SeriesSelecionada).front(), chart->SeriesSelecionada);
    // The scene in the viewport, the viewport inside the view's frame.
    const QPoint inViewport = chart->mapFromScene(at);
    const QPoint centre = chart->viewport()->mapTo(chart, inViewport);
    // The ring 16 pixels across: black all round, navy (ELU 1 holds) inside.
    int black = 0;
    for (int a = 0; a < 16; ++a) {
        const double t = a * 2 * std::acos(-1.0) / 16;
        bool dark = false;
        for (double r = 5.0; r <= 10.0; r += 0.5) {
            const QColor c = image.pixelColor(centre + QPoint(static_cast<int>(std::lround(r * std::cos(t))),
                                                              static_cast<int>(std::lround(r * std::sin(t)))));
            dark = dark || (c.red() < 80 && c.green() < 80 && c.blue() < 80);
        }
        black += dark ? 1 : 0;
    }
    EXPECT_EQ(black, 16);
    EXPECT_EQ(image.pixelColor(centre), QColor(0, 0, 128));
    // The zoom: a rectangle dragged with the left button, a double click undoes it.
    QTest::mousePress(chart->viewport(), Qt::LeftButton, {}, inViewport - QPoint(40, 40));
    QTest::mouseMove(chart->viewport(), inViewport + QPoint(40, 40));
    QTest::mouseRelease(chart->viewport(), Qt::LeftButton, {}, inViewport + QPoint(40, 40));
    EXPECT_TRUE(chart->IsZoomed());
    QTest::mouseDClick(chart->viewport(), Qt::LeftButton, {}, inViewport);
    EXPECT_FALSE(chart->IsZoomed());
}

TEST_F(DiagramsWindowTest, DraggingTurnsTheSurface)
{
    OpenOnRow(0);
    TSuperficie* view = Window()->PbSuperficie;
    Window()->PgVistas->setCurrentWidget(view);
    view->resize(500, 500);
    QTest::qWait(50);
    const SurfaceView before = view->Picture().view;
    const QImage first = view->grab().toImage();
    // The chosen combination, which holds, navy where the drawing projects it.
    const SurfaceFrame frame = LayOutSurface(QRectF(view->rect()), view->Picture());
    const QPointF load = frame.ToDevice(60, 20, -500);
    EXPECT_EQ(first.pixelColor(load.toPoint()), QColor(0, 0, 128));

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(view, QPoint(230, 210));
    QTest::mouseMove(view, QPoint(260, 220));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(260, 220));
    const SurfaceView after = view->Picture().view;
    EXPECT_NEAR(after.azimuth, before.azimuth + 60 * ViewRadiansPerPixel, 1e-12);
    EXPECT_NEAR(after.elevation, before.elevation + 20 * ViewRadiansPerPixel, 1e-12);
    const QImage turned = view->grab().toImage();
    EXPECT_NE(turned, first);
    const QPointF moved = LayOutSurface(QRectF(view->rect()), view->Picture()).ToDevice(60, 20, -500);
    EXPECT_GT(std::hypot(moved.x() - load.x(), moved.y() - load.y()), 3.0);
    EXPECT_EQ(turned.pixelColor(moved.toPoint()), QColor(0, 0, 128));

    // The arrow keys turn it too.
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_NEAR(view->Picture().view.azimuth, after.azimuth - 10 * ViewRadiansPerPixel, 1e-12);
}

TEST_F(DiagramsWindowTest,
       TheDiagramsWindowOfAFailingColumnDrawsItsFailingRowsInTheFailingColourAtTheirGoverningSituationsPoint)
{
    main->Documents->ReadProjectFile(WriteFailingColumn(folder));
    OpenOnRow(1);
    // The governing points, worked by hand: ELU 1 at (60; 40), holding; ELU 2
    // at (80; 65,2), failing.
    const struct {
        int row;
        double mx, my, nd;
        bool holds;
    } rows[] = {{0, 60, 40, -500, true}, {1, 80, 65.2, -1200, false}};
    const double phi = std::atan2(65.2, 80.0);
    EXPECT_NEAR(Window()->Diagram().angle, phi, 1e-12) << "along the governing situation's moment";
    TChNM* chart = Window()->ChNM;
    chart->resize(600, 500);
    QTest::qWait(50);
    const QImage nm = chart->grab().toImage();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const Row point{r.nd, r.mx, r.my};
        const QList<QPointF> series = Points(r.holds ? chart->SeriesAtende : chart->SeriesNaoAtende);
        EXPECT_TRUE(std::any_of(series.begin(), series.end(), [&](QPointF p) {
            return std::fabs(p.x() - OnDiagram(point, phi).x()) < 1e-9 && p.y() == r.nd;
        }));
        const QPointF at = chart->chart()->mapToPosition(OnDiagram(point, phi), chart->SeriesNaoAtende);
        const QPoint centre = chart->viewport()->mapTo(chart, chart->mapFromScene(at));
        EXPECT_EQ(nm.pixelColor(centre), r.holds ? QColor(0, 0, 128) : QColor(255, 0, 0));
    }
    // Nothing stands at the ends' moments (80; 10) of ELU 2 any more.
    for (QScatterSeries* series : {chart->SeriesAtende, chart->SeriesNaoAtende})
        for (const QPointF& p : Points(series))
            EXPECT_GT(std::fabs(p.x() - OnDiagram(Row{-1200, 80, 10}, phi).x()) + std::fabs(p.y() + 1200), 1.0);

    TSuperficie* view = Window()->PbSuperficie;
    Window()->PgVistas->setCurrentWidget(view);
    view->resize(500, 500);
    QTest::qWait(50);
    const QImage surface = view->grab().toImage();
    const SurfaceFrame frame = LayOutSurface(QRectF(view->rect()), view->Picture());
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(surface.pixelColor(frame.ToDevice(r.mx, r.my, r.nd).toPoint()),
                  r.holds ? QColor(0, 0, 128) : QColor(255, 0, 0));
    }
    EXPECT_NE(surface.pixelColor(frame.ToDevice(80, 10, -1200).toPoint()), QColor(0, 0, 128));
    if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
        nm.save(QString::fromLocal8Bit(shots) + "/diagrams-failing-column-nm.png");
        surface.save(QString::fromLocal8Bit(shots) + "/diagrams-failing-column-surface.png");
    }
}

TEST_F(DiagramsWindowTest, EitherViewGoesOutAsPngOrSvg)
{
    OpenOnRow(1);
    TSuperficie* surface = Window()->PbSuperficie;
    surface->SetView(TurnedView(surface->Picture().view, 50, -30));
    struct Case {
        QWidget* view;
        const char* name;
        const char* filter;
        const char* title;
        QSize size;
    };
    const Case cases[] = {
        {Window()->ChNM, "nm.png", "Imagem PNG (*.png)", "Diagrama N–M", NmPictureSize},
        {Window()->ChNM, "nm.svg", "Desenho SVG (*.svg)", "Diagrama N–M", NmPictureSize},
        {surface, "superficie.png", "Imagem PNG (*.png)", "Superfície N–Mx–My", SurfacePictureSize},
        {surface, "superficie", "Desenho SVG (*.svg)", "Superfície N–Mx–My", SurfacePictureSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window()->PgVistas->setCurrentWidget(c.view);
        const QString path = Path(c.name);
        dialogs->otherAnswers.push_back({path, QString::fromUtf8(c.filter)});
        QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton);
        ASSERT_FALSE(dialogs->otherAsked.empty());
        EXPECT_EQ(dialogs->otherAsked.back().title, "Exportar figura");
        const QByteArray bytes = QByteArray::fromStdString(LoadProjectBytes(QFile::encodeName(path).toStdString()));
        if (QString::fromUtf8(c.filter).contains("PNG")) {
            const QImage image = QImage::fromData(bytes, "PNG");
            EXPECT_EQ(image.size(), c.size);
            // The surface as the view shows it, turned.
            if (c.view == surface) {
                EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), SurfaceImage(surface->Picture()));
            }
        } else {
            EXPECT_TRUE(bytes.contains("<svg"));
            EXPECT_TRUE(bytes.contains(QByteArray("<title>") + c.title + "</title>"));
        }
    }
}

TEST_F(DiagramsWindowTest, AnEditOfTheCaseClearsTheDiagramsUntilTheyAreOpenedAgain)
{
    OpenOnRow(0);
    const double squash = Window()->Study()->surface.squash.nd;
    TypeAndLeave(main->Secao().Eds[0], "25");
    EXPECT_FALSE(Window()->Study().has_value());
    EXPECT_EQ(Window()->ChNM->SeriesDiagrama->count(), 0);
    EXPECT_EQ(Window()->PbSuperficie->Picture().surface, nullptr);
    EXPECT_EQ(RunMenuCommand(main->Diagramas), "");
    ASSERT_TRUE(Window()->Study().has_value());
    // 5 cm more of concrete: N4 falls by 0.85·(30/14)·5·40 = 364.3 kN.
    EXPECT_NEAR(Window()->Study()->surface.squash.nd, squash - 0.85 * 30.0 / 14.0 * 200.0, 1e-6);
}

TEST_F(DiagramsWindowTest, ARefusedCaseSaysWhyAndDrawsNothing)
{
    main->Novo1Click(); // no concrete, no steel
    EXPECT_EQ(RunMenuCommand(main->Diagramas), "");
    ASSERT_TRUE(Window()->Study().has_value());
    EXPECT_EQ(Window()->Study()->surface.status, SurfaceStatus::Refused);
    EXPECT_TRUE(Window()->LblAviso->isVisible());
    EXPECT_EQ(Window()->LblAviso->text(), "Área de concreto ou aço nula.");
    EXPECT_EQ(Window()->ChNM->SeriesDiagrama->count(), 0);
    EXPECT_EQ(Window()->CombCombinacao->count(), 0);
    EXPECT_FALSE(Window()->CombCombinacao->isEnabled());
}

TEST_F(DiagramsWindowTest, EveryControlHasAName)
{
    OpenOnRow(0);
    int controls = 0;
    for (QWidget* control : Window()->findChildren<QWidget*>()) {
        if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(Window()))
            continue;
        // A view's inner viewport is read through its view.
        if (qobject_cast<QAbstractScrollArea*>(control->parentWidget()))
            continue;
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(reading, nullptr);
        EXPECT_FALSE(reading->text(QAccessible::Name).isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
        ++controls;
    }
    EXPECT_GE(controls, 4);
    EXPECT_EQ(Window()->CombCombinacao->accessibleName(), "Combinação");
    EXPECT_EQ(Window()->PbSuperficie->accessibleName(), "Superfície N–Mx–My");
    EXPECT_EQ(Window()->ChNM->accessibleName(), "Diagrama N–M");
}

} // namespace
} // namespace flexara::testing
