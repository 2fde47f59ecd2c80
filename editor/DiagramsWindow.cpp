#include "editor/DiagramsWindow.h"

#include "dialogs/WindowLook.h"
#include "editor/CombinationsWindow.h"
#include "editor/DocumentCommands.h"
#include "editor/ProgressRun.h"
#include "editor/TFPrincipal.h"
#include "engine/Faults.h"
#include "engine/column/Slenderness.h"
#include "engine/diagrams/ChartScale.h"
#include "engine/study/CaseCurve.h"
#include "project/ProjectFile.h"
#include "report/NmDiagramDrawing.h"
#include "report/PictureBytes.h"
#include "report/ReportText.h"
#include "texts/Words.h"
#include "uikit/CaptionedComboBox.h"
#include "uikit/FlexaraApplication.h"

#include <QChart>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <memory>

namespace flexara {

namespace {

const QColor OutlineRed(255, 0, 0);
const QColor HoldsNavy(0, 0, 128);
const QColor PointBlue(0, 0, 255);

// An arrow key turns the surface as a drag of this many pixels.
constexpr int KeyTurnPixels = 10;

QFont ArialPixels(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

void ApplyLabels(QValueAxis* axis, const AxisScale& scale)
{
    axis->setLabelFormat(QString::fromLatin1(AxisLabelFormat(scale)));
    axis->setTickAnchor(scale.anchor);
    axis->setTickInterval(scale.interval);
}

void ApplyScale(QValueAxis* axis, const AxisScale& scale)
{
    ApplyLabels(axis, scale);
    axis->setRange(scale.low, scale.high);
    ApplyLabels(axis, scale);
}

// Why there is no surface to show: the warnings of the refusal or the fault.
QString StudyNotice(const Surface& surface)
{
    std::string text;
    if (surface.status == SurfaceStatus::Refused)
        for (const CurveWarning warning : surface.warnings)
            text += (text.empty() ? "" : " ") + std::string(WarningText(warning));
    if (surface.status == SurfaceStatus::Error && surface.fault)
        text = WithFullStop(FaultText(*surface.fault));
    return QString::fromStdString(text);
}

} // namespace

// ---- ChNM ----

TChNM::TChNM(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("ChNM"));
    setToolTip(QStringLiteral("Botão esquerdo: arraste para ampliar; botão direito: reduz; clique duplo: desfaz."));
    setAccessibleName(QString::fromUtf8(NmTitle));
    setAccessibleDescription(toolTip());
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    setFocusPolicy(Qt::StrongFocus);

