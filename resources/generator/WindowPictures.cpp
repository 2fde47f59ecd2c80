// The pictures of the main window and its dialogs: the sign convention of the
// actions (sinais.jpg), the program icon (icone.jpg) and the three logos of the
// credits panel and the about box (logo1.jpg .. logo3.jpg). Each is drawn four
// times larger and scaled down, which smooths the thin lines and the lettering.
#include "resources/generator/Pictures.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>

namespace {

constexpr int Oversample = 4;
const QColor Silver(192, 192, 192);
const QColor ArrowRed(220, 0, 0);

bool Save(const QImage& big, int width, int height, const QString& path)
{
    const QImage small = big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB888);
    return small.save(path, "JPG", 95);
}

// Draws in picture pixels on a canvas Oversample times larger.
bool DrawPicture(int width, int height, const QColor& background, const QString& path,
                 const std::function<void(QPainter&)>& draw)
{
    QImage big(width * Oversample, height * Oversample, QImage::Format_RGB32);
    big.fill(background);
    QPainter painter(&big);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(Oversample, Oversample);
    draw(painter);
    painter.end();
    return Save(big, width, height, path);
}

void Arrow(QPainter& p, QPointF from, QPointF to, bool doubleHead, const QColor& colour)
{
    p.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    const QPointF along(dx / length, dy / length);
    const QPointF across(-along.y(), along.x());
    auto head = [&](QPointF tip) {
        const QPolygonF triangle{tip, tip - along * 6.0 + across * 2.6, tip - along * 6.0 - across * 2.6};
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(triangle);
    };
    head(to);
    // A moment is drawn as a vector with a double head.
    if (doubleHead)
        head(to - along * 5.0);
}

void Text(QPainter& p, QPointF at, const QString& text, double pixelSize, const QColor& colour, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(pixelSize * Oversample));
    font.setBold(bold);
    p.save();
    p.scale(1.0 / Oversample, 1.0 / Oversample);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(at * Oversample, text);
    p.restore();
}

// A member end seen in oblique projection: the member runs to the left, its end
// face to the right; from the centre of the end face leave Nd (to the right,
// along the axis), Myd (upward) and Mxd (to the lower left, towards the viewer).
void DrawSignConvention(QPainter& p)
{
    const QPointF frontTop(54, 26), frontBottom(54, 60), backTop(66, 16), backBottom(66, 50);
    const QPointF shift(-46, 0); // the member's length on the picture
    p.setPen(QPen(QColor(40, 40, 40), 0.8));

    QLinearGradient side(0, 26, 0, 60);
    side.setColorAt(0, QColor(150, 150, 150));
    side.setColorAt(1, QColor(95, 95, 95));
    p.setBrush(side);
    p.drawPolygon(QPolygonF{frontTop + shift, frontTop, frontBottom, frontBottom + shift});

    p.setBrush(QColor(225, 225, 225));
    p.drawPolygon(QPolygonF{backTop + shift, backTop, frontTop, frontTop + shift});

    QLinearGradient end(54, 0, 66, 0);
    end.setColorAt(0, QColor(200, 200, 200));
    end.setColorAt(1, QColor(160, 160, 160));
    p.setBrush(end);
    p.drawPolygon(QPolygonF{frontTop, backTop, backBottom, frontBottom});

    const QPointF origin(60, 38);
    Arrow(p, origin, QPointF(91, 38), false, ArrowRed);
    Arrow(p, origin, QPointF(60, 3), true, ArrowRed);
    Arrow(p, origin, QPointF(39, 56), true, ArrowRed);
    p.setBrush(ArrowRed);
    p.setPen(Qt::NoPen);
    p.drawEllipse(origin, 1.6, 1.6);

    Text(p, QPointF(78, 33), QStringLiteral("Nd"), 9, ArrowRed, true);
    Text(p, QPointF(64, 9), QStringLiteral("Myd"), 9, ArrowRed, true);
    Text(p, QPointF(18, 72), QStringLiteral("Mxd"), 9, ArrowRed, true);
}

