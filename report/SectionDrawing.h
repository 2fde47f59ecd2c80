// The section of the report: the outline and its bars to scale, each bar with
// its own diameter, the overall width and height dimensioned in cm, and the
// scale written under it (1:5, 1:10, 1:20, ...: the largest drawing of a
// standard scale that fits the area).
//
// With the detailing of the bars (a DetailingCheck and the data it was read
// with) the arrangement is drawn as it would be built, to the same scale:
// - the stirrup, its outer face at the cover c from every face and its
//   thickness φt. Its bends at the convex corners are round, the inner radius
//   half the mandrel of table 9.2 for stirrups (3·φt up to 10 mm, 5·φt below
//   20 mm, 8·φt from 20 mm: the CA-50 values); re-entrant corners stay
//   sharp. A convex outline gets one closed stirrup; any other outline gets
//   each face offset by c, the offsets meeting where their lines meet, which
//   marks the legs at the cover and not how the stirrups are split (an L or a
//   T takes several, not drawn). A box's outer faces and its hole's are
//   offset apart (the slit between them is no face). Where the offset does
//   not fit the outline (its faces would turn over or cross), no stirrup.
// - each supplementary tie: a straight bar of φt through the tied bar's
//   centre, across the section along the normal of the face nearest that bar,
//   from the stirrup's outer face on that side to the first outer face it
//   meets beyond; at each end the straight end of a 135° hook, 45° to the tie
//   and both towards the same side (up, or right for an upright tie),
//   max(5·φt, 5 cm) long (9.4.6.1).
// - a line under the scale: "c = 3,0 cm; estribo φ 5 mm a cada 12 cm;
//   2 estribos suplementares".
// Without detailing the drawing is the section alone, as it always was.
#pragma once

#include "engine/case/UVariav.h"
#include "engine/design/Detailing.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace flexara {

// The colour of the stirrup and of the ties.
inline const QColor StirrupColour{0, 70, 160};

// The standard scale 1:n for a section of the given extent (cm) in an area of
// the given size (mm).
int SectionScale(double widthCm, double heightCm, double areaWidthMm, double areaHeightMm);

// Where DrawSection puts the section in an area: the scale 1:n and the map
// from the section's coordinates (cm, y up) to the device (y down).
struct SectionFrame {
    int scale = 1;
    double cmToDevice = 1.0;
    double left = 0.0; // device x of the least x of the outline
    double top = 0.0;  // device y of the greatest y
    double minX = 0.0;
    double maxY = 0.0;
    QPointF ToDevice(double x, double y) const
    {
        return QPointF(left + (x - minX) * cmToDevice, top + (maxY - y) * cmToDevice);
    }
};
// withCaption leaves room under the scale for the detailing's line.
SectionFrame LayOutSection(const QRectF& area, double mmToDevice, const AnalysisState& state, bool withCaption);

// The detailing's line under the drawing.
QString DetailingCaption(const DetailingCheck& check, const Detailing& detailing);

// Draws the section in area, whose size is given in mm by mmToDevice device
// units per mm; with both check and detailing, their stirrup, ties and line
// as well. Returns the scale n of 1:n.
int DrawSection(QPainter& painter, const QRectF& area, double mmToDevice, const AnalysisState& state,
                const DetailingCheck* check = nullptr, const Detailing* detailing = nullptr);

} // namespace flexara
