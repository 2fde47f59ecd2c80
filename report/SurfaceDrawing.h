// The N–Mx–My surface drawn with QPainter as a wireframe: the level curves in
// red and every few steps a meridian from the squash end to the tension end,
// seen in parallel projection from the view's two angles, with the axes of
// Mx, My and Nd (compression up) through the origin and the load
// combinations as points (navy inside the surface, red outside), the
// selected one ringed. The window's view and exports, the report and the
// batch tool draw it here.
#pragma once

#include "engine/diagrams/Surface.h"
#include "engine/diagrams/SurfaceView.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <vector>

class QPainter;

namespace flexara {

struct SurfacePicture {
    const Surface* surface = nullptr;
    std::vector<DiagramLoad> loads;
    int selected = -1; // index into loads, -1 for none
    SurfaceView view;
};

inline constexpr const char* SurfaceTitle = "Superfície N–Mx–My";
// Meridians drawn around a turn, at most.
inline constexpr int SurfaceMeridians = 24;

// Where the drawing puts what in an area of a device.
struct SurfaceFrame {
    QRectF area;
    QRectF plot;
    SurfaceBox box;
    SurfaceView view;
    double unit = 1.0;
    double scale = 1.0; // device units per box unit
    QPointF ToDevice(double mx, double my, double nd) const;
};
SurfaceFrame LayOutSurface(const QRectF& area, const SurfacePicture& picture);

void DrawSurface(QPainter& painter, const QRectF& area, const SurfacePicture& picture);

inline constexpr QSize SurfacePictureSize(614, 614);
QImage SurfaceImage(const SurfacePicture& picture, QSize size = SurfacePictureSize);
QByteArray SurfacePng(const SurfacePicture& picture, QSize size = SurfacePictureSize);
QByteArray SurfaceSvg(const SurfacePicture& picture, QSize size = SurfacePictureSize);

} // namespace flexara