// The program icon: a section with its four corner bars inside the closed
// interaction curve.
void DrawIcon(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    p.setPen(QPen(QColor(200, 0, 0), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 4, 26, 24));
    p.setPen(QPen(QColor(30, 30, 30), 0.8));
    p.setBrush(QColor(140, 140, 140));
    p.drawRect(QRectF(11, 8, 10, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    for (const QPointF& bar : {QPointF(13.2, 10.2), QPointF(18.8, 10.2), QPointF(13.2, 21.8), QPointF(18.8, 21.8)})
        p.drawEllipse(bar, 1.3, 1.3);
}

// Logo 1: a T section with its bars.
void DrawSectionLogo(QPainter& p)
{
    const QPolygonF tee{{6, 8}, {42, 8}, {42, 17}, {29, 17}, {29, 42}, {19, 42}, {19, 17}, {6, 17}};
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(150, 150, 150));
    p.drawPolygon(tee);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 200));
    for (double x : {10.0, 17.0, 24.0, 31.0, 38.0})
        p.drawEllipse(QPointF(x, 12.5), 1.7, 1.7);
    for (double x : {22.0, 26.0})
        p.drawEllipse(QPointF(x, 38.5), 1.7, 1.7);
}

// Logo 2: a column standing on its footing.
void DrawColumnLogo(QPainter& p)
{
    p.setPen(QPen(QColor(30, 30, 30), 0.8));
    p.setBrush(QColor(120, 120, 120));
    p.drawPolygon(QPolygonF{{8, 38}, {40, 38}, {44, 34}, {12, 34}});
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(8, 38, 32, 5));
    QLinearGradient front(18, 0, 28, 0);
    front.setColorAt(0, QColor(210, 210, 210));
    front.setColorAt(1, QColor(130, 130, 130));
    p.setBrush(front);
    p.drawRect(QRectF(18, 8, 10, 28));
    p.setBrush(QColor(100, 100, 100));
    p.drawPolygon(QPolygonF{{28, 8}, {32, 5}, {32, 33}, {28, 36}});
    p.setBrush(QColor(230, 230, 230));
    p.drawPolygon(QPolygonF{{18, 8}, {22, 5}, {32, 5}, {28, 8}});
}

// Logo 3: a chart with a closed curve and a point inside it.
void DrawChartLogo(QPainter& p)
{
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.drawLine(QPointF(6, 24), QPointF(43, 24));
    p.drawLine(QPointF(24, 43), QPointF(24, 5));
    p.setBrush(QColor(30, 30, 30));
    p.drawPolygon(QPolygonF{{44, 24}, {40, 22}, {40, 26}});
    p.drawPolygon(QPolygonF{{24, 4}, {22, 8}, {26, 8}});
    QPainterPath loop;
    loop.moveTo(38, 24);
    loop.cubicTo(38, 34, 31, 38, 24, 38);
    loop.cubicTo(15, 38, 10, 32, 10, 24);
    loop.cubicTo(10, 15, 16, 10, 24, 10);
    loop.cubicTo(32, 10, 38, 15, 38, 24);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 0, 0), 1.6));
    p.drawPath(loop);
    p.setPen(QPen(QColor(0, 0, 255), 0.8));
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(QPointF(29, 19), 2, 2);
}

} // namespace

bool DrawWindowPictures(const QString& folder)
{
    const QColor white(255, 255, 255);
    bool ok = DrawPicture(94, 76, Silver, folder + "/sinais.jpg", DrawSignConvention);
    ok = DrawPicture(32, 32, white, folder + "/icone.jpg", DrawIcon) && ok;
    ok = DrawPicture(48, 48, white, folder + "/logo1.jpg", DrawSectionLogo) && ok;
    ok = DrawPicture(48, 48, white, folder + "/logo2.jpg", DrawColumnLogo) && ok;
    ok = DrawPicture(48, 48, white, folder + "/logo3.jpg", DrawChartLogo) && ok;
    return ok;
}