    auto* chart = new QChart();
    chart->setTitle(QString::fromUtf8(NmTitle));
    chart->setTitleFont(ArialPixels(11));
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 6, 2));
    auto makeAxis = [](const QString& title) {
        auto* axis = new QValueAxis();
        axis->setTitleText(title);
        axis->setTitleFont(ArialPixels(11));
        axis->setLabelsFont(ArialPixels(11));
        axis->setLinePen(QPen(Qt::black, 1));
        axis->setGridLinePen(QPen(QColor(160, 160, 160), 1));
        axis->setMinorTickCount(AxisMinorTicks);
        axis->setMinorGridLineVisible(false);
        axis->setTickType(QValueAxis::TicksDynamic);
        return axis;
    };
    AxisM = makeAxis(NmMomentAxisTitle(0.0));
    AxisN = makeAxis(NmAxialAxisTitle());
    // Compression, negative, at the top.
    AxisN->setReverse(true);
    chart->addAxis(AxisM, Qt::AlignBottom);
    chart->addAxis(AxisN, Qt::AlignLeft);

    SeriesDiagrama = new QLineSeries();
    SeriesDiagrama->setName(QStringLiteral("Diagrama"));
    SeriesDiagrama->setPen(QPen(OutlineRed, 1.5));
    auto points = [](const char* name, const QColor& fill) {
        auto* series = new QScatterSeries();
        series->setName(QString::fromUtf8(name));
        series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        series->setMarkerSize(7.0);
        series->setColor(fill);
        series->setBorderColor(PointBlue);
        return series;
    };
    SeriesAtende = points("Atende", HoldsNavy);
    SeriesNaoAtende = points("Não atende", OutlineRed);
    SeriesSelecionada = new QScatterSeries();
    SeriesSelecionada->setName(QStringLiteral("Selecionada"));
    SeriesSelecionada->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    SeriesSelecionada->setMarkerSize(16.0);
    SeriesSelecionada->setBrush(Qt::NoBrush);
    SeriesSelecionada->setPen(QPen(Qt::black, 2));
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(SeriesDiagrama), static_cast<QAbstractSeries*>(SeriesAtende),
          static_cast<QAbstractSeries*>(SeriesNaoAtende), static_cast<QAbstractSeries*>(SeriesSelecionada)}) {
        chart->addSeries(series);
        series->attachAxis(AxisM);
        series->attachAxis(AxisN);
    }
    setChart(chart);
    // Whatever range a zoom gives, a bounded number of labels.
    connect(AxisM, &QValueAxis::rangeChanged, this,
            [this] { ApplyLabels(AxisM, LabelsForRange(AxisM->min(), AxisM->max())); });
    connect(AxisN, &QValueAxis::rangeChanged, this,
            [this] { ApplyLabels(AxisN, LabelsForRange(AxisN->min(), AxisN->max())); });
    Show(nullptr, {}, -1);
}

void TChNM::Show(const NmDiagram* diagram, const std::vector<DiagramLoad>& loads, int selected)
{
    chart()->zoomReset();
    SeriesDiagrama->clear();
    SeriesAtende->clear();
    SeriesNaoAtende->clear();
    SeriesSelecionada->clear();
    NmPicture picture;
    picture.diagram = diagram;
    if (diagram) {
        picture.loads = loads;
        QList<QPointF> outline;
        for (const NmPoint& p : diagram->outline)
            outline.append(QPointF(p.m, p.nd));
        SeriesDiagrama->replace(outline);
        for (const DiagramLoad& load : loads)
            (load.holds ? SeriesAtende : SeriesNaoAtende)->append(load.onDiagram.m, load.onDiagram.nd);
        if (selected >= 0 && static_cast<std::size_t>(selected) < loads.size()) {
            const NmPoint& at = loads[static_cast<std::size_t>(selected)].onDiagram;
            SeriesSelecionada->append(at.m, at.nd);
        }
    }
    AxisM->setTitleText(NmMomentAxisTitle(diagram ? diagram->angle : 0.0));
    const ChartAxes axes = ScaleNmDiagram(picture);
    ApplyScale(AxisM, axes.x);
    ApplyScale(AxisN, axes.y);
}

bool TChNM::IsZoomed() const
{
    return chart()->isZoomed();
}

void TChNM::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        chart()->zoomReset();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

// ---- PbSuperficie ----

TSuperficie::TSuperficie(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PbSuperficie"));
    setToolTip(QStringLiteral("Arraste com o botão esquerdo, ou use as setas, para girar a superfície."));
    setAccessibleName(QString::fromUtf8(SurfaceTitle));
    setAccessibleDescription(toolTip());
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(300, 300);
}

void TSuperficie::Show(const Surface* surface, const std::vector<DiagramLoad>& loads, int selected)
{
    picture.surface = surface;
    picture.loads = surface ? loads : std::vector<DiagramLoad>{};
    picture.selected = surface ? selected : -1;
    update();
}

void TSuperficie::SetView(SurfaceView view)
{
    picture.view = view;
    update();
}

void TSuperficie::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSurface(painter, QRectF(rect()), picture);
}

void TSuperficie::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging = true;
    dragLast = event->position().toPoint();
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TSuperficie::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - dragLast;
    dragLast = at;
    SetView(TurnedView(picture.view, delta.x(), delta.y()));
    event->accept();
}

