// The N–M diagram of a direction drawn with QPainter: the title "Diagrama
// N–M", the moment along the direction across (negative along the opposite
// one), Nd upward with compression (negative) at the top as in the textbooks,
// the closed outline in red and the load combinations as points (navy where
// they hold, red where they do not), the selected one ringed. The window's
// pictures and exports, the report and the batch tool draw it here.
#pragma once

#include "engine/diagrams/ChartScale.h"
#include "engine/diagrams/Surface.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace flexara {

struct NmPicture {
    const NmDiagram* diagram = nullptr;
    std::vector<DiagramLoad> loads;
    int selected = -1; // index into loads, -1 for none
};

// The words of the diagram's axes, the same on the window's chart.
QString DirectionText(double angle);     // "φ = 18,4°"
QString NmMomentAxisTitle(double angle); // "Md na direção φ = 18,4° (kN.m)"
QString NmAxialAxisTitle();              // "Nd (kN), compressão negativa para cima"
inline constexpr const char* NmTitle = "Diagrama N–M";

// The axes of the diagram: to its outline and the loads, with room.
ChartAxes ScaleNmDiagram(const NmPicture& picture);

// Where the diagram puts what in an area of a device.
struct NmFrame {
    QRectF area;
    QRectF plot;
    ChartAxes axes; // x: m, y: Nd
    double unit = 1.0;
    // Compression up: the low bound of Nd at the top of the plot.
    QPointF ToDevice(double m, double nd) const;
};
NmFrame LayOutNmDiagram(const QRectF& area, const NmPicture& picture);

void DrawNmDiagram(QPainter& painter, const QRectF& area, const NmPicture& picture);

inline constexpr QSize NmPictureSize(614, 680);
QImage NmImage(const NmPicture& picture, QSize size = NmPictureSize);
QByteArray NmPng(const NmPicture& picture, QSize size = NmPictureSize);
QByteArray NmSvg(const NmPicture& picture, QSize size = NmPictureSize);

} // namespace flexara
