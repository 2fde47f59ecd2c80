// The pictures of the N–M diagram and of the surface: the outline, the
// combinations in the colours of their verdicts and the ring of the selected
// one where the frames put them; the surface turned by its view; PNG that
// decodes to the picture and SVG that is XML with its title.
#include "report/NmDiagramDrawing.h"
#include "report/OffscreenGui.h"
#include "report/SurfaceDrawing.h"
#include "tests/engine/TestCases.h"

#include <QColor>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>

namespace flexara {
namespace {

const QColor Navy(0, 0, 128);
const QColor Red(255, 0, 0);

struct Fixture {
    Surface surface;
    CombinationList rows;
    CombinationCheck check;
};

// The 20 x 40 column, 9 levels, with a load well inside (-500; 20, 10) and
// one far outside (-800; 250, 0).
const Fixture& Column()
{
    static const Fixture fixture = [] {
        Fixture f;
        const auto column = testing::MakeColumn20x40();
        f.rows = {{"dentro", -500, 20, 10}, {"fora", -800, 250, 0}};
        DiagramStudy study = StudyDiagrams(*column, MaterialSelection{}, f.rows, 9, 2);
        f.surface = std::move(study.surface);
        f.check = std::move(study.check);
        return f;
    }();
    return fixture;
}

// Whether a pixel of the colour lies within `radius` pixels of at.
template <class Matches> bool Near(const QImage& image, QPointF at, int radius, Matches matches)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(static_cast<int>(std::lround(at.x())) + dx, static_cast<int>(std::lround(at.y())) + dy);
            if (image.rect().contains(p) && matches(image.pixelColor(p)))
                return true;
        }
    return false;
}

bool ColourNear(const QImage& image, QPointF at, const QColor& colour, int radius)
{
    return Near(image, at, radius, [&](const QColor& c) { return c == colour; });
}

// A thin red line, smoothed into the white around it: more red than white
// (and redder than the pale meridians).
bool RedLineNear(const QImage& image, QPointF at, int radius)
{
    return Near(image, at, radius,
                [](const QColor& c) { return c.red() >= 200 && c.green() <= 120 && c.blue() <= 120; });
}

TEST(CapacityDrawings, TheNmDiagramShowsItsOutlineAndTheLoadsInTheirColours)
{
    EnsureGuiApplication();
    const Fixture& f = Column();
    ASSERT_EQ(f.check.rows.size(), 2u);
    ASSERT_EQ(f.check.rows[0].status, CombinationStatus::Holds);
    ASSERT_EQ(f.check.rows[1].status, CombinationStatus::Fails);
    const NmDiagram diagram = DiagramAlong(f.surface, 0.0);
    NmPicture picture;
    picture.diagram = &diagram;
    picture.loads = LoadsOnDiagram(f.rows, f.check, 0.0);
    picture.selected = 1;
    const QImage image = NmImage(picture);
    const NmFrame frame = LayOutNmDiagram(QRectF(QPointF(0, 0), QSizeF(NmPictureSize)), picture);
    // Compression up: the squash end above the tension end.
    EXPECT_LT(frame.ToDevice(0, f.surface.squash.nd).y(), frame.ToDevice(0, f.surface.tension.nd).y());
    // The loads: navy inside, red outside, the selected one ringed in black.
    const QPointF inside = frame.ToDevice(picture.loads[0].onDiagram.m, -500);
    const QPointF outside = frame.ToDevice(250, -800);
    EXPECT_TRUE(ColourNear(image, inside, Navy, 1));
    EXPECT_TRUE(ColourNear(image, outside, Red, 1));
    EXPECT_TRUE(ColourNear(image, outside + QPointF(6 * frame.unit, 0), Qt::black, 2)) << "the ring";
    EXPECT_FALSE(ColourNear(image, inside + QPointF(6 * frame.unit, 0), Qt::black, 1)) << "no ring";
    // The outline through the middle of a level's reading, on both sides.
    const NmLevel& level = diagram.levels[4];
    EXPECT_TRUE(RedLineNear(image, frame.ToDevice(*level.along, level.nd), 1));
    EXPECT_TRUE(RedLineNear(image, frame.ToDevice(*level.opposite, level.nd), 1));
}

TEST(CapacityDrawings, TheSurfaceShowsItsLevelsAndLoadsFromTheView)
{
    EnsureGuiApplication();
    const Fixture& f = Column();
    SurfacePicture picture;
    picture.surface = &f.surface;
    picture.loads = LoadsOnDiagram(f.rows, f.check, 0.0);
    picture.selected = 0;
    const QImage image = SurfaceImage(picture);
    const SurfaceFrame frame = LayOutSurface(QRectF(QPointF(0, 0), QSizeF(SurfacePictureSize)), picture);
    EXPECT_TRUE(ColourNear(image, frame.ToDevice(20, 10, -500), Navy, 1));
    EXPECT_TRUE(ColourNear(image, frame.ToDevice(250, 0, -800), Red, 1));
    EXPECT_TRUE(ColourNear(image, frame.ToDevice(20, 10, -500) + QPointF(6.5 * frame.unit, 0), Qt::black, 2));
    // A point of a level curve halfway between two meridians.
    const SurfaceLevel& level = f.surface.levels[4];
    const Point p = level.ring[2];
    EXPECT_TRUE(RedLineNear(image, frame.ToDevice(p.x, p.y, level.nd), 1));
    // Another view, another picture, and the level's point where it says.
    SurfacePicture turned = picture;
    turned.view = TurnedView(picture.view, 120, 40);
    const QImage other = SurfaceImage(turned);
    EXPECT_NE(other, image);
    const SurfaceFrame turnedFrame = LayOutSurface(QRectF(QPointF(0, 0), QSizeF(SurfacePictureSize)), turned);
    EXPECT_TRUE(RedLineNear(other, turnedFrame.ToDevice(p.x, p.y, level.nd), 1));
}

TEST(CapacityDrawings, BothPicturesGoOutAsPngAndSvg)
{
    EnsureGuiApplication();
    const Fixture& f = Column();
    const NmDiagram diagram = DiagramAlong(f.surface, 0.7);
    NmPicture nm;
    nm.diagram = &diagram;
    SurfacePicture surface;
    surface.surface = &f.surface;
    struct Case {
        const char* title;
        QByteArray png;
        QByteArray svg;
        QSize size;
    };
    for (const Case& c : {Case{"Diagrama N–M", NmPng(nm), NmSvg(nm), NmPictureSize},
                          Case{"Superfície N–Mx–My", SurfacePng(surface), SurfaceSvg(surface), SurfacePictureSize}}) {
        SCOPED_TRACE(c.title);
        const QImage decoded = QImage::fromData(c.png, "PNG");
        EXPECT_EQ(decoded.size(), c.size);
        QXmlStreamReader xml(c.svg);
        QString title;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QStringLiteral("title"))
                title = xml.readElementText();
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(title, QString::fromUtf8(c.title));
    }
}

TEST(CapacityDrawings, TheMomentAxisNamesItsDirection)
{
    struct Case {
        double angle;
        const char* title;
    };
    for (const Case& c :
         {Case{0.0, "Md na direção φ = 0,0° (kN.m)"}, Case{0.3217505543966422, "Md na direção φ = 18,4° (kN.m)"},
          Case{-1.5707963267948966, "Md na direção φ = -90,0° (kN.m)"}}) {
        EXPECT_EQ(NmMomentAxisTitle(c.angle), QString::fromUtf8(c.title));
    }
    EXPECT_EQ(NmAxialAxisTitle(), QStringLiteral("Nd (kN), compressão negativa para cima"));
}

} // namespace
} // namespace flexara
