// The interaction chart drawn with QPainter as the window shows it: the title
// "Diagrama de Interação", the axes "Mxd (kN.m)" and "Myd (kN.m)" with their
// labels and grid, the curve in red, the design point in navy, the notice when
// Nd lies out of range, and the utilisation in the corner. The report, the
// window's pictures of the chart and the batch tool all draw it here, in
// vector form on any paint device.
#pragma once

#include "engine/diagrams/ChartScale.h"
#include "engine/study/CaseCurve.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

namespace flexara {

// Where the chart puts what, for an area of the device.
struct ChartFrame {
    QRectF area;
    QRectF plot; // the white plot area inside the axes
    ChartAxes axes;
    // The device point of a moment pair (kN·m).
    QPointF ToDevice(double mx, double my) const;
    // The size of a pixel of the window's chart on this frame: fonts, lines
    // and marks grow with the area, so that every size looks the same.
    double unit = 1.0;
};

// Lays the chart out in the area: the axes to the curve and the design point
// (or the notice), the plot inside the titles and labels.
ChartFrame LayOutChart(const QRectF& area, const CaseCurve& curve);

void DrawChart(QPainter& painter, const QRectF& area, const CaseCurve& curve);

// The chart alone, as a picture of the given size (white background) and as
// SVG; the sizes are those of the window's chart unless given.
inline constexpr QSize ChartPictureSize(614, 598);
QImage ChartImage(const CaseCurve& curve, QSize size = ChartPictureSize);
QByteArray ChartPng(const CaseCurve& curve, QSize size = ChartPictureSize);
QByteArray ChartSvg(const CaseCurve& curve, QSize size = ChartPictureSize);

} // namespace flexara
