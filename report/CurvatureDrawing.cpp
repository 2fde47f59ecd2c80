#include "report/CurvatureDrawing.h"

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


const QColor CurveRed(255, 0, 0);
const QColor SecantBlue(0, 0, 255);
const QColor TargetGreen(0, 128, 0);

// The negative side's curvature and moment are drawn negative.
double SideSign(int side)
{
    return side == 0 ? 1.0 : -1.0;
}

} // namespace

QString CurvatureAxisTitle()
{
    return QStringLiteral("1/r (1/km)");
}

QString CurvatureMomentAxisTitle()
{
    return QStringLiteral("M (kN.m)");
}

ChartAxes ScaleCurvaturePicture(const CurvaturePicture& picture)
{
    PlotBounds bounds;
    if (picture.study) {
        for (int s = 0; s < CurvatureSideCount; ++s) {
            const double sign = SideSign(s);
            for (const CurvaturePoint& p : picture.study->curves[static_cast<std::size_t>(s)])
                bounds.Take(sign * p.curvature * CurvaturePerKm, sign * p.moment);
            if (const auto& secant = picture.study->secant[static_cast<std::size_t>(s)])
                bounds.Take(0.0, sign * secant->target);
        }
    }
    return bounds.Axes();
}

QPointF CurvatureFrame::ToDevice(double curvaturePerKm, double moment) const
{
    return PlotPoint(plot, axes, curvaturePerKm, moment);
}

CurvatureFrame LayOutCurvaturePicture(const QRectF& area, const CurvaturePicture& picture)
{
    CurvatureFrame frame;
    frame.area = area;
    frame.unit = area.width() / PlotBaseWidth;
    frame.axes = ScaleCurvaturePicture(picture);
    const double u = frame.unit;
    // Two lines of title: what it is, and of what.
    frame.plot = LayOutPlot(area, u, frame.axes, 2);
    return frame;
}

void DrawCurvaturePicture(QPainter& painter, const QRectF& area, const CurvaturePicture& picture)
{
    const CurvatureFrame frame = LayOutCurvaturePicture(area, picture);
    const double u = frame.unit;
    const QRectF plot = frame.plot;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);

    painter.setFont(ReportFont(PlotTitlePixels * u));
    painter.setPen(Qt::black);
    const double titleHeight = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(area.left(), area.top() + 4 * u, area.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(CurvatureTitle));
    painter.drawText(QRectF(area.left(), area.top() + 4 * u + titleHeight, area.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignTop, picture.subtitle);

    DrawPlotFrame(
        painter, area, plot, frame.axes, u, [&](double x, double y) { return frame.ToDevice(x, y); },
        CurvatureAxisTitle(), CurvatureMomentAxisTitle());
    const QFontMetricsF metrics(painter.font());

    painter.setClipRect(plot);
    painter.setPen(QPen(Qt::black, std::max(0.5, 0.6 * u), Qt::DashLine));
    painter.drawLine(frame.ToDevice(0.0, frame.axes.y.low), frame.ToDevice(0.0, frame.axes.y.high));
    painter.drawLine(frame.ToDevice(frame.axes.x.low, 0.0), frame.ToDevice(frame.axes.x.high, 0.0));
    if (picture.study) {
        for (int s = 0; s < CurvatureSideCount; ++s) {
            const double sign = SideSign(s);
            const std::vector<CurvaturePoint>& curve = picture.study->curves[static_cast<std::size_t>(s)];
            if (curve.size() >= 2) {
                QPainterPath path(
                    frame.ToDevice(sign * curve.front().curvature * CurvaturePerKm, sign * curve.front().moment));
                for (std::size_t i = 1; i < curve.size(); ++i)
                    path.lineTo(frame.ToDevice(sign * curve[i].curvature * CurvaturePerKm, sign * curve[i].moment));
                painter.setPen(QPen(CurveRed, std::max(0.5, 1.2 * u)));
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(path);
            }
            const auto& secant = picture.study->secant[static_cast<std::size_t>(s)];
            if (!secant)
                continue;
            painter.setPen(QPen(TargetGreen, std::max(0.5, 0.8 * u), Qt::DashLine));
            painter.drawLine(frame.ToDevice(frame.axes.x.low, sign * secant->target),
                             frame.ToDevice(frame.axes.x.high, sign * secant->target));
            if (!secant->pointB)
                continue;
            const QPointF b =
                frame.ToDevice(sign * secant->pointB->curvature * CurvaturePerKm, sign * secant->pointB->moment);
            painter.setPen(QPen(SecantBlue, std::max(0.5, 1.2 * u)));
            painter.drawLine(frame.ToDevice(0.0, 0.0), b);
            painter.setBrush(SecantBlue);
            painter.drawEllipse(b, 2.5 * u, 2.5 * u);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(Qt::black);
            painter.drawText(
                QRectF(b.x() + (s == 0 ? 4 * u : -24 * u), b.y() - metrics.height() - 2 * u, 20 * u, metrics.height()),
                s == 0 ? Qt::AlignLeft : Qt::AlignRight, QStringLiteral("B"));
        }
    }
    painter.restore();
}

QImage CurvatureImage(const CurvaturePicture& picture, QSize size)
{
    return PictureImage(size,
                        [&](QPainter& painter, const QRectF& area) { DrawCurvaturePicture(painter, area, picture); });
}

QByteArray CurvaturePng(const CurvaturePicture& picture, QSize size)
{
    return PngBytes(CurvatureImage(picture, size));
}

QByteArray CurvatureSvg(const CurvaturePicture& picture, QSize size)
{
    return SvgBytes(size, QString::fromUtf8(CurvatureTitle),
                    [&](QPainter& painter, const QRectF& area) { DrawCurvaturePicture(painter, area, picture); });
}

} // namespace flexara
