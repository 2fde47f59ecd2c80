// The section of the report: the outline and its bars to scale, each bar with
// its own diameter, the overall width and height dimensioned in cm, and the
// scale written under it (1:5, 1:10, 1:20, ...: the largest drawing of a
// standard scale that fits the area).
#pragma once

#include "engine/case/UVariav.h"

#include <QRectF>

class QPainter;

namespace flexara {

// The standard scale 1:n for a section of the given extent (cm) in an area of
// the given size (mm).
int SectionScale(double widthCm, double heightCm, double areaWidthMm, double areaHeightMm);

// Draws the section in area, whose size is given in mm by mmToDevice device
// units per mm. Returns the scale n of 1:n.
int DrawSection(QPainter& painter, const QRectF& area, double mmToDevice, const AnalysisState& state);

} // namespace flexara
