#include "report/SurfaceDrawing.h"

#include "report/PictureBytes.h"
#include "report/ReportText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <span>

namespace flexara {

namespace {

// Sizes in pixels of a picture 307 pixels wide, as the window's chart.
constexpr double BaseWidth = 307.0;
constexpr double TitlePixels = 11.0;
constexpr double LabelPixels = 7.0;

const QColor LevelRed(255, 0, 0);
const QColor MeridianRed(230, 140, 140);
const QColor AxisGrey(90, 90, 90);
const QColor HoldsNavy(0, 0, 128);
const QColor FailsRed(255, 0, 0);
const QColor PointBlue(0, 0, 255);

QString Kn(double value)
{
    return Decimal(value, 0) + QStringLiteral(" kN");
}

QString KnM(double value)
{
    return Decimal(value, 0) + QStringLiteral(" kN.m");
}

} // namespace

QPointF SurfaceFrame::ToDevice(double mx, double my, double nd) const
{
    const ViewPoint p = Project(view, box, mx, my, nd);
    return QPointF(plot.center().x() + p.x * scale, plot.center().y() - p.y * scale);
}

SurfaceFrame LayOutSurface(const QRectF& area, const SurfacePicture& picture)
{
    SurfaceFrame frame;
    frame.area = area;
    frame.view = picture.view;
    frame.unit = area.width() / BaseWidth;
    if (picture.surface)
        frame.box = BoxOfSurface(*picture.surface, picture.loads);
    const double u = frame.unit;
    const double title = QFontMetricsF(ReportFont(TitlePixels * u)).height();
    const double label = QFontMetricsF(ReportFont(LabelPixels * u)).height();
    frame.plot = area.adjusted(8 * u, 4 * u + title + 6 * u + label, -8 * u, -(4 * u + label));
    frame.scale = std::max(1e-6, std::min(frame.plot.width(), frame.plot.height()) / (2.0 * ViewReach));
    return frame;
}

void DrawSurface(QPainter& painter, const QRectF& area, const SurfacePicture& picture)
{
    const SurfaceFrame frame = LayOutSurface(area, picture);
    const double u = frame.unit;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    painter.setFont(ReportFont(TitlePixels * u));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top() + 4 * u, area.width(), QFontMetricsF(painter.font()).height()),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(SurfaceTitle));
    if (!picture.surface) {
        painter.restore();
        return;
    }
    const Surface& surface = *picture.surface;
    const SurfaceBox& box = frame.box;

    // The axes through the origin: the moments at Nd = 0 (or mid-height when
    // the range of Nd does not hold it), Nd from end to end.
    painter.setFont(ReportFont(LabelPixels * u));
    const QFontMetricsF metrics(painter.font());
    const double axisNd = box.ndLow <= 0.0 && 0.0 <= box.ndHigh ? 0.0 : (box.ndLow + box.ndHigh) / 2.0;
    const double reach = box.momentReach;
    painter.setPen(QPen(AxisGrey, std::max(0.5, 0.7 * u), Qt::DashLine));
    painter.drawLine(frame.ToDevice(-reach, 0, axisNd), frame.ToDevice(reach, 0, axisNd));
    painter.drawLine(frame.ToDevice(0, -reach, axisNd), frame.ToDevice(0, reach, axisNd));
    painter.drawLine(frame.ToDevice(0, 0, box.ndLow), frame.ToDevice(0, 0, box.ndHigh));
    painter.setPen(Qt::black);
    // A label beyond the end of its axis, away from the centre of the picture.
    const QPointF centre = frame.ToDevice(0, 0, axisNd);
    auto label = [&](QPointF end, const QString& text) {
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        QPointF outward = end - centre;
        const double length = std::hypot(outward.x(), outward.y());
        outward = length > 0 ? outward / length : QPointF(0, -1);
        // The box's centre goes out until the text clears the end.
        const double clear = std::abs(outward.x()) * size.width() / 2 + std::abs(outward.y()) * size.height() / 2;
        const QPointF at = end + outward * (clear + 3 * u);
        painter.drawText(QRectF(at - QPointF(size.width() / 2, size.height() / 2), size), Qt::AlignCenter, text);
    };
    label(frame.ToDevice(reach, 0, axisNd), QStringLiteral("Mx = ") + KnM(reach));
    label(frame.ToDevice(0, reach, axisNd), QStringLiteral("My = ") + KnM(reach));
    label(frame.ToDevice(0, 0, box.ndLow), QStringLiteral("Nd = ") + Kn(box.ndLow));
    label(frame.ToDevice(0, 0, box.ndHigh), QStringLiteral("Nd = ") + Kn(box.ndHigh));

    // Meridians: the same step on every level, from end to end.
    const int ring = surface.levels.empty() ? 0 : static_cast<int>(surface.levels.front().ring.size());
    const int stride = std::max(1, (ring + SurfaceMeridians - 1) / SurfaceMeridians);
    painter.setPen(QPen(MeridianRed, std::max(0.5, 0.6 * u)));
    painter.setBrush(Qt::NoBrush);
    for (int j = 0; j < ring; j += stride) {
        QPainterPath path(frame.ToDevice(surface.squash.moment.x, surface.squash.moment.y, surface.squash.nd));
        for (const SurfaceLevel& level : surface.levels) {
            const Point& p = level.ring[static_cast<std::size_t>(j)];
            path.lineTo(frame.ToDevice(p.x, p.y, level.nd));
        }
        path.lineTo(frame.ToDevice(surface.tension.moment.x, surface.tension.moment.y, surface.tension.nd));
        painter.drawPath(path);
    }
    // The level curves, each closed.
    painter.setPen(QPen(LevelRed, std::max(0.5, 0.5 * u)));
    for (const SurfaceLevel& level : surface.levels) {
        if (level.ring.empty())
            continue;
        QPainterPath path(frame.ToDevice(level.ring.front().x, level.ring.front().y, level.nd));
        for (std::size_t j = 1; j < level.ring.size(); ++j)
            path.lineTo(frame.ToDevice(level.ring[j].x, level.ring[j].y, level.nd));
        path.closeSubpath();
        painter.drawPath(path);
    }

    for (const DiagramLoad& load : picture.loads) {
        painter.setPen(QPen(PointBlue, std::max(0.5, 0.8 * u)));
        painter.setBrush(load.holds ? HoldsNavy : FailsRed);
        painter.drawEllipse(frame.ToDevice(load.mxd, load.myd, load.nd), 3 * u, 3 * u);
    }
    if (picture.selected >= 0 && static_cast<std::size_t>(picture.selected) < picture.loads.size()) {
        const DiagramLoad& load = picture.loads[static_cast<std::size_t>(picture.selected)];
        painter.setPen(QPen(Qt::black, std::max(0.5, 1.2 * u)));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(frame.ToDevice(load.mxd, load.myd, load.nd), 6.5 * u, 6.5 * u);
    }
    painter.restore();
}

QImage SurfaceImage(const SurfacePicture& picture, QSize size)
{
    return PictureImage(size, [&](QPainter& painter, const QRectF& area) { DrawSurface(painter, area, picture); });
}

QByteArray SurfacePng(const SurfacePicture& picture, QSize size)
{
    return PngBytes(SurfaceImage(picture, size));
}

QByteArray SurfaceSvg(const SurfacePicture& picture, QSize size)
{
    return SvgBytes(size, QString::fromUtf8(SurfaceTitle),
                    [&](QPainter& painter, const QRectF& area) { DrawSurface(painter, area, picture); });
}

} // namespace flexara
