// The M–N–1/r relation of a bending at one Nd drawn with QPainter: the title
// "Diagrama M–N–1/r" and what it is of, the curvature 1/r across (1/km, the
// negative side's curve to the left, its moments below), the moment about
// the bending's axis upward; the deformation curve in red, the straight line
// AB of the secant stiffness in blue to point B, and MRd/γf3 as a dashed
// line. The window's page, the report and the batch tool draw it here.
#pragma once

#include "engine/diagrams/ChartScale.h"
#include "engine/section/MomentCurvature.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace flexara {

struct CurvaturePicture {
    const DeformationStudy* study = nullptr;
    QString subtitle; // "Mxd, Nd = -800,00 kN"
};

inline constexpr const char* CurvatureTitle = "Diagrama M–N–1/r";
// The curvature in 1/km (10⁻³/m) on the picture: whole-number labels.
inline constexpr double CurvaturePerKm = 1000.0;
QString CurvatureAxisTitle();       // "1/r (1/km)"
QString CurvatureMomentAxisTitle(); // "M (kN.m)"

// The axes of the picture: to both sides' curves and to ±MRd/γf3, with room.
ChartAxes ScaleCurvaturePicture(const CurvaturePicture& picture);

// Where the picture puts what in an area of a device.
struct CurvatureFrame {
    QRectF area;
    QRectF plot;
    ChartAxes axes; // x: 1/r in 1/km, y: M in kN·m
    double unit = 1.0;
    QPointF ToDevice(double curvaturePerKm, double moment) const;
};
CurvatureFrame LayOutCurvaturePicture(const QRectF& area, const CurvaturePicture& picture);

void DrawCurvaturePicture(QPainter& painter, const QRectF& area, const CurvaturePicture& picture);

inline constexpr QSize CurvaturePictureSize(614, 480);
QImage CurvatureImage(const CurvaturePicture& picture, QSize size = CurvaturePictureSize);
QByteArray CurvaturePng(const CurvaturePicture& picture, QSize size = CurvaturePictureSize);
QByteArray CurvatureSvg(const CurvaturePicture& picture, QSize size = CurvaturePictureSize);

} // namespace flexara
