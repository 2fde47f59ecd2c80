#include "report/ChartDrawing.h"

#include "engine/Version.h"
#include "report/ReportText.h"
#include "texts/Words.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {

// The window's chart is 307 pixels wide: every size below is in its pixels.
constexpr double WindowChartWidth = 307.0;
constexpr double TitlePixels = 11.0;
constexpr double LabelPixels = 11.0;
constexpr double NoticePixels = 12.0;
constexpr double CornerPixels = 10.0;

const QColor CurveRed(255, 0, 0);
const QColor DesignNavy(0, 0, 128);
const QColor PointBlue(0, 0, 255);
const QColor GridGrey(160, 160, 160);

QFont Font(double pixels, double unit)
{
    return ReportFont(pixels * unit);
}

std::vector<double> Labels(const AxisScale& scale)
{
    std::vector<double> labels;
    for (int i = 0; i < AxisLabelCount(scale); ++i)
        labels.push_back(AxisLabelValue(scale, i));
    return labels;
}

QString LabelText(const AxisScale& scale, double value)
{
    return QString::fromStdString(AxisLabelText(scale, value));
}

} // namespace

QPointF ChartFrame::ToDevice(double mx, double my) const
{
    // In extended precision: the bounds may be near the ends of the double range.
    using Real = long double;
    const Real fx = (static_cast<Real>(mx) - axes.x.low) / (static_cast<Real>(axes.x.high) - axes.x.low);
    const Real fy = (static_cast<Real>(my) - axes.y.low) / (static_cast<Real>(axes.y.high) - axes.y.low);
    return QPointF(plot.left() + static_cast<double>(fx * plot.width()),
                   plot.bottom() - static_cast<double>(fy * plot.height()));
}

ChartFrame LayOutChart(const QRectF& area, const CaseCurve& curve)
{
    ChartFrame frame;
    frame.area = area;
    frame.unit = area.width() / WindowChartWidth;
    const bool notice = curve.status == CurveStatus::OutOfRange;
    frame.axes = ScaleChart(curve.points, curve.designPoint, notice);
    const double u = frame.unit;
    const QFontMetricsF labels(Font(LabelPixels, u));
    double widest = 0.0;
    for (const double value : Labels(frame.axes.y))
        widest = std::max(widest, labels.horizontalAdvance(LabelText(frame.axes.y, value)));
    frame.plot = PlotArea(area, u, labels.height(), widest, QFontMetricsF(Font(TitlePixels, u)).height());
    return frame;
}

void DrawChart(QPainter& painter, const QRectF& area, const CaseCurve& curve)
{
    const ChartFrame frame = LayOutChart(area, curve);
    const double u = frame.unit;
    const QRectF plot = frame.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);

    // Title.
    painter.setFont(Font(TitlePixels, u));
    painter.setPen(Qt::black);
    const QRectF titleBox(area.left(), area.top() + 4 * u, area.width(), QFontMetricsF(painter.font()).height());
    painter.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Diagrama de Interação"));

    // Grid and minor ticks, labels on both axes.
    painter.setFont(Font(LabelPixels, u));
    const QFontMetricsF metrics(painter.font());
    const QPen grid(GridGrey, std::max(0.5, u));
    const QPen axis(Qt::black, std::max(0.5, u));
    for (const double value : Labels(frame.axes.x)) {
        const double x = frame.ToDevice(value, frame.axes.y.low).x();
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        const QString text = LabelText(frame.axes.x, value);
        painter.drawText(QRectF(x - 60 * u, plot.bottom() + 5 * u, 120 * u, metrics.height()), Qt::AlignHCenter, text);
    }
    for (const double value : Labels(frame.axes.y)) {
        const double y = frame.ToDevice(frame.axes.x.low, value).y();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        const QString text = LabelText(frame.axes.y, value);
        painter.drawText(
            QRectF(area.left(), y - metrics.height() / 2, plot.left() - area.left() - 6 * u, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, text);
    }
    painter.setPen(axis);
    for (const AxisScale* scale : {&frame.axes.x, &frame.axes.y}) {
        const double minor = scale->interval / (AxisMinorTicks + 1);
        const int count = AxisLabelCount(*scale);
        // From the label below the low bound to the one above the high bound.
        for (int i = -1; i <= count; ++i) {
            const double label = AxisLabelValue(*scale, i);
            for (int k = 1; k <= AxisMinorTicks; ++k) {
                const double value = label + k * minor;
                if (value <= scale->low || value >= scale->high)
                    continue;
                if (scale == &frame.axes.x) {
                    const double x = frame.ToDevice(value, 0).x();
                    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 2 * u));
                } else {
                    const double y = frame.ToDevice(0, value).y();
                    painter.drawLine(QPointF(plot.left() - 2 * u, y), QPointF(plot.left(), y));
                }
            }
        }
    }
    painter.drawRect(plot);

    // Axis titles.
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + 5 * u + metrics.height() + 3 * u, plot.width(), metrics.height()),
        Qt::AlignHCenter, QStringLiteral("Mxd (kN.m)"));
    painter.save();
    painter.translate(area.left() + 4 * u, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignHCenter,
                     QStringLiteral("Myd (kN.m)"));
    painter.restore();

    painter.setClipRect(plot);
    if (curve.status == CurveStatus::OutOfRange) {
        // The notice in place of the curve.
        const QRectF box(frame.ToDevice(-NoticeHalfSize, NoticeHalfSize),
                         frame.ToDevice(NoticeHalfSize, -NoticeHalfSize));
        painter.setPen(QPen(PointBlue, std::max(0.5, u)));
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.setFont(Font(NoticePixels, u));
        painter.setPen(CurveRed);
        const double line = QFontMetricsF(painter.font()).lineSpacing();
        double y = box.center().y() - line * static_cast<double>(OutOfRangeNoticeLines.size()) / 2;
        for (const char* text : OutOfRangeNoticeLines) {
            painter.drawText(QRectF(box.left(), y, box.width(), line), Qt::AlignHCenter,
                             QString::fromUtf8(text).trimmed());
            y += line;
        }
    }
    if (curve.points.size() >= 2) {
        QPainterPath path(frame.ToDevice(curve.points.front().x, curve.points.front().y));
        for (std::size_t i = 1; i < curve.points.size(); ++i)
            path.lineTo(frame.ToDevice(curve.points[i].x, curve.points[i].y));
        painter.setPen(QPen(CurveRed, std::max(0.5, u)));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    if (curve.designPoint) {
        painter.setPen(QPen(PointBlue, std::max(0.5, 0.8 * u)));
        painter.setBrush(DesignNavy);
        painter.drawEllipse(frame.ToDevice(curve.designPoint->x, curve.designPoint->y), 2.5 * u, 2.5 * u);
    }
    const QString corner = UtilisationCornerText(curve.points, curve.designPoint);
    if (!corner.isEmpty()) {
        painter.setFont(Font(CornerPixels, u));
        painter.setPen(Qt::black);
        painter.drawText(plot.adjusted(0, 2 * u, -4 * u, 0), Qt::AlignRight | Qt::AlignTop, corner);
    }
    painter.restore();
}

QImage ChartImage(const CaseCurve& curve, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), curve);
    painter.end();
    return image;
}

QByteArray ChartPng(const CaseCurve& curve, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ChartImage(curve, size).save(&buffer, "PNG");
    return bytes;
}

QByteArray ChartSvg(const CaseCurve& curve, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Diagrama de Interação"));
    svg.setDescription(QString::fromUtf8(ApplicationTitle));
    QPainter painter(&svg);
    DrawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), curve);
    painter.end();
    return bytes;
}

} // namespace flexara
