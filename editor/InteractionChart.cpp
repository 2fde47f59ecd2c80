#include "editor/InteractionChart.h"

#include "engine/Faults.h"
#include "engine/diagrams/ChartScale.h"
#include "texts/Words.h"

#include <QAreaSeries>
#include <QChart>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace flexara {

namespace {

// Width of each of the frame's two bevels.
constexpr int BevelWidth = 1;
// A drag shorter than this is a click, not a zoom.
constexpr int MinimumZoomDrag = 3;

// The flags that the curve generation tests for a fault are its own: whatever
// the chart computes while it is being filled leaves them as they were.
class FpFlagsKept {
public:
    FpFlagsKept() : flags(KeptFpFlags()) {}
    ~FpFlagsKept() { RestoreFpFlags(flags); }
    FpFlagsKept(const FpFlagsKept&) = delete;
    FpFlagsKept& operator=(const FpFlagsKept&) = delete;

private:
    std::fexcept_t flags;
};

// A new range with the label interval that suits it. The interval goes first:
// a wide range laid out with the interval of a narrow one would have thousands
// of labels for a moment.
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
    // The range's own handler picks labels for zooming; the bounds were
    // rounded to these.
    ApplyLabels(axis, scale);
}

QFont ArialPixels(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TChCurva::TChCurva(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("ChCurva"));
    setToolTip(QStringLiteral("Botão esquerdo \"zoom\" e botão direito \"arraste\"."));
    setAccessibleName(QStringLiteral("Diagrama de Interação"));
    setAccessibleDescription(toolTip());
    // The frame is painted by event(): two bevels of one pixel each.
    setFrameStyle(QFrame::NoFrame);
    setViewportMargins(2 * BevelWidth, 2 * BevelWidth, 2 * BevelWidth, 2 * BevelWidth);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setFocusPolicy(Qt::StrongFocus);

    auto* chart = new QChart();
    chart->setTitle(QStringLiteral("Diagrama de Interação"));
    chart->setTitleFont(ArialPixels(11));
    chart->setTitleBrush(Qt::black);
    chart->legend()->hide();
    chart->setBackgroundBrush(QColor(192, 192, 192));
    chart->setBackgroundRoundness(0);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(2, 2, 6, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    auto makeAxis = [](const QString& title) {
        auto* axis = new QValueAxis();
        axis->setTitleText(title);
        axis->setTitleFont(ArialPixels(11));
        axis->setTitleBrush(Qt::black);
        axis->setLabelsFont(ArialPixels(11));
        axis->setLabelsColor(Qt::black);
        axis->setLabelFormat(QStringLiteral("%.0f"));
        axis->setLinePen(QPen(Qt::black, 1));
        axis->setGridLinePen(QPen(QColor(160, 160, 160), 1, Qt::SolidLine));
        axis->setGridLineVisible(true);
        axis->setMinorTickCount(4);
        axis->setMinorGridLineVisible(false);
        // Labels at whole multiples of the interval, counted from zero.
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0.0);
        return axis;
    };
    AxisX = makeAxis(QStringLiteral("Mxd (kN.m)"));
    AxisY = makeAxis(QStringLiteral("Myd (kN.m)"));
    chart->addAxis(AxisX, Qt::AlignBottom);
    chart->addAxis(AxisY, Qt::AlignLeft);

    Series1 = new QLineSeries();
    Series1->setName(QStringLiteral("Curva"));
    Series1->setPen(QPen(QColor(255, 0, 0), 1));
    Series1->setPointsVisible(false);

    Series2 = new QScatterSeries();
    Series2->setName(QStringLiteral("Ponto"));
    Series2->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    Series2->setMarkerSize(5.0);
    Series2->setColor(QColor(0, 0, 128));
    Series2->setBorderColor(QColor(0, 0, 255));

    noticeTop = new QLineSeries();
    noticeTop->append(-NoticeHalfSize, NoticeHalfSize);
    noticeTop->append(NoticeHalfSize, NoticeHalfSize);
    noticeBottom = new QLineSeries();
    noticeBottom->append(-NoticeHalfSize, -NoticeHalfSize);
    noticeBottom->append(NoticeHalfSize, -NoticeHalfSize);
    Series3 = new QAreaSeries(noticeTop, noticeBottom);
    Series3->setName(QStringLiteral("Aviso"));
    Series3->setBrush(Qt::white);
    Series3->setPen(QPen(QColor(0, 0, 255), 1));

    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(Series1), static_cast<QAbstractSeries*>(Series2),
                                    static_cast<QAbstractSeries*>(Series3)}) {
        chart->addSeries(series);
        series->attachAxis(AxisX);
        series->attachAxis(AxisY);
    }
    Series3->setVisible(false);

    for (const char* line : OutOfRangeNoticeLines) {
        auto* text = new QGraphicsSimpleTextItem(QString::fromUtf8(line), chart);
        text->setFont(ArialPixels(12));
        text->setBrush(QColor(255, 0, 0));
        text->setZValue(1000);
        text->setVisible(false);
        noticeText.append(text);
    }
    cornerText = new QGraphicsSimpleTextItem(chart);
    cornerText->setFont(ArialPixels(10));
    cornerText->setBrush(Qt::black);
    cornerText->setZValue(1000);
    loadLabel = new QGraphicsSimpleTextItem(chart);
    loadLabel->setFont(ArialPixels(10));
    loadLabel->setBrush(Qt::black);
    loadLabel->setZValue(1000);
    loadLabel->setVisible(false);
    modelText = new QGraphicsSimpleTextItem(chart);
    modelText->setFont(ArialPixels(10));
    modelText->setBrush(Qt::black);
    modelText->setZValue(1000);
    modelText->setVisible(false);
    setChart(chart);

    connect(AxisX, &QValueAxis::rangeChanged, this, [this] {
        RoundTicks(AxisX);
        PlaceNotice();
    });
    connect(AxisY, &QValueAxis::rangeChanged, this, [this] {
        RoundTicks(AxisY);
        PlaceNotice();
    });
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        PlaceNotice();
        PlaceCornerText();
    });

    rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    rubberBand->hide();
    RescaleAxes();
}

