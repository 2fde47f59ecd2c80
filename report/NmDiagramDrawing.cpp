#include "report/NmDiagramDrawing.h"

#include "engine/Version.h"
#include "report/PictureBytes.h"
#include "report/PlotFrame.h"
#include "report/ReportText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {


const QColor OutlineRed(255, 0, 0);
const QColor HoldsNavy(0, 0, 128);
const QColor PointBlue(0, 0, 255);

} // namespace

QString DirectionText(double angle)
{
    const double degrees = static_cast<double>(static_cast<long double>(angle) * 180.0L / 3.14159265358979323851L);
    return QStringLiteral("φ = ") + Decimal(degrees, 1) + QStringLiteral("°");
}

QString NmMomentAxisTitle(double angle)
{
    return QStringLiteral("Md na direção ") + DirectionText(angle) + QStringLiteral(" (kN.m)");
}

QString NmAxialAxisTitle()
{
    return QStringLiteral("Nd (kN), compressão negativa para cima");
}

ChartAxes ScaleNmDiagram(const NmPicture& picture)
{
    PlotBounds bounds;
    if (picture.diagram)
        for (const NmPoint& p : picture.diagram->outline)
            bounds.Take(p.m, p.nd);
    for (const DiagramLoad& load : picture.loads)
        bounds.Take(load.onDiagram.m, load.onDiagram.nd);
    return bounds.Axes();
}

QPointF NmFrame::ToDevice(double m, double nd) const
{
    return PlotPoint(plot, axes, m, nd, true);
}

NmFrame LayOutNmDiagram(const QRectF& area, const NmPicture& picture)
{
    NmFrame frame;
    frame.area = area;
    frame.unit = area.width() / PlotBaseWidth;
    frame.axes = ScaleNmDiagram(picture);
    const double u = frame.unit;
    frame.plot = LayOutPlot(area, u, frame.axes, 1);
    return frame;
}

void DrawNmDiagram(QPainter& painter, const QRectF& area, const NmPicture& picture)
{
    const NmFrame frame = LayOutNmDiagram(area, picture);
    const double u = frame.unit;
    const QRectF plot = frame.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);

    painter.setFont(ReportFont(PlotTitlePixels * u));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top() + 4 * u, area.width(), QFontMetricsF(painter.font()).height()),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(NmTitle));

    DrawPlotFrame(
        painter, area, plot, frame.axes, u, [&](double x, double y) { return frame.ToDevice(x, y); },
        picture.diagram ? NmMomentAxisTitle(picture.diagram->angle) : QString(), NmAxialAxisTitle());

    painter.setClipRect(plot);
    // The axes of the moments and of Nd, where they cross the plot.
    painter.setPen(QPen(Qt::black, std::max(0.5, 0.6 * u), Qt::DashLine));
    painter.drawLine(frame.ToDevice(0.0, frame.axes.y.low), frame.ToDevice(0.0, frame.axes.y.high));
    painter.drawLine(frame.ToDevice(frame.axes.x.low, 0.0), frame.ToDevice(frame.axes.x.high, 0.0));

    if (picture.diagram && picture.diagram->outline.size() >= 2) {
        const std::vector<NmPoint>& outline = picture.diagram->outline;
        QPainterPath path(frame.ToDevice(outline.front().m, outline.front().nd));
        for (std::size_t i = 1; i < outline.size(); ++i)
            path.lineTo(frame.ToDevice(outline[i].m, outline[i].nd));
        painter.setPen(QPen(OutlineRed, std::max(0.5, 1.2 * u)));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    for (const DiagramLoad& load : picture.loads) {
        painter.setPen(QPen(PointBlue, std::max(0.5, 0.8 * u)));
        painter.setBrush(load.holds ? HoldsNavy : OutlineRed);
        painter.drawEllipse(frame.ToDevice(load.onDiagram.m, load.onDiagram.nd), 2.5 * u, 2.5 * u);
    }
    if (picture.selected >= 0 && static_cast<std::size_t>(picture.selected) < picture.loads.size()) {
        const DiagramLoad& load = picture.loads[static_cast<std::size_t>(picture.selected)];
        painter.setPen(QPen(Qt::black, std::max(0.5, 1.2 * u)));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(frame.ToDevice(load.onDiagram.m, load.onDiagram.nd), 6 * u, 6 * u);
    }
    painter.restore();
}

QImage NmImage(const NmPicture& picture, QSize size)
{
    return PictureImage(size, [&](QPainter& painter, const QRectF& area) { DrawNmDiagram(painter, area, picture); });
}

QByteArray NmPng(const NmPicture& picture, QSize size)
{
    return PngBytes(NmImage(picture, size));
}

QByteArray NmSvg(const NmPicture& picture, QSize size)
{
    return SvgBytes(size, QString::fromUtf8(NmTitle),
                    [&](QPainter& painter, const QRectF& area) { DrawNmDiagram(painter, area, picture); });
}

} // namespace flexara
