// The pictures of the section groups: the eight shape figures (151 x 170 JPEG)
// with their dimension lines, the bar-positioning picture Image2 (107 x 140
// JPEG) and the eight 16 x 16 tool-bar icons (PNG, transparent).
//
// Figures are drawn from a sample outline in cm, scaled into the picture with
// room around it for the dimension lines and their names.
#include "resources/generator/Pictures.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <vector>

namespace {

const QColor Paper(250, 250, 246);
const QColor Ink(30, 30, 30);
const QColor DimensionInk(40, 40, 110);
const QColor Moment(220, 0, 0);

constexpr int FigureWidth = 151;
constexpr int FigureHeight = 170;

// A dimension line: horizontal ones measure x from a to b at the level `at`,
// vertical ones measure y; `offset` (px) moves the line off the outline,
// negative to the left or upward.
struct Dimension {
    bool horizontal;
    double a, b, at;
    int offset;
    const char* name;
};

struct Figure {
    const char* file;
    std::vector<QPolygonF> outline; // the first ring is the outline, the others holes
    std::vector<Dimension> dimensions;
};

QFont LabelFont(int pixels, bool bold = false)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Maps cm to pixels: the outline fits the box left free for it.
struct Frame {
    double scale = 1, originX = 0, originY = 0;
    QPointF operator()(double x, double y) const { return {originX + x * scale, originY - y * scale}; }
};

Frame FrameFor(const std::vector<QPolygonF>& rings, QRectF room)
{
    const QRectF box = rings.front().boundingRect();
    Frame f;
    f.scale = std::min(room.width() / box.width(), room.height() / box.height());
    f.originX = room.center().x() - (box.center().x() * f.scale);
    f.originY = room.center().y() + (box.center().y() * f.scale);
    return f;
}

void Arrowhead(QPainter& p, QPointF tip, QPointF from, double length, double halfWidth)
{
    const QPointF d = tip - from;
    const double n = std::hypot(d.x(), d.y());
    if (n == 0)
        return;
    const QPointF u = d / n;
    const QPointF v(-u.y(), u.x());
    const QPointF base = tip - u * length;
    p.drawPolygon(QPolygonF({tip, base + v * halfWidth, base - v * halfWidth}));
}

void DrawDimension(QPainter& p, const Frame& f, const Dimension& d)
{
    p.setPen(QPen(DimensionInk, 1));
    p.setBrush(DimensionInk);
    QPointF a, b, ea, eb;
    if (d.horizontal) {
        ea = f(d.a, d.at);
        eb = f(d.b, d.at);
        a = ea + QPointF(0, d.offset);
        b = eb + QPointF(0, d.offset);
    } else {
        ea = f(d.at, d.a);
        eb = f(d.at, d.b);
        a = ea + QPointF(d.offset, 0);
        b = eb + QPointF(d.offset, 0);
    }
    // Extension lines from the outline, a little past the dimension line.
    const QPointF past = d.horizontal ? QPointF(0, d.offset > 0 ? 3 : -3) : QPointF(d.offset > 0 ? 3 : -3, 0);
    const QPointF gap = d.horizontal ? QPointF(0, d.offset > 0 ? 2 : -2) : QPointF(d.offset > 0 ? 2 : -2, 0);
    p.drawLine(ea + gap, a + past);
    p.drawLine(eb + gap, b + past);
    p.drawLine(a, b);
    Arrowhead(p, a, b, 5, 2);
    Arrowhead(p, b, a, 5, 2);

    p.setFont(LabelFont(11, true));
    const QString name = QString::fromUtf8(d.name);
    const QRectF textBox = p.fontMetrics().boundingRect(name);
    const QPointF middle = (a + b) / 2;
    QRectF place(0, 0, textBox.width() + 2, textBox.height());
    if (d.horizontal)
        place.moveCenter(middle + QPointF(0, d.offset > 0 ? 7 : -7));
    else
        place.moveCenter(middle + QPointF(d.offset > 0 ? place.width() / 2 + 2 : -place.width() / 2 - 2, 0));
    p.setPen(DimensionInk);
    p.drawText(place, Qt::AlignCenter, name);
}

QPointF Centroid(const QPolygonF& ring)
{
    double area = 0, cx = 0, cy = 0;
    for (int i = 0; i < ring.size(); ++i) {
        const QPointF& a = ring[i];
        const QPointF& b = ring[(i + 1) % ring.size()];
        const double cross = a.x() * b.y() - b.x() * a.y();
        area += cross;
        cx += (a.x() + b.x()) * cross;
        cy += (a.y() + b.y()) * cross;
    }
    return {cx / (3 * area), cy / (3 * area)};
}

void DrawOutline(QPainter& p, const Frame& f, const std::vector<QPolygonF>& rings)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& ring : rings) {
        QPolygonF mapped;
        for (const QPointF& q : ring)
            mapped << f(q.x(), q.y());
        mapped << mapped.front();
        path.addPolygon(mapped);
    }
    const QRectF box = path.boundingRect();
    QLinearGradient shade(box.topLeft(), box.bottomRight());
    shade.setColorAt(0, QColor(200, 200, 200));
    shade.setColorAt(1, QColor(130, 130, 130));
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(shade);
    p.drawPath(path);
}