void TSuperficie::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging && event->button() == Qt::LeftButton) {
        dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TSuperficie::keyPressEvent(QKeyEvent* event)
{
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -KeyTurnPixels;
        break;
    case Qt::Key_Right:
        dx = KeyTurnPixels;
        break;
    case Qt::Key_Up:
        dy = -KeyTurnPixels;
        break;
    case Qt::Key_Down:
        dy = KeyTurnPixels;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetView(TurnedView(picture.view, dx, dy));
    event->accept();
}

// ---- PbCurvatura ----

TCurvatura::TCurvatura(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PbCurvatura"));
    setAccessibleName(QString::fromUtf8(CurvatureTitle));
    setMinimumSize(300, 300);
}

void TCurvatura::Show(std::array<std::optional<DeformationStudy>, 2> shown, double shownNd)
{
    relations = std::move(shown);
    nd = shownNd;
    update();
}

QString TCurvatura::Notice() const
{
    if (relations[0] || relations[1])
        return QString();
    return QStringLiteral("A relação M–N–1/r aparece para uma combinação comprimida verificada como pilar");
}

void TCurvatura::Draw(QPainter& painter, const QRectF& area) const
{
    painter.fillRect(area, Qt::white);
    if (!relations[0] && !relations[1]) {
        painter.setPen(Qt::black);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, Notice());
        return;
    }
    const double half = area.height() / 2;
    for (int b = 0; b < 2; ++b) {
        const std::optional<DeformationStudy>& relation = relations[static_cast<std::size_t>(b)];
        if (!relation)
            continue;
        CurvaturePicture picture;
        picture.study = &*relation;
        picture.subtitle = QString::fromUtf8(BendingName(static_cast<Bending>(b))) + QStringLiteral(", Nd = ") +
                           Decimal(nd, 2) + QStringLiteral(" kN");
        // Each at its own proportions, centred in its half.
        const QRectF box(area.left(), area.top() + b * half, area.width(), half);
        const double ratio = static_cast<double>(CurvaturePictureSize.width()) / CurvaturePictureSize.height();
        const double width = std::min(box.width(), box.height() * ratio);
        DrawCurvaturePicture(painter, QRectF(box.left() + (box.width() - width) / 2, box.top(), width, box.height()),
                             picture);
    }
}

void TCurvatura::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, QRectF(rect()));
}

// ---- PbDeformada ----

std::array<std::optional<ShownBar>, 2> ShownBars(const CombinationResult& result, double nd)
{
    std::array<std::optional<ShownBar>, 2> bars;
    if (!result.column || !result.column->InCompression() || result.column->method != SecondOrderMethod::General)
        return bars;
    for (int b = 0; b < BendingCount; ++b) {
        const std::optional<GeneralBending>& general = result.column->bending[static_cast<std::size_t>(b)].general;
        const GeneralSolution* bar = general ? general->Governing() : nullptr;
        if (!bar)
            continue;
        ShownBar& shown = bars[static_cast<std::size_t>(b)].emplace();
        shown.bar = *bar;
        shown.length = general->length;
        shown.subtitle = QString::fromUtf8(BendingName(static_cast<Bending>(b))) + QStringLiteral(", Nd = ") +
                         Decimal(nd, 2) + QStringLiteral(" kN");
        if (!bar->Stable())
            shown.subtitle += QStringLiteral(": sem forma de equilíbrio");
    }
    return bars;
}

TDeformada::TDeformada(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PbDeformada"));
    setAccessibleName(QString::fromUtf8(DeflectionTitle));
    setMinimumSize(300, 300);
}

void TDeformada::Show(std::array<std::optional<ShownBar>, 2> shown)
{
    bars = std::move(shown);
    update();
}

QString TDeformada::Notice() const
{
    if (bars[0] || bars[1])
        return QString();
    return QStringLiteral("A deformada aparece para uma combinação comprimida verificada pelo método geral");
}

