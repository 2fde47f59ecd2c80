#include "report/DeflectionDrawing.h"

#include "report/PictureBytes.h"
#include "report/ReportText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace flexara {

namespace {

// Sizes in pixels of a picture 307 pixels wide, as the M–N–1/r picture.
constexpr double BaseWidth = 307.0;
constexpr double TitlePixels = 11.0;
constexpr double LabelPixels = 10.0;

const QColor MomentRed(255, 0, 0);
const QColor FirstOrderBlue(0, 0, 255);
const QColor GridGrey(160, 160, 160);

// An axis with labels at whole multiples of 1, 2 or 5 times a power of ten,
// written with the decimals that step needs: deflections are often a few
// millimetres, which whole-number labels would not show.
struct Ticks {
    double low = -1.0;
    double high = 1.0;
    double step = 1.0;
    int decimals = 0;
    int Count() const { return static_cast<int>(std::lround((high - low) / step)) + 1; }
    double Value(int i) const { return low + i * step; }
    QString Text(int i) const
    {
        const double v = Value(i);
        return Decimal(std::fabs(v) < step * 1e-9 ? 0.0 : v, decimals);
    }
};

// About `intervals` steps over the data and 0.
Ticks TicksFor(double dataLow, double dataHigh, int intervals)
{
    double lo = std::min(dataLow, 0.0), hi = std::max(dataHigh, 0.0);
    if (!(hi - lo > 1e-12 * std::max(1.0, std::max(std::fabs(lo), std::fabs(hi))))) {
        const double half = std::max(1.0, 0.1 * std::max(std::fabs(lo), std::fabs(hi)));
        lo -= half;
        hi += half;
    }
    const double raw = (hi - lo) / intervals;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * power;
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    Ticks t;
    t.step = step;
    t.low = std::floor(lo / step + 1e-9) * step;
    t.high = std::ceil(hi / step - 1e-9) * step;
    t.decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
    return t;
}

struct Panel {
    QRectF plot;
    Ticks x, z;
    QPointF ToDevice(double value, double height) const
    {
        return QPointF(plot.left() + (value - x.low) / (x.high - x.low) * plot.width(),
                       plot.bottom() - (height - z.low) / (z.high - z.low) * plot.height());
    }
};

// A panel's frame, grid, labels and titles; its plot and scales returned.
Panel DrawPanel(QPainter& painter, const QRectF& area, double u, const QString& title, const QString& xTitle,
                const Ticks& x, const Ticks& z)
{
    painter.setFont(ReportFont(LabelPixels * u));
    const QFontMetricsF metrics(painter.font());
    double widest = 0.0;
    for (int i = 0; i < z.Count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(z.Text(i)));
    Panel panel;
    panel.x = x;
    panel.z = z;
    panel.plot = PlotArea(area, u, metrics.height(), widest, metrics.height());
    const QRectF plot = panel.plot;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(plot.left(), area.top() + 4 * u, plot.width(), metrics.height()), Qt::AlignHCenter, title);
    const QPen grid(GridGrey, std::max(0.5, 0.6 * u));
    for (int i = 0; i < x.Count(); ++i) {
        const double px = panel.ToDevice(x.Value(i), z.low).x();
        painter.setPen(grid);
        painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(px - 40 * u, plot.bottom() + 5 * u, 80 * u, metrics.height()), Qt::AlignHCenter,
                         x.Text(i));
    }
    for (int i = 0; i < z.Count(); ++i) {
        const double py = panel.ToDevice(x.low, z.Value(i)).y();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(area.left(), py - metrics.height() / 2, plot.left() - area.left() - 6 * u, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, z.Text(i));
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
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignHCenter,
                     DeflectionHeightAxisTitle());
    painter.restore();
    // The bar's axis.
    painter.setPen(QPen(Qt::black, std::max(0.5, 0.6 * u), Qt::DashLine));
    painter.drawLine(panel.ToDevice(0.0, z.low), panel.ToDevice(0.0, z.high));
    return panel;
}

void DrawLine(QPainter& painter, const Panel& panel, const std::vector<GeneralStation>& stations,
              const std::function<double(const GeneralStation&)>& value, const QPen& pen)
{
    if (stations.size() < 2)
        return;
    QPainterPath path(panel.ToDevice(value(stations.front()), stations.front().z));
    for (std::size_t i = 1; i < stations.size(); ++i)
        path.lineTo(panel.ToDevice(value(stations[i]), stations[i].z));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

} // namespace

QString DeflectionHeightAxisTitle()
{
    return QStringLiteral("z (cm)");
}

QString DeflectionAxisTitle()
{
    return QStringLiteral("u (cm)");
}

QString DeflectionMomentAxisTitle()
{
    return QStringLiteral("M (kN·m)");
}