void TChCurva::ClearCurve()
{
    FpFlagsKept kept;
    Series1->clear();
    Series2->clear();
    SetCornerText(QString());
    SetLoadLabel(QString());
    SetModelText(QString());
}

void TChCurva::SetModelText(const QString& text)
{
    modelText->setText(text);
    modelText->setVisible(!text.isEmpty());
    PlaceCornerText();
}

QString TChCurva::ModelText() const
{
    return modelText->isVisible() ? modelText->text() : QString();
}

void TChCurva::SetCornerText(const QString& text)
{
    cornerText->setText(text);
    cornerText->setVisible(!text.isEmpty());
    PlaceCornerText();
}

QString TChCurva::CornerText() const
{
    return cornerText->isVisible() ? cornerText->text() : QString();
}

void TChCurva::SetLoadLabel(const QString& text)
{
    loadLabelText = text;
    loadLabel->setToolTip(text);
    loadLabel->setVisible(!text.isEmpty());
    PlaceCornerText();
}

QString TChCurva::LoadLabel() const
{
    return loadLabel->isVisible() ? loadLabelText : QString();
}

void TChCurva::PlaceCornerText()
{
    const QRectF plot = chart()->plotArea();
    const QRectF box = cornerText->boundingRect();
    cornerText->setPos(plot.right() - box.width() - 4, plot.top() + 2);
    // The load's lines in the top left corner, each cut short of the η.
    const double room = plot.width() - (cornerText->isVisible() ? box.width() + 4 : 0.0) - 12;
    // The model's name under the η; the load's second line stops short of it.
    const QRectF modelBox = modelText->boundingRect();
    modelText->setPos(plot.right() - modelBox.width() - 4, plot.top() + 2 + box.height());
    const double roomUnder =
        modelText->isVisible() ? std::min(room, plot.width() - modelBox.width() - 4 - 12) : room;
    const QFontMetricsF metrics(loadLabel->font());
    QStringList lines = loadLabelText.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i] = metrics.elidedText(lines[i], Qt::ElideRight, std::max(0.0, i == 1 ? roomUnder : room));
    loadLabel->setText(lines.join(QLatin1Char('\n')));
    loadLabel->setPos(plot.left() + 4, plot.top() + 2);
}

void TChCurva::AddCurvePoint(double mx, double my)
{
    FpFlagsKept kept;
    Series1->append(mx, my);
}

void TChCurva::AddDesignPoint(double mx, double my)
{
    FpFlagsKept kept;
    Series2->append(mx, my);
}

void TChCurva::SetOutOfRangeNotice(bool shown)
{
    FpFlagsKept kept;
    Series3->setVisible(shown);
    for (QGraphicsSimpleTextItem* text : noticeText)
        text->setVisible(shown);
    PlaceNotice();
}

void TChCurva::Warn(CurveWarning warning)
{
    FpFlagsKept kept;
    if (OnWarning)
        OnWarning(warning);
}

