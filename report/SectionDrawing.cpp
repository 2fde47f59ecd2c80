#include "report/SectionDrawing.h"

#include "engine/NumberText.h"
#include "engine/case/BarLayout.h"
#include "engine/design/OutlineFaces.h"
#include "report/ReportText.h"
#include "texts/Words.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace flexara {

namespace {

// Room for the dimension lines and the scale, mm.
constexpr double DimensionRoom = 11.0;
constexpr double ScaleRoom = 6.0;
// The detailing's line under the scale, mm.
constexpr double CaptionRoom = 5.0;
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

// The geometry of the stirrup, in cm: the outline's loops offset inwards.
using Loop = std::vector<Point>;

Point Plus(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}
Point Minus(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}
Point Times(Point a, double k)
{
    return {a.x * k, a.y * k};
}
double Cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}
double Dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}

Point Unit(Point a)
{
    const double length = std::hypot(a.x, a.y);
    return length > 0.0 ? Point{a.x / length, a.y / length} : Point{};
}

bool Same(Point a, Point b)
{
    return std::fabs(a.x - b.x) <= 1e-9 && std::fabs(a.y - b.y) <= 1e-9;
}

// The outline's vertices in loops, cut at the edges that are not faces from
// end to end: a box's outline walks into its hole along a slit, and its outer
// faces and the hole's make a loop each. Repeated vertices are dropped.
std::vector<Loop> FaceLoops(const OutlineFaces& outline)
{
    const std::vector<Point>& v = outline.Vertices();
    const std::size_t n = v.size();
    std::vector<bool> cut(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = v[i], b = v[(i + 1) % n];
        if (Same(a, b))
            continue;
        cut[i] = std::none_of(outline.Faces().begin(), outline.Faces().end(), [&](const OutlineFaces::Face& f) {
            return static_cast<std::size_t>(f.edge) == i && Same(f.a, a) && Same(f.b, b);
        });
    }
    std::vector<Loop> loops;
    const auto add = [&](Loop loop) {
        Loop kept;
        for (const Point p : loop)
            if (kept.empty() || !Same(kept.back(), p))
                kept.push_back(p);
        while (kept.size() > 1 && Same(kept.front(), kept.back()))
            kept.pop_back();
        if (kept.size() >= 3)
            loops.push_back(kept);
    };
    const auto first = std::find(cut.begin(), cut.end(), true);
    if (first == cut.end()) {
        add(v);
        return loops;
    }
    // From the end of each cut edge to the start of the next.
    const std::size_t start = static_cast<std::size_t>(first - cut.begin());
    Loop loop;
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t i = (start + k) % n;
        loop.push_back(v[i]);
        if (cut[i]) {
            add(loop);
            loop.clear();
        }
    }
    return loops;
}

// A loop offset inwards by d: each edge's line moved by d towards the
// concrete (to the left of the edge when the outline runs anticlockwise,
// side = 1; to its right when clockwise, side = -1), each vertex where the
// lines of its two edges meet. None when an edge turns over or two edges
// cross: the offset does not fit the outline.
class Offset {
public:
    Offset(const Loop& loop, double side) : loop(loop), side(side)
    {
        for (std::size_t i = 0; i < loop.size(); ++i)
            along.push_back(Unit(Minus(loop[(i + 1) % loop.size()], loop[i])));
    }

    std::size_t Size() const { return loop.size(); }
    // Inward normal of edge i (vertex i to i + 1).
    Point Normal(std::size_t i) const { return Times(Point{-along[i].y, along[i].x}, side); }
    Point Along(std::size_t i) const { return along[i]; }
    std::size_t Before(std::size_t i) const { return (i + loop.size() - 1) % loop.size(); }
    // Whether the concrete's corner at vertex i is convex.
    bool Convex(std::size_t i) const { return side * Cross(along[Before(i)], along[i]) > 1e-12; }
    // The signed angle the outline turns through at vertex i.
    double Turn(std::size_t i) const
    {
        return std::atan2(Cross(along[Before(i)], along[i]), Dot(along[Before(i)], along[i]));
    }

    Point Corner(std::size_t i, double d) const
    {
        const std::size_t h = Before(i);
        const Point onBefore = Plus(loop[i], Times(Normal(h), d));
        const double cross = Cross(along[h], along[i]);
        if (std::fabs(cross) < 1e-12)
            return Plus(loop[i], Times(Normal(i), d));
        const Point w = Minus(Plus(loop[i], Times(Normal(i), d)), onBefore);
        return Plus(onBefore, Times(along[h], Cross(w, along[i]) / cross));
    }

    std::optional<Loop> At(double d) const
    {
        const std::size_t n = loop.size();
        Loop q;
        for (std::size_t i = 0; i < n; ++i)
            q.push_back(Corner(i, d));
        for (std::size_t i = 0; i < n; ++i)
            if (!(Dot(Minus(q[(i + 1) % n], q[i]), along[i]) > 0.0))
                return std::nullopt;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 2; j < n; ++j) {
                if (i == 0 && j == n - 1)
                    continue;
                if (Crosses(q[i], q[(i + 1) % n], q[j], q[(j + 1) % n]))
                    return std::nullopt;
            }
        return q;
    }

