// The section drawing rendered into an image filled with the window's silver
// first, as the window's background shows between the drawn elements; pixels
// are checked at the coordinates the scale and the layout give.
#include "tests/gui/GroupFixture.h"

#include "engine/case/BarLayout.h"
#include "engine/case/Shapes.h"
#include "engine/section/Curve.h"

#include <QImage>
#include <QPainter>
#include <cfenv>

namespace flexara::test {
namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Silver = qRgb(192, 192, 192);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() : state(std::make_unique<AnalysisState>()) { InstallDefaultCase(*state); }

    QImage Render(int selectedLine = 0)
    {
        QImage image(300, 185, QImage::Format_RGB32);
        image.fill(Silver);
        QPainter canvas(&image);
        TPaintBox1::PaintBox1Paint(canvas, *state, selectedLine);
        canvas.end();
        return image;
    }
    void Rectangle(double b, double h)
    {
        state->ShapeDims[0] = b;
        state->ShapeDims[1] = h;
        BuildSectionPolygon(*state);
    }
    BarLine& AddLine(int count, double x1, double y1, double x2, double y2)
    {
        BarLine& line = state->BarLines[static_cast<std::size_t>(lines++)];
        state->LineCount = lines;
        line.BarCount = count;
        line.X1 = x1;
        line.Y1 = y1;
        line.X2 = x2;
        line.Y2 = y2;
        return line;
    }

    std::unique_ptr<AnalysisState> state;
    int lines = 0;
};

struct PixelCase {
    const char* what;
    int column, row;
    QRgb colour;
};

void ExpectPixels(const QImage& image, std::initializer_list<PixelCase> cases)
{
    for (const PixelCase& c : cases)
        EXPECT_EQ(QColor(image.pixel(c.column, c.row)).name(), QColor(c.colour).name())
            << c.what << " at (" << c.column << ", " << c.row << ")";
}

// The ink of a text in the box: any black pixel.
bool HasInk(const QImage& image, QRect box)
{
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.rect().contains(x, y) && image.pixel(x, y) == Black)
                return true;
    return false;
}

TEST_F(DrawingTest, TheDefaultCaseDrawsOnlyTheAxesFromColumn70Row100)
{
    // W = H = 0: landscape, k = 0, every vertex at (70, 100).
    const QImage image = Render();
    ExpectPixels(image, {
                            {"x axis start", 70, 100, Black},
                            {"x axis dash", 80, 100, Black},
                            {"x axis tip", 230, 100, Black},
                            {"x arrowhead low", 225, 103, Black},
                            {"x arrowhead high", 225, 97, Black},
                            {"y axis tip", 70, 80, Black},
                            {"y arrowhead left", 67, 85, Black},
                            {"y arrowhead right", 73, 85, Black},
                            {"nothing left of the axes", 60, 100, Silver},
                            {"nothing beyond the x tip", 232, 100, Silver},
                            {"nothing above the y tip", 70, 78, Silver},
                        });
    EXPECT_TRUE(HasInk(image, QRect(225, 100, 8, 12))) << "label x";
    EXPECT_TRUE(HasInk(image, QRect(60, 75, 8, 12))) << "label y";
    EXPECT_FALSE(HasInk(image, QRect(0, 0, 50, 50)));
}

TEST_F(DrawingTest, ALandscapeRectangleSpans140Columns)
{
    Rectangle(70, 35); // k = 2
    const QImage image = Render();
    ExpectPixels(image, {
                            // Corners on an axis may fall in a silver gap of its dashes.
                            {"outline lower left", 70, 135, Black},
                            {"outline upper right", 210, 65, Black},
                            {"outline top edge", 140, 65, Black},
                            {"outline right edge", 210, 100, Black},
                            {"outline bottom edge under a gap", 210, 135, Silver},
                            {"fill", 140, 100, Grey},
                            {"fill near a corner", 208, 67, Grey},
                            {"outside the outline", 140, 63, Silver},
                            {"x axis beyond the box", 215, 135, Black},
                            {"x axis tip", 230, 135, Black},
                            {"x arrowhead", 225, 138, Black},
                            {"y axis tip", 70, 45, Black},
                            {"y arrowhead left", 67, 50, Black},
                            {"y arrowhead right", 73, 50, Black},
                        });
    EXPECT_TRUE(HasInk(image, QRect(60, 40, 8, 12))) << "label y";
}