QStringList GeneralStationCaptions()
{
    return {QStringLiteral("z (cm)"), QStringLiteral("M1 (kN·m)"), QStringLiteral("u (cm)"), QStringLiteral("M (kN·m)"),
            QStringLiteral("1/r (1/m)")};
}

std::vector<QStringList> GeneralStationRows(const GeneralSolution& bar)
{
    std::vector<QStringList> rows;
    rows.reserve(bar.stations.size());
    for (const GeneralStation& s : bar.stations)
        rows.push_back({Decimal(s.z, 1), Decimal(s.m1, 2), Decimal(s.u, 3), Decimal(s.m, 2), Decimal(s.curvature, 6)});
    return rows;
}

QString GeneralMdTotText(const GeneralSolution& bar)
{
    if (!bar.Stable() || bar.station < 0 || static_cast<std::size_t>(bar.station) >= bar.stations.size())
        return QString();
    return QStringLiteral("Md,tot = %1 kN·m em z = %2 cm")
        .arg(Decimal(bar.mdTot, 2), Decimal(bar.stations[static_cast<std::size_t>(bar.station)].z, 1));
}

void DrawDeflectionPicture(QPainter& painter, const QRectF& area, const DeflectionPicture& picture)
{
    const double u = area.width() / BaseWidth;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    painter.setFont(ReportFont(TitlePixels * u));
    painter.setPen(Qt::black);
    const double titleHeight = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(area.left(), area.top() + 4 * u, area.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(DeflectionTitle));
    painter.drawText(QRectF(area.left(), area.top() + 4 * u + titleHeight, area.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignTop, picture.subtitle);

    const std::vector<GeneralStation> none;
    const std::vector<GeneralStation>& stations = picture.bar ? picture.bar->stations : none;
    double uLow = 0.0, uHigh = 0.0, mLow = 0.0, mHigh = 0.0;
    for (const GeneralStation& s : stations) {
        uLow = std::min(uLow, s.u);
        uHigh = std::max(uHigh, s.u);
        mLow = std::min({mLow, s.m, s.m1});
        mHigh = std::max({mHigh, s.m, s.m1});
    }
    const double length = picture.length > 0.0 ? picture.length : (stations.empty() ? 100.0 : stations.back().z);
    const Ticks z = TicksFor(0.0, length, 5);
    const double top = area.top() + 4 * u + 2 * titleHeight + 2 * u;
    const QRectF left(area.left(), top, area.width() / 2, area.bottom() - top);
    const QRectF right(area.left() + area.width() / 2, top, area.width() / 2, area.bottom() - top);
    const Panel shape = DrawPanel(painter, left, u, QString::fromUtf8(DeflectionShapeTitle), DeflectionAxisTitle(),
                                  TicksFor(uLow, uHigh, 3), z);
    const Panel moments = DrawPanel(painter, right, u, QString::fromUtf8(DeflectionMomentTitle),
                                    DeflectionMomentAxisTitle(), TicksFor(mLow, mHigh, 3), z);

    painter.save();
    painter.setClipRect(shape.plot);
    DrawLine(
        painter, shape, stations, [](const GeneralStation& s) { return s.u; }, QPen(MomentRed, std::max(0.5, 1.2 * u)));
    painter.restore();
    painter.save();
    painter.setClipRect(moments.plot);
    DrawLine(
        painter, moments, stations, [](const GeneralStation& s) { return s.m1; },
        QPen(FirstOrderBlue, std::max(0.5, 1.0 * u), Qt::DashLine));
    DrawLine(
        painter, moments, stations, [](const GeneralStation& s) { return s.m; },
        QPen(MomentRed, std::max(0.5, 1.2 * u)));
    if (picture.bar && picture.bar->Stable() && picture.bar->station >= 0 &&
        static_cast<std::size_t>(picture.bar->station) < stations.size()) {
        const GeneralStation& s = stations[static_cast<std::size_t>(picture.bar->station)];
        painter.setPen(Qt::NoPen);
        painter.setBrush(MomentRed);
        painter.drawEllipse(moments.ToDevice(s.m, s.z), 2.5 * u, 2.5 * u);
    }
    painter.restore();
    painter.restore();
}

QImage DeflectionImage(const DeflectionPicture& picture, QSize size)
{
    return PictureImage(size,
                        [&](QPainter& painter, const QRectF& area) { DrawDeflectionPicture(painter, area, picture); });
}

QByteArray DeflectionPng(const DeflectionPicture& picture, QSize size)
{
    return PngBytes(DeflectionImage(picture, size));
}

QByteArray DeflectionSvg(const DeflectionPicture& picture, QSize size)
{
    return SvgBytes(size, QString::fromUtf8(DeflectionTitle),
                    [&](QPainter& painter, const QRectF& area) { DrawDeflectionPicture(painter, area, picture); });
}

} // namespace flexara