private:
    static bool Crosses(Point a, Point b, Point c, Point d)
    {
        const double d1 = Cross(Minus(b, a), Minus(c, a)), d2 = Cross(Minus(b, a), Minus(d, a));
        const double d3 = Cross(Minus(d, c), Minus(a, c)), d4 = Cross(Minus(d, c), Minus(b, c));
        return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
    }

    const Loop& loop;
    double side;
    std::vector<Point> along;
};

// The face at distance d inwards with its convex corners rounded to the
// radius rho, from the offset of the loop at d + rho (the centres of the
// bends): an arc about each convex centre, the meeting of the lines at each
// re-entrant corner.
Loop RoundedFace(const Offset& offset, const Loop& centres, double d, double rho)
{
    constexpr int ArcSteps = 24;
    Loop face;
    for (std::size_t i = 0; i < offset.Size(); ++i) {
        if (!offset.Convex(i)) {
            face.push_back(offset.Corner(i, d));
            continue;
        }
        const Point outward = Times(offset.Normal(offset.Before(i)), -1.0);
        const double from = std::atan2(outward.y, outward.x);
        const double turn = offset.Turn(i);
        for (int k = 0; k <= ArcSteps; ++k) {
            const double angle = from + turn * k / ArcSteps;
            face.push_back(Plus(centres[i], Point{rho * std::cos(angle), rho * std::sin(angle)}));
        }
    }
    return face;
}

// The inner radius of a stirrup's bend, cm: half the mandrel of table 9.2.
double BendRadius(double stirrupMm)
{
    const double mandrel = stirrupMm <= 10.0 ? 3.0 : (stirrupMm < 20.0 ? 5.0 : 8.0);
    return mandrel * stirrupMm / 20.0;
}

// The first crossing, beyond the start, of the ray from p along u with the
// faces; none for none.
std::optional<Point> FirstCrossing(Point p, Point u, const std::vector<Loop>& faces)
{
    std::optional<double> nearest;
    for (const Loop& face : faces)
        for (std::size_t i = 0; i < face.size(); ++i) {
            const Point a = face[i], b = face[(i + 1) % face.size()];
            const Point e = Minus(b, a);
            const double denominator = Cross(u, e);
            if (std::fabs(denominator) < 1e-12)
                continue;
            const Point w = Minus(a, p);
            const double t = Cross(w, e) / denominator;
            const double s = Cross(w, u) / denominator;
            if (t > 1e-9 && s >= 0.0 && s <= 1.0 && (!nearest || t < *nearest))
                nearest = t;
        }
    if (!nearest)
        return std::nullopt;
    return Plus(p, Times(u, *nearest));
}

