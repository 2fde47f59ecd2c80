#include "report/SectionDrawing.h"

#include "engine/case/BarLayout.h"
#include "report/ReportText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace flexara {

namespace {

// Room for the dimension lines and the scale, mm.
constexpr double DimensionRoom = 11.0;
constexpr double ScaleRoom = 6.0;
// A bar is never drawn smaller than this, mm.
constexpr double SmallestBar = 0.5;

struct Extent {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

Extent ExtentOf(const AnalysisState& s)
{
    const int n = std::clamp(s.Section.VertexCount, 0, MaxVertices);
    Extent e;
    for (int i = 0; i < n; ++i) {
        const Point p = s.Section.Vertices[static_cast<std::size_t>(i)];
        if (i == 0)
            e = Extent{p.x, p.x, p.y, p.y};
        e.minX = std::min(e.minX, p.x);
        e.maxX = std::max(e.maxX, p.x);
        e.minY = std::min(e.minY, p.y);
        e.maxY = std::max(e.maxY, p.y);
    }
    return e;
}

QFont Font(double mm, double mmToDevice)
{
    return ReportFont(mm * mmToDevice);
}

// A dimension line from a to b with ticks at its ends and the text beside it.
void Dimension(QPainter& painter, QPointF a, QPointF b, const QString& text, double mmToDevice, bool vertical)
{
    const double tick = 1.2 * mmToDevice;
    painter.drawLine(a, b);
    const QPointF across = vertical ? QPointF(tick, 0) : QPointF(0, tick);
    const QPointF slash = vertical ? QPointF(tick, -tick) : QPointF(tick, -tick);
    for (const QPointF& end : {a, b}) {
        painter.drawLine(end - across, end + across);
        painter.drawLine(end - slash * 0.6, end + slash * 0.6);
    }
    const QFontMetricsF metrics(painter.font());
    const QPointF middle = (a + b) / 2;
    if (vertical) {
        painter.save();
        painter.translate(middle.x() - 1.0 * mmToDevice, middle.y());
        painter.rotate(-90);
        painter.drawText(QRectF(-40 * mmToDevice, -metrics.height(), 80 * mmToDevice, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignBottom, text);
        painter.restore();
    } else {
        painter.drawText(
            QRectF(middle.x() - 40 * mmToDevice, middle.y() + 1.0 * mmToDevice, 80 * mmToDevice, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, text);
    }
}

} // namespace

int SectionScale(double widthCm, double heightCm, double areaWidthMm, double areaHeightMm)
{
    // 1, 2, 2.5, 5 times a power of ten: the scales of a drawing office.
    const double factors[] = {1, 2, 2.5, 5};
    for (int power = 0; power < 12; ++power)
        for (const double f : factors) {
            const double n = f * std::pow(10.0, power);
            if (n < 1 || n != std::floor(n))
                continue;
            if (widthCm * 10 / n <= areaWidthMm && heightCm * 10 / n <= areaHeightMm)
                return static_cast<int>(n);
        }
    return 1000000000;
}

int DrawSection(QPainter& painter, const QRectF& area, double mmToDevice, const AnalysisState& state)
{
    const Extent e = ExtentOf(state);
    const double width = e.maxX - e.minX;
    const double height = e.maxY - e.minY;
    const double roomMm = DimensionRoom;
    const double availableW = area.width() / mmToDevice - roomMm;
    const double availableH = area.height() / mmToDevice - roomMm - ScaleRoom;
    const int scale = SectionScale(width, height, std::max(1.0, availableW), std::max(1.0, availableH));
    const double cmToDevice = 10.0 / scale * mmToDevice;

    // The drawing centred in what is left of the area.
    const double drawnW = width * cmToDevice;
    const double drawnH = height * cmToDevice;
    const double left = area.left() + roomMm * mmToDevice + (availableW * mmToDevice - drawnW) / 2;
    const double top = area.top() + (availableH * mmToDevice - drawnH) / 2;
    auto at = [&](double x, double y) {
        return QPointF(left + (x - e.minX) * cmToDevice, top + (e.maxY - y) * cmToDevice);
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int n = std::clamp(state.Section.VertexCount, 0, MaxVertices);
    QPolygonF outline;
    for (int i = 0; i < n; ++i)
        outline << at(state.Section.Vertices[static_cast<std::size_t>(i)].x,
                      state.Section.Vertices[static_cast<std::size_t>(i)].y);
    painter.setPen(QPen(Qt::black, 0.3 * mmToDevice));
    painter.setBrush(QColor(215, 215, 215));
    painter.drawPolygon(outline);

    // Every bar of every line, with its own diameter to scale.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const int lines = std::clamp(state.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = state.BarLines[static_cast<std::size_t>(k)];
        // A diameter in mm is a radius of d/20 cm.
        const double radius = std::max(SmallestBar * mmToDevice / 2, line.Diameter / 20.0 * cmToDevice);
        for (int j = 1; j <= BarsInLine(line); ++j) {
            const Point p = BarPosition(line, j);
            painter.drawEllipse(at(p.x, p.y), radius, radius);
        }
    }

    // The overall width under the section, the height beside it, and the scale.
    painter.setPen(QPen(Qt::black, 0.2 * mmToDevice));
    painter.setFont(Font(2.6, mmToDevice));
    const double below = top + drawnH + 4.0 * mmToDevice;
    Dimension(painter, QPointF(left, below), QPointF(left + drawnW, below), Decimal(width, 1) + QStringLiteral(" cm"),
              mmToDevice, false);
    const double beside = left - 4.0 * mmToDevice;
    Dimension(painter, QPointF(beside, top + drawnH), QPointF(beside, top), Decimal(height, 1) + QStringLiteral(" cm"),
              mmToDevice, true);
    painter.drawText(QRectF(area.left(), area.bottom() - ScaleRoom * mmToDevice, area.width(), ScaleRoom * mmToDevice),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Escala 1:%1").arg(scale));
    painter.restore();
    return scale;
}

} // namespace flexara