void TDeformada::Draw(QPainter& painter, const QRectF& area) const
{
    painter.fillRect(area, Qt::white);
    const int count = (bars[0] ? 1 : 0) + (bars[1] ? 1 : 0);
    if (count == 0) {
        painter.setPen(Qt::black);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, Notice());
        return;
    }
    const double part = area.height() / count;
    int drawn = 0;
    for (const std::optional<ShownBar>& shown : bars) {
        if (!shown)
            continue;
        DeflectionPicture picture;
        // A bar without a standing shape has no line to draw.
        picture.bar = shown->bar.Stable() ? &shown->bar : nullptr;
        picture.length = shown->length;
        picture.subtitle = shown->subtitle;
        const QRectF box(area.left(), area.top() + drawn * part, area.width(), part);
        const double ratio = static_cast<double>(DeflectionPictureSize.width()) / DeflectionPictureSize.height();
        const double width = std::min(box.width(), box.height() * ratio);
        DrawDeflectionPicture(painter, QRectF(box.left() + (box.width() - width) / 2, box.top(), width, box.height()),
                              picture);
        ++drawn;
    }
}

void TDeformada::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, QRectF(rect()));
}

// ---- FDiagramas ----

TFDiagramas::TFDiagramas(TFPrincipal& window, QWidget* parent) : QDialog(parent), w(window)
{
    setObjectName(QStringLiteral("FDiagramas"));
    setWindowTitle(QStringLiteral("Diagramas"));
    setModal(false);
    PaintSilver(this);
    resize(720, 640);

    LblCombinacao = new QLabel(QStringLiteral("&Combinação:"), this);
    LblCombinacao->setObjectName(QStringLiteral("LblCombinacao"));
    CombCombinacao = new CaptionedComboBox(this);
    CombCombinacao->setObjectName(QStringLiteral("CombCombinacao"));
    CaptionControl(LblCombinacao, CombCombinacao,
                   QStringLiteral("O diagrama N–M segue a direção do momento da combinação escolhida"));
    LblAviso = new QLabel(this);
    LblAviso->setObjectName(QStringLiteral("LblAviso"));
    LblAviso->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    LblAviso->setWordWrap(true);
    LblAviso->hide();
    LblModelo = new QLabel(this);
    LblModelo->setObjectName(QStringLiteral("LblModelo"));
    LblModelo->hide();

    PgVistas = new QTabWidget(this);
    PgVistas->setObjectName(QStringLiteral("PgVistas"));
    PgVistas->setAccessibleName(QStringLiteral("Vistas"));
    ChNM = new TChNM(PgVistas);
    PbSuperficie = new TSuperficie(PgVistas);
    PgVistas->addTab(ChNM, QStringLiteral("N–M"));
    PgVistas->addTab(PbSuperficie, QString::fromUtf8(SurfaceTitle));
    PbCurvatura = new TCurvatura(PgVistas);
    PgVistas->addTab(PbCurvatura, QStringLiteral("M–N–1/r"));
    PbDeformada = new TDeformada(PgVistas);
    PgVistas->addTab(PbDeformada, QString::fromUtf8(DeflectionShapeTitle));

    BtnExportar = new QPushButton(QStringLiteral("Exportar figura..."), this);
    BtnExportar->setObjectName(QStringLiteral("BtnExportar"));
    BtnExportar->setAutoDefault(false);
    HintControl(BtnExportar, QStringLiteral("Grava a vista aberta como imagem PNG ou desenho SVG"));

    auto* top = new QHBoxLayout();
    top->addWidget(LblCombinacao);
    top->addWidget(CombCombinacao, 1);
    top->addStretch(1);
    top->addWidget(LblModelo);
    top->addWidget(BtnExportar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LblAviso);
    layout->addWidget(PgVistas, 1);

    connect(CombCombinacao, &QComboBox::currentIndexChanged, this, &TFDiagramas::CombCombinacaoChange);
    connect(BtnExportar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnExportarClick(); }); });
    ShowNothing();
}