void DrawCentroidAndMoments(QPainter& p, QPointF cg)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(cg, 3, 3);
    p.drawLine(cg + QPointF(-3, 0), cg + QPointF(3, 0));
    p.drawLine(cg + QPointF(0, -3), cg + QPointF(0, 3));
    p.setFont(LabelFont(9, true));
    p.drawText(cg + QPointF(4, 12), "CG");

    // The positive moments as vectors: Myd upward, Mxd to the left.
    p.setPen(QPen(Moment, 1.6));
    p.setBrush(Moment);
    const QPointF up = cg + QPointF(0, -26);
    const QPointF left = cg + QPointF(-26, 0);
    p.drawLine(cg + QPointF(0, -4), up);
    Arrowhead(p, up, cg, 6, 3);
    Arrowhead(p, up + QPointF(0, 5), cg, 6, 3);
    p.drawLine(cg + QPointF(-4, 0), left);
    Arrowhead(p, left, cg, 6, 3);
    Arrowhead(p, left + QPointF(5, 0), cg, 6, 3);
    p.setFont(LabelFont(9, true));
    p.setPen(Moment);
    p.drawText(up + QPointF(3, 6), "Myd");
    p.drawText(left + QPointF(-2, -4), "Mxd");
}

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Paper);
    return image;
}

bool SaveJpeg(const QImage& image, const QString& folder, const char* name)
{
    return image.save(folder + "/" + name, "JPG", 92);
}

std::vector<Figure> ShapeFigures()
{
    using P = QPointF;
    std::vector<Figure> figures;
    // Rectangle: B 40, H 60.
    figures.push_back({"fig-retang.jpg",
                       {QPolygonF({P(0, 0), P(40, 0), P(40, 60), P(0, 60)})},
                       {{true, 0, 40, 0, 12, "B"}, {false, 0, 60, 0, -12, "H"}}});
    // Trapezoid: B1 60 on top, B2 36 at the bottom, H 50.
    figures.push_back({"fig-trap.jpg",
                       {QPolygonF({P(0, 0), P(36, 0), P(48, 50), P(-12, 50)})},
                       {{true, -12, 48, 50, -12, "B1"}, {true, 0, 36, 0, 12, "B2"}, {false, 0, 50, -12, -12, "H"}}});
    // T: B1 60, B2 20, H1 12, H2 45.
    figures.push_back(
        {"fig-te.jpg",
         {QPolygonF({P(20, 0), P(40, 0), P(40, 45), P(60, 45), P(60, 57), P(0, 57), P(0, 45), P(20, 45)})},
         {{true, 0, 60, 57, -12, "B1"},
          {false, 45, 57, 0, -12, "H1"},
          {false, 0, 45, 20, -12, "H2"},
          {true, 20, 40, 0, 12, "B2"}}});
    // L: B1 16, B2 50, H1 60, H2 16.
    figures.push_back({"fig-ele.jpg",
                       {QPolygonF({P(0, 0), P(50, 0), P(50, 16), P(16, 16), P(16, 60), P(0, 60)})},
                       {{true, 0, 16, 60, -12, "B1"},
                        {false, 0, 60, 0, -12, "H1"},
                        {true, 0, 50, 0, 12, "B2"},
                        {false, 0, 16, 50, 12, "H2"}}});
    // U: B1 14, B2 14, B3 56, H1 50, H2 14.
    figures.push_back(
        {"fig-u.jpg",
         {QPolygonF({P(0, 0), P(56, 0), P(56, 50), P(42, 50), P(42, 14), P(14, 14), P(14, 50), P(0, 50)})},
         {{true, 0, 14, 50, -12, "B1"},
          {true, 42, 56, 50, -12, "B2"},
          {false, 0, 50, 0, -12, "H1"},
          {false, 0, 14, 56, 12, "H2"},
          {true, 0, 56, 0, 12, "B3"}}});
    // Box: B1 12, B2 12, B3 56, H1 60, H2 13, H3 13.
    figures.push_back(
        {"fig-caix.jpg",
         {QPolygonF({P(0, 0), P(56, 0), P(56, 60), P(0, 60)}), QPolygonF({P(12, 13), P(44, 13), P(44, 47), P(12, 47)})},
         {{true, 0, 12, 60, -12, "B1"},
          {true, 44, 56, 60, -12, "B2"},
          {false, 47, 60, 56, 12, "H2"},
          {false, 0, 13, 56, 12, "H3"},
          {false, 0, 60, 0, -12, "H1"},
          {true, 0, 56, 0, 12, "B3"}}});
    // Free polygon: drawn on its own.
    figures.push_back({"fig-qual.jpg", {}, {}});
    // H: B1 60, B2 16, B3 16, H1 60, H2 25, H3 25.
    figures.push_back({"fig-aga.jpg",
                       {QPolygonF({P(0, 0), P(16, 0), P(16, 25), P(44, 25), P(44, 0), P(60, 0), P(60, 60), P(44, 60),
                                   P(44, 35), P(16, 35), P(16, 60), P(0, 60)})},
                       {{true, 0, 16, 60, -12, "B2"},
                        {true, 44, 60, 60, -12, "B3"},
                        {false, 35, 60, 60, 12, "H2"},
                        {false, 0, 25, 60, 12, "H3"},
                        {false, 0, 60, 0, -12, "H1"},
                        {true, 0, 60, 0, 12, "B1"}}});
    return figures;
}

