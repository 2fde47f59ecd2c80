#include "report/PlotFrame.h"

#include "report/ReportText.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace flexara {

namespace {

const QColor GridGrey(160, 160, 160);

} // namespace

QString AxisLabel(const AxisScale& scale, double value)
{
    return QString::fromStdString(AxisLabelText(scale, value));
}

void PlotBounds::Take(double x, double y)
{
    xLow = any ? std::min(xLow, x) : x;
    xHigh = any ? std::max(xHigh, x) : x;
    yLow = any ? std::min(yLow, y) : y;
    yHigh = any ? std::max(yHigh, y) : y;
    any = true;
}

ChartAxes PlotBounds::Axes() const
{
    if (!any)
        return ChartAxes{ScaleAxis(-NoticeHalfSize, NoticeHalfSize, false),
                         ScaleAxis(-NoticeHalfSize, NoticeHalfSize, false)};
    return ChartAxes{ScaleAxis(xLow, xHigh, true), ScaleAxis(yLow, yHigh, true)};
}

QPointF PlotPoint(const QRectF& plot, const ChartAxes& axes, double x, double y, bool lowAtTop)
{
    using Real = long double;
    const Real fx = (static_cast<Real>(x) - axes.x.low) / (static_cast<Real>(axes.x.high) - axes.x.low);
    const Real fy = (static_cast<Real>(y) - axes.y.low) / (static_cast<Real>(axes.y.high) - axes.y.low);
    return QPointF(plot.left() + static_cast<double>(fx * plot.width()),
                   lowAtTop ? plot.top() + static_cast<double>(fy * plot.height())
                            : plot.bottom() - static_cast<double>(fy * plot.height()));
}

QRectF LayOutPlot(const QRectF& area, double u, const ChartAxes& axes, int titleLines)
{
    const QFontMetricsF labels(ReportFont(PlotLabelPixels * u));
    double widest = 0.0;
    for (int i = 0; i < AxisLabelCount(axes.y); ++i)
        widest = std::max(widest, labels.horizontalAdvance(AxisLabel(axes.y, AxisLabelValue(axes.y, i))));
    const double title = QFontMetricsF(ReportFont(PlotTitlePixels * u)).height();
    return PlotArea(area, u, labels.height(), widest, titleLines * title);
}

void DrawPlotFrame(QPainter& painter, const QRectF& area, const QRectF& plot, const ChartAxes& axes, double u,
                   const std::function<QPointF(double, double)>& toDevice, const QString& xTitle,
                   const QString& yTitle)
{
    painter.setFont(ReportFont(PlotLabelPixels * u));
    const QFontMetricsF metrics(painter.font());
    const QPen grid(GridGrey, std::max(0.5, u));
    for (int i = 0; i < AxisLabelCount(axes.x); ++i) {
        const double value = AxisLabelValue(axes.x, i);
        const double x = toDevice(value, axes.y.low).x();
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 60 * u, plot.bottom() + 5 * u, 120 * u, metrics.height()), Qt::AlignHCenter,
                         AxisLabel(axes.x, value));
    }
    for (int i = 0; i < AxisLabelCount(axes.y); ++i) {
        const double value = AxisLabelValue(axes.y, i);
        const double y = toDevice(axes.x.low, value).y();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(area.left(), y - metrics.height() / 2, plot.left() - area.left() - 6 * u, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, AxisLabel(axes.y, value));
    }
    painter.setPen(QPen(Qt::black, std::max(0.5, u)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + 5 * u + metrics.height() + 3 * u, plot.width(), metrics.height()),
        Qt::AlignHCenter, xTitle);
    painter.save();
    painter.translate(area.left() + 4 * u, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignHCenter, yTitle);
    painter.restore();
}

} // namespace flexara
