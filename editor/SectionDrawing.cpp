#include "editor/SectionDrawing.h"

#include "engine/case/BarLayout.h"

#include <QPainter>
#include <QPolygon>

#include <array>
#include <cfenv>
#include <cmath>

namespace flexara {

namespace {

using Real = long double;

const QColor OutlineFill(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor OtherBars(0, 0, 255);
const QColor SelectedBars(255, 0, 0);

// A pixel coordinate: the real value truncated toward zero. Far-off bars are
// held well outside the surface, so that no conversion overflows.
int Pixel(Real value)
{
    constexpr Real Far = 1e6L;
    if (std::isnan(value))
        return 0;
    if (value > Far)
        value = Far;
    if (value < -Far)
        value = -Far;
    return static_cast<int>(value);
}

// The section's box, its scale and the transform from cm to pixels.
struct View {
    double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
    double w = 0.0, h = 0.0;
    double k = 0.0;
    bool portrait = false;

    Real Column(double x) const
    {
        return portrait ? 140 - static_cast<Real>(k) * w / 2 + static_cast<Real>(k) * (static_cast<Real>(x) - minX)
                        : 70 + static_cast<Real>(k) * (static_cast<Real>(x) - minX);
    }
    Real Row(double y) const
    {
        return portrait ? 170 - static_cast<Real>(k) * (static_cast<Real>(y) - minY)
                        : 100 + static_cast<Real>(k) * h / 2 - static_cast<Real>(k) * (static_cast<Real>(y) - minY);
    }
};

View ViewOf(const AnalysisState& state, int vertexCount)
{
    View v;
    // The box always holds the origin, so both axes fall inside it.
    for (int i = 0; i < vertexCount; ++i) {
        const Point& p = state.Section.Vertices[static_cast<std::size_t>(i)];
        if (p.x > v.maxX)
            v.maxX = p.x;
        if (p.x < v.minX)
            v.minX = p.x;
        if (p.y > v.maxY)
            v.maxY = p.y;
        if (p.y < v.minY)
            v.minY = p.y;
    }
    v.w = v.maxX - v.minX;
    v.h = v.maxY - v.minY;
    v.portrait = v.h > v.w;
    // The longer side spans 140 pixels.
    if (v.portrait)
        v.k = 140 / v.h;
    else
        v.k = v.w == 0 ? 0.0 : 140 / v.w;
    return v;
}

void Line(QPainter& canvas, int x1, int y1, int x2, int y2)
{
    canvas.drawLine(x1, y1, x2, y2);
}

void DrawAxes(QPainter& canvas, const View& v)
{
    QPen dashed(Qt::black, 1, Qt::CustomDashLine);
    dashed.setDashPattern({18, 6});
    canvas.setPen(dashed);
    canvas.setBrush(QBrush(Silver));
    // The gaps between the dashes take the silver of the background brush.
    canvas.setBackground(QBrush(Silver));
    canvas.setBackgroundMode(Qt::OpaqueMode);

    const Real c0 = v.Column(0), r0 = v.Row(0);
    const Real cL = v.Column(v.minX), cR = v.Column(v.maxX);
    const Real rB = v.Row(v.minY), rT = v.Row(v.maxY);
    const int row0 = Pixel(r0), column0 = Pixel(c0);
    QPoint xLabel, yLabel;
    if (!v.portrait) {
        Line(canvas, 70, row0, 230, row0);
        Line(canvas, 230, row0, 225, Pixel(r0 + 3));
        Line(canvas, 230, row0, 225, Pixel(r0 - 3));
        const int tip = Pixel(rT - 20);
        Line(canvas, column0, Pixel(rB), column0, tip);
        Line(canvas, column0, tip, Pixel(c0 - 3), Pixel(rT - 15));
        Line(canvas, column0, tip, Pixel(c0 + 3), Pixel(rT - 15));
        xLabel = QPoint(225, row0);
        yLabel = QPoint(Pixel(c0 - 10), Pixel(rT - 25));
    } else {
        const int tip = Pixel(cR + 20);
        Line(canvas, Pixel(cL), row0, tip, row0);
        Line(canvas, tip, row0, Pixel(cR + 15), Pixel(r0 + 3));
        Line(canvas, tip, row0, Pixel(cR + 15), Pixel(r0 - 3));
        Line(canvas, column0, 170, column0, 10);
        Line(canvas, column0, 10, Pixel(c0 - 3), 15);
        Line(canvas, column0, 10, Pixel(c0 + 3), 15);
        xLabel = QPoint(Pixel(cR + 15), row0);
        yLabel = QPoint(Pixel(c0 - 10), 5);
    }

    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setPen(Qt::black);
    QFont font = canvas.font();
    font.setStyleStrategy(QFont::NoAntialias);
    canvas.setFont(font);
    const int ascent = canvas.fontMetrics().ascent();
    // Texts stand with their top-left corner at the point.
    canvas.drawText(xLabel + QPoint(0, ascent), QStringLiteral("x"));
    canvas.drawText(yLabel + QPoint(0, ascent), QStringLiteral("y"));
}

void DrawBars(QPainter& canvas, const View& v, const BarLine& line)
{
    const int n = BarsInLine(line);
    for (int j = 1; j <= n; ++j) {
        const Point p = BarPosition(line, j);
        const Real c = v.Column(p.x), r = v.Row(p.y);
        const int left = Pixel(c - 2), top = Pixel(r - 2), right = Pixel(c + 2), bottom = Pixel(r + 2);
        canvas.drawEllipse(QRect(left, top, right - left, bottom - top));
    }
}

} // namespace

TPaintBox1::TPaintBox1(const AnalysisState& state, std::function<int()> selectedLine, QWidget* parent)
    : QWidget(parent), state(state), selectedLine(std::move(selectedLine))
{
    setObjectName("PaintBox1");
    setGeometry(480, 320, 300, 185);
    setToolTip("Representação gráfica da seçao transversal");
    setAccessibleName("Seção transversal");
    setAccessibleDescription(toolTip());
}

void TPaintBox1::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    PaintBox1Paint(canvas, state, selectedLine ? selectedLine() : -1);
}

void TPaintBox1::PaintBox1Paint(QPainter& canvas, const AnalysisState& state, int selectedLine)
{
    // A paint is no command: whatever its arithmetic raises must not be taken
    // for a fault of the next one.
    std::fenv_t environment;
    std::feholdexcept(&environment);

    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setClipRect(0, 0, 300, 185);

    const int vertexCount = state.Section.VertexCount < 0
                                ? 0
                                : (state.Section.VertexCount > MaxVertices ? MaxVertices : state.Section.VertexCount);
    const View v = ViewOf(state, vertexCount);

    QPolygon outline(vertexCount);
    for (int i = 0; i < vertexCount; ++i) {
        const Point& p = state.Section.Vertices[static_cast<std::size_t>(i)];
        outline.setPoint(i, Pixel(v.Column(p.x)), Pixel(v.Row(p.y)));
    }
    canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    canvas.setBrush(QBrush(OutlineFill));
    canvas.drawPolygon(outline);

    DrawAxes(canvas, v);

    const int lineCount = state.LineCount < 0 ? 0 : (state.LineCount > MaxLines ? MaxLines : state.LineCount);
    canvas.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    canvas.setBrush(QBrush(OtherBars));
    for (int k = 0; k < lineCount; ++k)
        if (k != selectedLine)
            DrawBars(canvas, v, state.BarLines[static_cast<std::size_t>(k)]);
    // The selected line last, so that its bars lie on top.
    if (selectedLine >= 0 && selectedLine < lineCount) {
        canvas.setBrush(QBrush(SelectedBars));
        DrawBars(canvas, v, state.BarLines[static_cast<std::size_t>(selectedLine)]);
    }

    canvas.restore();
    std::fesetenv(&environment);
}

} // namespace flexara