void TFDiagramas::Open(int tableRow)
{
    std::vector<int> validTableRows;
    const CombinationList valid = w.FCombinacoes ? w.FCombinacoes->ValidRows(&validTableRows) : CombinationList{};
    // Checked as a column, each row is drawn where the column check judges it.
    const std::optional<flexara::Column> column =
        w.FCombinacoes ? w.FCombinacoes->CheckedColumn() : std::optional<flexara::Column>{};
    const std::string fingerprint = w.CaseFingerprint();
    if (!study || fingerprint != studiedCase || valid != rows || column != studiedColumn) {
        // The workers read a copy of the case taken now.
        const auto state = std::make_unique<AnalysisState>(w.State());
        const MaterialSelection selection = w.Selection();
        std::optional<DiagramStudy> fresh;
        RunWithProgress(isVisible() ? static_cast<QWidget*>(this) : static_cast<QWidget*>(&w),
                        QStringLiteral("Calculando a superfície de interação..."), [&](WorkProgress& progress) {
                            fresh = StudyDiagrams(*state, selection, valid, column, DefaultSurfaceLevels,
                                                  WorkerThreads(), &progress);
                        });
        if (!fresh || fresh->surface.status == SurfaceStatus::Cancelled)
            return;
        study = std::move(fresh);
        studiedCase = fingerprint;
        studiedColumn = column;
        rows = valid;
        tableRows = validTableRows;
        const QSignalBlocker blocker(CombCombinacao);
        CombCombinacao->clear();
        for (const LoadCombination& row : rows)
            CombCombinacao->addItem(QString::fromStdString(row.name));
        CombCombinacao->setEnabled(!rows.empty());
        LblAviso->setText(StudyNotice(study->surface));
        LblAviso->setVisible(!LblAviso->text().isEmpty());
        LblModelo->setText(QStringLiteral("Modelo de cálculo: ") + QString::fromUtf8(ModelName(state->Model)));
        LblModelo->setVisible(state->Model != CalculationModel::Classic);
    }
    int chosen = study->check.governing;
    for (std::size_t i = 0; i < tableRows.size(); ++i)
        if (tableRows[i] == tableRow)
            chosen = static_cast<int>(i);
    {
        const QSignalBlocker blocker(CombCombinacao);
        CombCombinacao->setCurrentIndex(chosen);
    }
    ShowSelection();
    show();
    raise();
    activateWindow();
}

void TFDiagramas::CombCombinacaoChange(int)
{
    ShowSelection();
}

void TFDiagramas::ShowSelection()
{
    if (!study || study->surface.status != SurfaceStatus::Ok) {
        ShowNothing();
        return;
    }
    const int chosen = CombCombinacao->currentIndex();
    const bool any = chosen >= 0 && static_cast<std::size_t>(chosen) < rows.size();
    // Along the moment the chosen combination is judged at (its governing
    // situation's, checked as a column); the x direction without one.
    const double angle = MomentDirection(rows, study->check, any ? chosen : -1);
    diagram = DiagramAlong(study->surface, angle);
    loads = LoadsOnDiagram(rows, study->check, angle);
    ChNM->Show(&diagram, loads, any ? chosen : -1);
    PbSuperficie->Show(&study->surface, loads, any ? chosen : -1);
    // The M–N–1/r relation of a row checked as a column in compression, at
    // the Nd its curve was generated at (after γn).
    std::array<std::optional<DeformationStudy>, 2> relations;
    double nd = 0.0;
    const CombinationResult* result = any && static_cast<std::size_t>(chosen) < study->check.rows.size()
                                          ? &study->check.rows[static_cast<std::size_t>(chosen)]
                                          : nullptr;
    if (studiedColumn && result && result->column && result->column->InCompression()) {
        nd = GoverningNd(rows[static_cast<std::size_t>(chosen)], *result);
        try {
            ClearFpFaults();
            for (int b = 0; b < BendingCount; ++b)
                relations[static_cast<std::size_t>(b)] = StudyDeformation(
                    w.State(), w.Selection(), nd, DirectionOf(static_cast<Bending>(b)), ReportCurvaturePoints);
            CheckFpFaults();
        } catch (const EngineError&) {
            relations = {};
        }
    }
    PbCurvatura->Show(std::move(relations), nd);
    PbDeformada->Show(result && studiedColumn ? ShownBars(*result, nd) : std::array<std::optional<ShownBar>, 2>{});
}

