// The section drawn with its detailing: the stirrup's outer face at the cover
// from the outline, its bends round, the supplementary ties across the
// section, probed in pixels at coordinates worked by hand; and the section
// without detailing as it was.
#include "engine/design/Design.h"
#include "engine/design/Detailing.h"
#include "report/OffscreenGui.h"
#include "report/SectionDrawing.h"
#include "tests/engine/TestCases.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace flexara {
namespace {

using testing::MakeRectangleCase;

// 10 device pixels per mm on a 100 × 140 mm area: the 20 × 40 section has
// 100 − 11 = 89 mm by 140 − 11 − 6 − 5 = 118 mm for it (the room of the
// dimensions, the scale and the caption), and 1:2,5 would be 160 mm high:
// 1:5, 1 cm = 2 mm = 20 pixels.
constexpr double MmToDevice = 10.0;
const QRectF Area(0, 0, 1000, 1400);

// The 20 × 40 column with φ16 at c + φt + φ/2 = 3,0 + 0,5 + 0,8 = 4,3 cm from
// the faces: four in the corners and, with middle, two at mid-height.
std::unique_ptr<AnalysisState> Column(bool middle)
{
    std::vector<testing::LineSpec> lines = {{2, 16, 4.3, 4.3, 15.7, 4.3}, {2, 16, 4.3, 35.7, 15.7, 35.7}};
    if (middle)
        lines.push_back({2, 16, 4.3, 20, 15.7, 20});
    return MakeRectangleCase(20, 40, lines);
}

// Class II (c = 3,0 cm), φt 5 mm, stirrups every 12 cm.
Detailing ClassTwo()
{
    Detailing d;
    d.environment = EnvironmentClass::II;
    d.stirrupDiameter = 5.0;
    d.stirrupSpacing = 12.0;
    return d;
}

DetailingCheck Check(const AnalysisState& s, const Detailing& d)
{
    return CheckDetailing(s, d, SteelLimitsOf(s, MaterialSelection{}, {}), 20.0, 1);
}

QImage Draw(const AnalysisState& s, const DetailingCheck* check, const Detailing* detailing)
{
    QImage image(Area.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawSection(painter, Area, MmToDevice, s, check, detailing);
    painter.end();
    return image;
}

struct Probe {
    const char* what;
    double x, y; // cm, in the section's coordinates
    bool stirrup;
};

bool StirrupAt(const QImage& image, const SectionFrame& frame, double x, double y)
{
    return image.pixelColor(frame.ToDevice(x, y).toPoint()) == StirrupColour;
}

const QColor Concrete(215, 215, 215);

TEST(DetailingDrawing, TheStirrupStandsAtTheCoverWithRoundBends)
{
    EnsureGuiApplication();
    const auto s = Column(false);
    const Detailing d = ClassTwo();
    const DetailingCheck check = Check(*s, d);
    ASSERT_EQ(check.Ties(), 0);
    const QImage image = Draw(*s, &check, &d);
    const SectionFrame frame = LayOutSection(Area, MmToDevice, *s, true);
    ASSERT_EQ(frame.scale, 5);
    ASSERT_DOUBLE_EQ(frame.cmToDevice, 20.0);
    // The frame is where the outline is drawn: concrete just inside the left
    // face, paper just outside it.
    EXPECT_EQ(image.pixelColor(frame.ToDevice(0.25, 12).toPoint()), Concrete);
    EXPECT_EQ(image.pixelColor(frame.ToDevice(-0.25, 12).toPoint()), QColor(Qt::white));
    // The legs: outer face at c = 3,0 cm, inner at c + φt = 3,5 cm from each
    // face; a quarter of a centimetre (5 pixels) either side of the band is
    // concrete. The bend's inner radius is 1,5·φt = 0,75 cm, its outer one
    // 1,25 cm, about (20 − 4,25; 40 − 4,25) = (15,75; 35,75) at the top
    // right: 1,0 cm from it along the diagonal is stirrup, while the square
    // corner (17; 37), 1,77 cm from it, is concrete.
    const double diagonal = 1.0 / std::sqrt(2.0);
    const Probe probes[] = {
        {"left leg", 3.25, 12, true},
        {"outside the left leg", 2.75, 12, false},
        {"inside the left leg", 3.75, 12, false},
        {"bottom leg", 10, 3.25, true},
        {"outside the bottom leg", 10, 2.75, false},
        {"inside the bottom leg", 10, 3.75, false},
        {"right leg", 16.75, 28, true},
        {"top leg", 10, 36.75, true},
        {"outside the top leg", 10, 37.25, false},
        {"the bend", 15.75 + diagonal, 35.75 + diagonal, true},
        {"the square corner", 16.9, 36.9, false},
        {"no tie without tied bars", 10, 20, false},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(StirrupAt(image, frame, p.x, p.y), p.stirrup);
        if (!p.stirrup) {
            EXPECT_EQ(image.pixelColor(frame.ToDevice(p.x, p.y).toPoint()), Concrete);
        }
    }
    // The bars over the stirrup, black at their centres.
    EXPECT_EQ(image.pixelColor(frame.ToDevice(4.3, 4.3).toPoint()), QColor(Qt::black));
}

// The two bars at mid-height stand 15,7 cm from the corner bars, beyond
// 20·φt = 10 cm: each needs a tie (18.2.4). The tie runs square to the side
// faces at y = 20, from the left leg's outer face (x = 3,0) to the right's
// (x = 17,0), and its hook's straight end leaves (3,0; 20) at 45° towards +y,
// max(5·φt, 5 cm) = 5 cm long.
TEST(DetailingDrawing, EachTiedBarGetsATieAcrossTheSection)
{
    EnsureGuiApplication();
    const auto s = Column(true);
    const Detailing d = ClassTwo();
    const DetailingCheck check = Check(*s, d);
    ASSERT_EQ(check.Ties(), 2);
    const QImage image = Draw(*s, &check, &d);
    const SectionFrame frame = LayOutSection(Area, MmToDevice, *s, true);
    const double along = 2.5 / std::sqrt(2.0);
    const Probe probes[] = {
        {"the tie at mid-width", 10, 20, true},
        {"the tie between the left bar and mid-width", 6, 20, true},
        {"above the tie", 10, 20.5, false},
        {"beyond the right leg", 17.5, 20, false},
        {"halfway along the hook", 3.0 + along, 20 + along, true},
        {"past the hook's end", 3.0 + 4.0, 20 + 4.0, false},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(StirrupAt(image, frame, p.x, p.y), p.stirrup);
    }
}

// An outline too narrow for the stirrup: the centres of its bends would lie
// c + φt + 1,5·φt = 3,0 + 0,5 + 0,75 = 4,25 cm in from each face, past the
// middle of an 8 cm width, and the offset turns over. No stirrup is drawn
// rather than a crossed one.
TEST(DetailingDrawing, NoStirrupWhereItDoesNotFit)
{
    EnsureGuiApplication();
    const auto s = MakeRectangleCase(8, 40, {{2, 10, 4, 4, 4, 36}});
    const Detailing d = ClassTwo();
    const DetailingCheck check = Check(*s, d);
    const QImage image = Draw(*s, &check, &d);
    int stirrup = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            stirrup += image.pixelColor(x, y) == StirrupColour ? 1 : 0;
    EXPECT_EQ(stirrup, 0);
    // 9 cm is wide enough: 4,5 > 4,25.
    const auto wider = MakeRectangleCase(9, 40, {{2, 10, 4.5, 4, 4.5, 36}});
    const DetailingCheck widerCheck = Check(*wider, d);
    const SectionFrame frame = LayOutSection(Area, MmToDevice, *wider, true);
    EXPECT_TRUE(StirrupAt(Draw(*wider, &widerCheck, &d), frame, 3.25, 12));
}

// Without detailing, the section as it was drawn: the same pixels whether the
// check is given alone or not at all, and no stirrup colour anywhere.
TEST(DetailingDrawing, WithoutDetailingTheSectionAlone)
{
    EnsureGuiApplication();
    const auto s = Column(true);
    const Detailing d = ClassTwo();
    const DetailingCheck check = Check(*s, d);
    const QImage plain = Draw(*s, nullptr, nullptr);
    EXPECT_EQ(Draw(*s, &check, nullptr), plain);
    EXPECT_NE(Draw(*s, &check, &d), plain);
    bool stirrup = false;
    for (int y = 0; y < plain.height() && !stirrup; y += 2)
        for (int x = 0; x < plain.width() && !stirrup; x += 2)
            stirrup = plain.pixelColor(x, y) == StirrupColour;
    EXPECT_FALSE(stirrup);
    // The caption's text, worked from the data: c = 3,0 cm, φt 5 mm typed, st
    // 12 cm typed, two ties.
    EXPECT_EQ(DetailingCaption(check, d), QStringLiteral("c = 3,0 cm; estribo φ 5 mm a cada 12 cm; 2 estribos "
                                                         "suplementares"));
    Detailing automatic = d;
    automatic.stirrupDiameter.reset();
    automatic.stirrupSpacing.reset();
    // φ16: φt = max(5, 16/4) = 5 mm; st = ⌊min(20, 20, 12·1,6)⌋ = 19 cm.
    EXPECT_EQ(DetailingCaption(Check(*Column(false), automatic), automatic),
              QStringLiteral("c = 3,0 cm; estribo φ 5 mm (automático) a cada 19 cm (proposto); sem estribos "
                             "suplementares"));
}

} // namespace
} // namespace flexara