// The stirrup and the ties in section coordinates, and how they are drawn.
void DrawDetailing(QPainter& painter, const AnalysisState& state, const DetailingCheck& check,
                   const std::function<QPointF(Point)>& at, double cmToDevice)
{
    const OutlineFaces outline(state.Section);
    const std::vector<Point>& vertices = outline.Vertices();
    double area = 0.0;
    for (std::size_t i = 0; i < vertices.size(); ++i)
        area += Cross(vertices[i], vertices[(i + 1) % vertices.size()]);
    if (vertices.size() < 3 || area == 0.0)
        return;
    const double side = area > 0.0 ? 1.0 : -1.0;
    const double c = check.cover;
    const double t = check.stirrupDiameter / 10.0;
    const double r = BendRadius(check.stirrupDiameter);

    // The band between the outer face (at c, bends of radius r + φt) and the
    // inner one (at c + φt, bends of radius r), loop by loop.
    QPainterPath band;
    band.setFillRule(Qt::OddEvenFill);
    std::vector<Loop> outerFaces;
    const auto polygon = [&](const Loop& loop) {
        QPolygonF p;
        for (const Point q : loop)
            p << at(q);
        p << at(loop.front());
        return p;
    };
    for (const Loop& loop : FaceLoops(outline)) {
        const Offset offset(loop, side);
        const std::optional<Loop> centres = offset.At(c + t + r);
        if (!centres || !offset.At(c))
            continue;
        const Loop outer = RoundedFace(offset, *centres, c, r + t);
        band.addPolygon(polygon(outer));
        band.addPolygon(polygon(RoundedFace(offset, *centres, c + t, r)));
        outerFaces.push_back(outer);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(StirrupColour);
    painter.drawPath(band);
    if (outerFaces.empty())
        return;

    // Each tie across the section through its bar, square to the nearest face.
    QPen pen(StirrupColour, t * cmToDevice, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double hook = std::max(5.0 * t, 5.0);
    for (const Point bar : check.tiedBars) {
        const OutlineFaces::Face* nearest = nullptr;
        long double least = 0.0L;
        for (const OutlineFaces::Face& face : outline.Faces()) {
            const long double d = OutlineFaces::Distance(bar, face);
            if (!nearest || d < least) {
                nearest = &face;
                least = d;
            }
        }
        if (!nearest)
            continue;
        const Point u = Unit(Minus(nearest->b, nearest->a));
        const Point inward = Times(Point{-u.y, u.x}, side);
        const Point start = Minus(bar, Times(inward, static_cast<double>(least) - c));
        const std::optional<Point> end = FirstCrossing(bar, inward, outerFaces);
        if (!end)
            continue;
        // The straight ends of the hooks, both towards the same side of the
        // tie: up (or right for an upright tie), so that the ties of two
        // bars facing each other draw as one.
        Point left{-inward.y, inward.x};
        if (left.y < 0.0 || (left.y == 0.0 && left.x < 0.0))
            left = Times(left, -1.0);
        const Point atStart = Unit(Plus(inward, left)), atEnd = Unit(Minus(left, inward));
        QPolygonF tie;
        tie << at(Plus(start, Times(atStart, hook))) << at(start) << at(*end) << at(Plus(*end, Times(atEnd, hook)));
        painter.drawPolyline(tie);
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

SectionFrame LayOutSection(const QRectF& area, double mmToDevice, const AnalysisState& state, bool withCaption)
{
    const Extent e = ExtentOf(state);
    const double width = e.maxX - e.minX;
    const double height = e.maxY - e.minY;
    const double roomMm = DimensionRoom;
    const double availableW = area.width() / mmToDevice - roomMm;
    const double availableH = area.height() / mmToDevice - roomMm - ScaleRoom - (withCaption ? CaptionRoom : 0.0);
    SectionFrame frame;
    frame.scale = SectionScale(width, height, std::max(1.0, availableW), std::max(1.0, availableH));
    frame.cmToDevice = 10.0 / frame.scale * mmToDevice;
    // The drawing centred in what is left of the area.
    const double drawnW = width * frame.cmToDevice;
    const double drawnH = height * frame.cmToDevice;
    frame.left = area.left() + roomMm * mmToDevice + (availableW * mmToDevice - drawnW) / 2;
    frame.top = area.top() + (availableH * mmToDevice - drawnH) / 2;
    frame.minX = e.minX;
    frame.maxY = e.maxY;
    return frame;
}

QString DetailingCaption(const DetailingCheck& check, const Detailing& detailing)
{
    // c to one decimal, two where it has them ("3,0", "2,75").
    const double cover = check.cover;
    const bool tenths = std::fabs(cover * 10.0 - std::round(cover * 10.0)) < 1e-9;
    QString text =
        QStringLiteral("c = %1 cm; estribo φ %2 mm")
            .arg(Decimal(cover, tenths ? 1 : 2), QString::fromStdString(BarDiameterText(check.stirrupDiameter)));
    if (!detailing.stirrupDiameter)
        text += QStringLiteral(" (automático)");
    if (check.stirrupSpacing > 0.0)
        text += QStringLiteral(" a cada %1 cm").arg(QString::fromStdString(FormatGeneral(check.stirrupSpacing))) +
                (detailing.stirrupSpacing ? QString() : QStringLiteral(" (proposto)"));
    const int ties = check.Ties();
    text += ties == 0   ? QStringLiteral("; sem estribos suplementares")
            : ties == 1 ? QStringLiteral("; 1 estribo suplementar")
                        : QStringLiteral("; %1 estribos suplementares").arg(ties);
    return text;
}

int DrawSection(QPainter& painter, const QRectF& area, double mmToDevice, const AnalysisState& state,
                const DetailingCheck* check, const Detailing* detailing)
{
    const bool detailed = check && detailing;
    const Extent e = ExtentOf(state);
    const double width = e.maxX - e.minX;
    const double height = e.maxY - e.minY;
    const SectionFrame frame = LayOutSection(area, mmToDevice, state, detailed);
    const int scale = frame.scale;
    const double cmToDevice = frame.cmToDevice;
    const double drawnW = width * cmToDevice;
    const double drawnH = height * cmToDevice;
    const double left = frame.left;
    const double top = frame.top;
    auto at = [&](double x, double y) { return frame.ToDevice(x, y); };

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

    // The stirrup and the ties under the bars.
    if (detailed)
        DrawDetailing(
            painter, state, *check, [&](Point p) { return at(p.x, p.y); }, cmToDevice);

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
    const double captionRoom = detailed ? CaptionRoom * mmToDevice : 0.0;
    painter.drawText(
        QRectF(area.left(), area.bottom() - ScaleRoom * mmToDevice - captionRoom, area.width(), ScaleRoom * mmToDevice),
        Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Escala 1:%1").arg(scale));
    if (detailed)
        painter.drawText(QRectF(area.left(), area.bottom() - captionRoom, area.width(), captionRoom),
                         Qt::AlignHCenter | Qt::AlignVCenter, DetailingCaption(*check, *detailing));
    painter.restore();
    return scale;
}

} // namespace flexara