bool TChCurva::NoticeShown() const
{
    return Series3->isVisible();
}

QStringList TChCurva::NoticeLines() const
{
    QStringList lines;
    for (const QGraphicsSimpleTextItem* text : noticeText)
        lines.append(text->text());
    return lines;
}

QList<QPointF> TChCurva::CurvePoints() const
{
    return Series1->points();
}

QList<QPointF> TChCurva::DesignPoints() const
{
    return Series2->points();
}

void TChCurva::RoundTicks(QValueAxis* axis)
{
    // Whatever range a zoom or a scroll gives, a bounded number of labels.
    ApplyLabels(axis, LabelsForRange(axis->min(), axis->max()));
}

void TChCurva::RescaleAxes()
{
    savedRanges.reset();
    std::vector<Point> curve;
    curve.reserve(static_cast<std::size_t>(Series1->count()));
    for (const QPointF& p : Series1->points())
        curve.push_back(Point{p.x(), p.y()});
    std::optional<Point> design;
    if (Series2->count() > 0)
        design = Point{Series2->at(0).x(), Series2->at(0).y()};
    const ChartAxes axes = ScaleChart(curve, design, Series3->isVisible());
    ApplyScale(AxisX, axes.x);
    ApplyScale(AxisY, axes.y);
}

void TChCurva::RememberRanges()
{
    if (!savedRanges)
        savedRanges = SavedScales{AxisScale{AxisX->min(), AxisX->max(), AxisX->tickInterval(), AxisX->tickAnchor()},
                                  AxisScale{AxisY->min(), AxisY->max(), AxisY->tickInterval(), AxisY->tickAnchor()}};
}

void TChCurva::UndoZoom()
{
    if (!savedRanges)
        return;
    const SavedScales scales = *savedRanges;
    savedRanges.reset();
    ApplyScale(AxisX, scales.x);
    ApplyScale(AxisY, scales.y);
}

void TChCurva::PlaceNotice()
{
    if (!Series3->isVisible())
        return;
    const QPointF centre = chart()->mapToPosition(QPointF(0.0, 0.0), Series3);
    const QFontMetricsF metrics(ArialPixels(12));
    double top = centre.y() - metrics.lineSpacing() * noticeText.size() / 2.0;
    for (QGraphicsSimpleTextItem* text : noticeText) {
        const double width = text->boundingRect().width();
        text->setPos(centre.x() - width / 2.0, top);
        top += metrics.lineSpacing();
    }
}

bool TChCurva::event(QEvent* event)
{
    const bool handled = QChartView::event(event);
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        const QColor light(255, 255, 255);
        const QColor shadow(128, 128, 128);
        auto bevel = [&](QRect r, const QColor& topLeft, const QColor& bottomRight) {
            painter.setPen(topLeft);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        };
        const QRect outer = rect();
        bevel(outer, shadow, light);                                                            // lowered
        bevel(outer.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth), light, shadow); // raised
    }
    return handled;
}

void TChCurva::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event);
}

void TChCurva::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void TChCurva::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && chart()->plotArea().contains(event->position())) {
        zooming = true;
        zoomOrigin = event->position().toPoint();
        rubberBand->setGeometry(QRect(zoomOrigin, QSize()));
        rubberBand->show();
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        scrolling = true;
        scrollLast = event->position().toPoint();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void TChCurva::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (zooming) {
        rubberBand->setGeometry(QRect(zoomOrigin, at).normalized());
        event->accept();
        return;
    }
    if (scrolling) {
        const QPoint delta = at - scrollLast;
        if (!delta.isNull()) {
            RememberRanges();
            // The drawing follows the mouse: right and down show smaller x and larger y.
            chart()->scroll(-delta.x(), delta.y());
            scrollLast = at;
        }
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void TChCurva::mouseReleaseEvent(QMouseEvent* event)
{
    if (zooming && event->button() == Qt::LeftButton) {
        zooming = false;
        rubberBand->hide();
        const QRect dragged = QRect(zoomOrigin, event->position().toPoint()).normalized();
        if (dragged.width() >= MinimumZoomDrag && dragged.height() >= MinimumZoomDrag) {
            RememberRanges();
            chart()->zoomIn(QRectF(dragged).intersected(chart()->plotArea()));
        }
        event->accept();
        return;
    }
    if (scrolling && event->button() == Qt::RightButton) {
        scrolling = false;
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void TChCurva::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        UndoZoom();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

} // namespace flexara
