// The frame of the report's x–y plots (the N–M diagram, the M–N–1/r curve):
// where the plot goes in a picture, and its grid, labels, border and the
// titles of both axes.
#pragma once

#include "engine/diagrams/ChartScale.h"

#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

namespace flexara {

// Sizes in pixels of a picture 307 pixels wide, as the window's chart.
inline constexpr double PlotBaseWidth = 307.0;
inline constexpr double PlotTitlePixels = 11.0;
inline constexpr double PlotLabelPixels = 11.0;

QString AxisLabel(const AxisScale& scale, double value);

// The extent of the points a plot shows, and its axes: scaled to the points,
// or the notice's square where there are none.
class PlotBounds {
public:
    void Take(double x, double y);
    ChartAxes Axes() const;

private:
    double xLow = 0.0, xHigh = 0.0, yLow = 0.0, yHigh = 0.0;
    bool any = false;
};

// A point (x, y) in the axes' units on the plot: x to the right, y upwards,
// or downwards from the top where lowAtTop.
QPointF PlotPoint(const QRectF& plot, const ChartAxes& axes, double x, double y, bool lowAtTop = false);

// The plot in area for axes, under titleLines lines of title; u is the
// drawing's unit.
QRectF LayOutPlot(const QRectF& area, double u, const ChartAxes& axes, int titleLines);

// The grid at every label of both axes, the labels, the border and the axes'
// titles; toDevice takes a point in the axes' units to the device. The label
// font stays set on the painter.
void DrawPlotFrame(QPainter& painter, const QRectF& area, const QRectF& plot, const ChartAxes& axes, double u,
                   const std::function<QPointF(double, double)>& toDevice, const QString& xTitle,
                   const QString& yTitle);

} // namespace flexara