TEST_F(DrawingTest, APortraitRectangleSpans140Rows)
{
    Rectangle(35, 70); // k = 2, centred on column 140
    const QImage image = Render();
    ExpectPixels(image, {
                            {"outline lower left", 105, 170, Black},
                            {"outline upper right", 175, 30, Black},
                            {"outline right edge", 175, 100, Black},
                            {"outline top edge", 140, 30, Black},
                            {"outline left edge on the y axis", 105, 50, Black},
                            {"fill", 140, 100, Grey},
                            {"x axis beyond the box", 185, 170, Black},
                            {"x axis tip", 195, 170, Black},
                            {"x arrowhead low", 190, 173, Black},
                            {"x arrowhead high", 190, 167, Black},
                            {"y axis above the box", 105, 20, Black},
                            {"y axis tip", 105, 10, Black},
                            {"y arrowhead left", 102, 15, Black},
                            {"y arrowhead right", 108, 15, Black},
                            {"left of the box", 100, 100, Silver},
                        });
    EXPECT_TRUE(HasInk(image, QRect(190, 170, 8, 12))) << "label x";
    EXPECT_TRUE(HasInk(image, QRect(95, 5, 8, 12))) << "label y";
}

TEST_F(DrawingTest, ASquareBoxUsesTheLandscapeLayout)
{
    Rectangle(40, 40); // k = 3.5, rows 30 to 170
    const QImage image = Render();
    ExpectPixels(image, {
                            {"outline lower left", 70, 170, Black},
                            {"outline upper right", 210, 30, Black},
                            {"x axis tip", 230, 170, Black},
                            {"y axis tip", 70, 10, Black},
                        });
}

TEST_F(DrawingTest, AnOverhangingTrapezoidStandsTheYAxisInsideTheDrawing)
{
    state->Section.ShapeKind = ShapeTrapezoid;
    state->ShapeDims = {30, 20, 0, 40, 0, 0};
    BuildSectionPolygon(*state);
    // Portrait, k = 3.5, minX = -5: the origin at column 140 - 52.5 + 17.5 = 105.
    const QImage image = Render();
    ExpectPixels(image, {
                            {"top left corner", 87, 30, Black},
                            {"top right corner", 192, 30, Black},
                            {"bottom left corner", 105, 170, Black},
                            {"bottom right corner", 175, 170, Black},
                            {"y axis tip", 105, 10, Black},
                            {"y axis over the fill", 105, 120, Black},
                            {"a gap of its dashes", 105, 100, Silver},
                            {"fill left of the axis", 100, 100, Grey},
                        });
}

TEST_F(DrawingTest, BarsAreDiscsAtTheirScaledPositions)
{
    Rectangle(35, 70);
    AddLine(3, 5, 5, 30, 5); // columns 115, 140, 165 on row 160
    const QImage image = Render(-1);
    for (int column : {115, 140, 165}) {
        SCOPED_TRACE(column);
        ExpectPixels(image, {
                                {"centre", column, 160, Blue},
                                {"top of the outline", column, 158, Black},
                                {"beside the disc", column - 4, 160, Grey},
                                {"between discs", column - 9, 160, Grey},
                            });
    }
}

TEST_F(DrawingTest, OneBarStandsAtItsFirstEndAndNoBarDrawsNothing)
{
    Rectangle(35, 70);
    AddLine(1, 5, 5, 30, 60);
    AddLine(0, 20, 20, 20, 20);
    const QImage image = Render(-1);
    ExpectPixels(image, {
                            {"the bar", 115, 160, Blue},
                            {"the unused end", 165, 50, Grey},
                            {"the empty line", 145, 130, Grey},
                        });
}