void TFDiagramas::ShowNothing()
{
    diagram = NmDiagram{};
    loads.clear();
    ChNM->Show(nullptr, {}, -1);
    PbSuperficie->Show(nullptr, {}, -1);
    PbCurvatura->Show({}, 0.0);
    PbDeformada->Show({});
}

void TFDiagramas::BtnExportarClick()
{
    const bool surfaceView = PgVistas->currentWidget() == PbSuperficie;
    const bool curvatureView = PgVistas->currentWidget() == PbCurvatura;
    const bool deflectionView = PgVistas->currentWidget() == PbDeformada;
    OtherFileRequest request;
    request.title = QStringLiteral("Exportar figura");
    request.filters = {QStringLiteral("Imagem PNG (*.png)"), QStringLiteral("Desenho SVG (*.svg)")};
    request.defaultSuffix = QStringLiteral("png");
    request.proposedName = surfaceView      ? QStringLiteral("Superfície N-Mx-My.png")
                           : curvatureView  ? QStringLiteral("Diagrama M-N-1-r.png")
                           : deflectionView ? QStringLiteral("Deformada.png")
                                            : QStringLiteral("Diagrama N-M.png");
    QString filter;
    const QString path = w.Documents->Dialogs().AskOtherFile(request, &filter);
    if (path.isEmpty())
        return;
    // The kind follows the suffix typed, else the filter chosen.
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
                     (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) && filter.contains("svg"));
    QByteArray bytes;
    if (curvatureView) {
        // Both bendings, one above the other.
        const QSize size(CurvaturePictureSize.width(), 2 * CurvaturePictureSize.height());
        const DrawInArea draw = [this](QPainter& painter, const QRectF& area) { PbCurvatura->Draw(painter, area); };
        bytes = svg ? SvgBytes(size, QString::fromUtf8(CurvatureTitle), draw) : PngBytes(PictureImage(size, draw));
    } else if (deflectionView) {
        const QSize size(DeflectionPictureSize.width(), 2 * DeflectionPictureSize.height());
        const DrawInArea draw = [this](QPainter& painter, const QRectF& area) { PbDeformada->Draw(painter, area); };
        bytes = svg ? SvgBytes(size, QString::fromUtf8(DeflectionTitle), draw) : PngBytes(PictureImage(size, draw));
    } else if (surfaceView) {
        const SurfacePicture& picture = PbSuperficie->Picture();
        bytes = svg ? SurfaceSvg(picture) : SurfacePng(picture);
    } else {
        NmPicture picture;
        const bool shown = study && study->surface.status == SurfaceStatus::Ok;
        picture.diagram = shown ? &diagram : nullptr;
        picture.loads = shown ? loads : std::vector<DiagramLoad>{};
        picture.selected = shown ? CombCombinacao->currentIndex() : -1;
        bytes = svg ? NmSvg(picture) : NmPng(picture);
    }
    SaveFileBytes(QFile::encodeName(path).toStdString(), bytes.toStdString());
}

void TFDiagramas::CaseChanged()
{
    if (study && w.CaseFingerprint() != studiedCase) {
        study.reset();
        studiedCase.clear();
        studiedColumn.reset();
        LblAviso->clear();
        LblAviso->hide();
        LblModelo->hide();
        ShowNothing();
    }
}

} // namespace flexara