QImage DrawFamily(const Figure& figure)
{
    QImage image = Canvas(FigureWidth, FigureHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Frame f = FrameFor(figure.outline, QRectF(32, 24, 87, 118));
    DrawOutline(p, f, figure.outline);
    for (const Dimension& d : figure.dimensions)
        DrawDimension(p, f, d);
    const QPointF cg = Centroid(figure.outline.front());
    DrawCentroidAndMoments(p, f(cg.x(), cg.y()));
    return image;
}

// The free polygon: a pentagon numbered counter-clockwise from the lower right.
QImage DrawFreePolygon()
{
    QImage image = Canvas(FigureWidth, FigureHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF pentagon({QPointF(112, 138), QPointF(128, 74), QPointF(76, 28), QPointF(22, 66), QPointF(38, 130)});
    QLinearGradient shade(QPointF(22, 28), QPointF(128, 138));
    shade.setColorAt(0, QColor(200, 200, 200));
    shade.setColorAt(1, QColor(130, 130, 130));
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(shade);
    p.drawPolygon(pentagon);

    p.setFont(LabelFont(12, true));
    const QPointF centre = (pentagon[0] + pentagon[1] + pentagon[2] + pentagon[3] + pentagon[4]) / 5;
    for (int i = 0; i < pentagon.size(); ++i) {
        const QPointF corner = pentagon[i];
        p.setPen(QPen(Ink, 1));
        p.setBrush(Ink);
        p.drawEllipse(corner, 2, 2);
        QPointF away = corner - centre;
        away /= std::hypot(away.x(), away.y());
        QRectF place(0, 0, 12, 14);
        place.moveCenter(corner + away * 10);
        p.drawText(place, Qt::AlignCenter, QString::number(i + 1));
    }

    // Counter-clockwise on the page (y downward) runs from the lower right upward.
    p.setPen(QPen(Moment, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 24, centre.y() - 24, 48, 48);
    const int start = -60 * 16, span = 280 * 16;
    p.drawArc(ring, start, span);
    const double end = (-60.0 + 280.0) * M_PI / 180.0;
    const QPointF tip(centre.x() + 24 * std::cos(end), centre.y() - 24 * std::sin(end));
    const QPointF tangent(-std::sin(end), -std::cos(end)); // direction of travel on the page
    p.setPen(QPen(Moment, 1));
    p.setBrush(Moment);
    Arrowhead(p, tip + tangent * 3, tip - tangent * 4, 8, 4);
    return image;
}

// Image2: a row of bars from (Xi, Yi) to (Xf, Yf), measured from the lower-left
// corner of the section.
QImage DrawBarPositioning()
{
    QImage image = Canvas(107, 140);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF section(34, 6, 70, 94);
    QLinearGradient shade(section.topLeft(), section.bottomRight());
    shade.setColorAt(0, QColor(205, 205, 205));
    shade.setColorAt(1, QColor(140, 140, 140));
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(shade);
    p.drawRect(section);

    const QPointF corner = section.bottomLeft();
    const QPointF first(50, 76), last(90, 22);
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(20, 20, 20));
    for (int j = 0; j < 4; ++j)
        p.drawEllipse(first + (last - first) * (j / 3.0), 3.5, 3.5);

    auto label = [&p](QPointF at, const char* letter, const char* sub) {
        p.setPen(DimensionInk);
        p.setFont(LabelFont(11, true));
        p.drawText(at, letter);
        const double w = p.fontMetrics().horizontalAdvance(letter);
        p.setFont(LabelFont(8, true));
        p.drawText(at + QPointF(w, 3), sub);
    };
    auto hline = [&p](double x1, double x2, double y) {
        p.setPen(QPen(DimensionInk, 1));
        p.setBrush(DimensionInk);
        p.drawLine(QPointF(x1, y), QPointF(x2, y));
        Arrowhead(p, QPointF(x1, y), QPointF(x2, y), 4, 2);
        Arrowhead(p, QPointF(x2, y), QPointF(x1, y), 4, 2);
    };
    auto vline = [&p](double y1, double y2, double x) {
        p.setPen(QPen(DimensionInk, 1));
        p.setBrush(DimensionInk);
        p.drawLine(QPointF(x, y1), QPointF(x, y2));
        Arrowhead(p, QPointF(x, y1), QPointF(x, y2), 4, 2);
        Arrowhead(p, QPointF(x, y2), QPointF(x, y1), 4, 2);
    };
    // Extension lines from the bars down and to the left, dotted.
    p.setPen(QPen(DimensionInk, 0.8, Qt::DotLine));
    p.drawLine(first, QPointF(first.x(), 135));
    p.drawLine(last, QPointF(last.x(), 135));
    p.drawLine(first, QPointF(19, first.y()));
    p.drawLine(last, QPointF(3, last.y()));
    p.drawLine(corner, QPointF(corner.x(), 135));
    p.drawLine(corner, QPointF(3, corner.y()));

    hline(corner.x(), first.x(), 110);
    label(QPointF(37, 123), "X", "i");
    hline(corner.x(), last.x(), 131);
    label(QPointF(63, 127), "X", "f");
    vline(corner.y(), first.y(), 22);
    label(QPointF(8, 93), "Y", "i");
    vline(corner.y(), last.y(), 6);
    label(QPointF(10, 56), "Y", "f");
    return image;
}

// The tool-bar icons: grey silhouettes with a one-pixel black outline.
bool DrawIcons(const QString& folder)
{
    struct Icon {
        const char* file;
        std::vector<QPolygon> rings;
    };
    auto poly = [](std::initializer_list<QPoint> points) { return QPolygon(QList<QPoint>(points)); };
    const std::vector<Icon> icons = {
        {"tool-retang.png", {poly({{4, 1}, {11, 1}, {11, 14}, {4, 14}})}},
        {"tool-trap.png", {poly({{4, 3}, {11, 3}, {14, 14}, {1, 14}})}},
        {"tool-te.png", {poly({{1, 2}, {14, 2}, {14, 5}, {9, 5}, {9, 14}, {6, 14}, {6, 5}, {1, 5}})}},
        {"tool-ele.png", {poly({{2, 1}, {6, 1}, {6, 10}, {14, 10}, {14, 14}, {2, 14}})}},
        {"tool-u.png", {poly({{1, 2}, {5, 2}, {5, 10}, {10, 10}, {10, 2}, {14, 2}, {14, 14}, {1, 14}})}},
        {"tool-caix.png", {poly({{1, 1}, {14, 1}, {14, 14}, {1, 14}}), poly({{5, 5}, {10, 5}, {10, 10}, {5, 10}})}},
        {"tool-qual.png", {poly({{6, 1}, {13, 3}, {9, 7}, {14, 10}, {12, 14}, {2, 13}, {1, 6}})}},
        {"tool-aga.png",
         {poly({{1, 1},
                {5, 1},
                {5, 6},
                {10, 6},
                {10, 1},
                {14, 1},
                {14, 14},
                {10, 14},
                {10, 9},
                {5, 9},
                {5, 14},
                {1, 14}})}},
    };
    bool ok = true;
    for (const Icon& icon : icons) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const QPolygon& ring : icon.rings) {
            QPolygon closed = ring;
            closed << ring.front();
            path.addPolygon(QPolygonF(closed));
        }
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(160, 160, 160));
        p.drawPath(path);
        p.end();
        ok = image.save(folder + "/" + icon.file, "PNG") && ok;
    }
    return ok;
}

} // namespace

bool DrawSectionPictures(const QString& folder)
{
    bool ok = true;
    for (const Figure& figure : ShapeFigures()) {
        const QImage image = figure.outline.empty() ? DrawFreePolygon() : DrawFamily(figure);
        ok = SaveJpeg(image, folder, figure.file) && ok;
    }
    ok = SaveJpeg(DrawBarPositioning(), folder, "barras.jpg") && ok;
    return DrawIcons(folder) && ok;
}