TEST_F(DrawingTest, BarsAreDrawnWhereTheCurveGenerationLaysThemOut)
{
    // Spacings that are not exact in binary, a single bar and a full line.
    AddLine(3, 0, 0, 10, 0);
    AddLine(7, 0.1, 3.3, 29.9, 47.7);
    AddLine(1, 4, 5, 90, 90);
    AddLine(MaxBarsPerLine, -12.5, 1e-3, 77.7, 13.1);
    auto laidOut = std::make_unique<AnalysisState>(*state);
    LayOutBars(*laidOut);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = laidOut->BarLines[static_cast<std::size_t>(k)];
        for (int j = 1; j <= line.BarCount; ++j) {
            SCOPED_TRACE(testing::Message() << "line " << k + 1 << ", bar " << j);
            const Point drawn = BarPosition(state->BarLines[static_cast<std::size_t>(k)], j);
            EXPECT_EQ(drawn.x, line.Bars[static_cast<std::size_t>(j - 1)].x);
            EXPECT_EQ(drawn.y, line.Bars[static_cast<std::size_t>(j - 1)].y);
        }
    }
    EXPECT_EQ(BarPosition(state->BarLines[0], 2).x, 5.0);
}

TEST_F(DrawingTest, TheSelectedLineIsRedAndDrawnOverTheOthers)
{
    Rectangle(35, 70);
    AddLine(4, 5, 5, 35, 5);
    AddLine(4, 5, 5, 35, 5); // the same row: only the one on top shows
    AddLine(2, 5, 60, 30, 60);
    struct Case {
        int selected;
        QRgb row, upper;
    };
    const Case cases[] = {{-1, Blue, Blue}, {0, Red, Blue}, {1, Red, Blue}, {2, Blue, Red}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        const QImage image = Render(c.selected);
        ExpectPixels(image, {{"coinciding rows", 115, 160, c.row}, {"upper line", 115, 50, c.upper}});
    }
}

TEST_F(DrawingTest, FarOffBarsAndHugeOutlinesLeaveNoFaultBehind)
{
    // A 1 x 1 section at k = 140 with a bar 1e300 cm away.
    Rectangle(1, 1);
    AddLine(2, -1e300, 1e300, 1e300, -1e300);
    std::feclearexcept(FE_ALL_EXCEPT);
    QImage image = Render();
    EXPECT_EQ(image.pixel(70, 170), Black) << "x axis at row 100 + 70";
    // An outline whose box overflows: W is infinite and the scale 0.
    state->Section.ShapeKind = ShapeFreePolygon;
    state->Section.VertexCount = 3;
    state->Section.Vertices[0] = {-1e308, 0};
    state->Section.Vertices[1] = {1e308, 0};
    state->Section.Vertices[2] = {0, 1};
    image = Render();
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0)
        << "a paint must not leave a fault for the next command";
}

// The widget draws with the selection of the lines list.
TEST_F(GroupTest, TheDrawingFollowsTheLinesList)
{
    TypeAndLeave(Secao().Eds[0], "35");
    TypeAndLeave(Secao().Eds[1], "70");
    TypeAndLeave(Armadura().EdNb, "3");
    TypeAndLeave(Armadura().EdX1, "5");
    TypeAndLeave(Armadura().EdY1, "5");
    TypeAndLeave(Armadura().EdX2, "30");
    Click(Armadura().BtnAdicionar);
    TypeAndLeave(Armadura().EdY1, "60");
    EXPECT_GT(window->repaints, 0);

    QImage image = window->drawing->grab().toImage();
    EXPECT_EQ(image.size(), QSize(300, 185));
    EXPECT_EQ(image.pixel(115, 160), Blue);
    EXPECT_EQ(image.pixel(115, 50), Red);
    ClickItem(Armadura().LBLinhas, 0);
    image = window->drawing->grab().toImage();
    EXPECT_EQ(image.pixel(115, 160), Red);
    EXPECT_EQ(image.pixel(115, 50), Blue);
    EXPECT_EQ(window->drawing->geometry(), QRect(480, 320, 300, 185));
    EXPECT_EQ(window->drawing->toolTip(), "Representação gráfica da seçao transversal");

    if (const QByteArray folder = qgetenv("FLEXARA_SCREENSHOTS"); !folder.isEmpty())
        window->host.grab().save(QString::fromLocal8Bit(folder) + "/groups-rectangle.png");
}

} // namespace
} // namespace flexara::test
