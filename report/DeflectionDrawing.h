// The bar of one bending solved by the general method, drawn with QPainter:
// the title "Deformada e momentos" and what it is of, the deflected shape
// u(z) on the left ("Deformada") and the moments on the right ("Momentos"),
// the first-order M1(z) dashed in blue and M(z) in red with the station of
// Md,tot marked; z upward from the base, as the column stands. The details of
// the window, the page of the diagrams and the record draw it here, with the
// table of the stations beside it.
#pragma once

#include "engine/column/SlenderData.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

namespace flexara {

struct DeflectionPicture {
    const GeneralSolution* bar = nullptr; // none: the frame and a notice
    double length = 0.0;                  // the bar's, cm
    QString subtitle;                     // "Mxd, Nd = -800,00 kN"
};

inline constexpr const char* DeflectionTitle = "Deformada e momentos";
inline constexpr const char* DeflectionShapeTitle = "Deformada";
inline constexpr const char* DeflectionMomentTitle = "Momentos";
QString DeflectionHeightAxisTitle(); // "z (cm)"
QString DeflectionAxisTitle();       // "u (cm)"
QString DeflectionMomentAxisTitle(); // "M (kN·m)"

// The table of the stations: its captions (z, M1, u, M, 1/r with their
// units) and one row per station from the base, in the report's decimals.
QStringList GeneralStationCaptions();
std::vector<QStringList> GeneralStationRows(const GeneralSolution& bar);

// Where Md,tot is, for the caption of a picture: "Md,tot = 31,52 kN·m em
// z = 433,0 cm"; empty for a bar without a standing shape.
QString GeneralMdTotText(const GeneralSolution& bar);

void DrawDeflectionPicture(QPainter& painter, const QRectF& area, const DeflectionPicture& picture);

inline constexpr QSize DeflectionPictureSize(614, 480);
QImage DeflectionImage(const DeflectionPicture& picture, QSize size = DeflectionPictureSize);
QByteArray DeflectionPng(const DeflectionPicture& picture, QSize size = DeflectionPictureSize);
QByteArray DeflectionSvg(const DeflectionPicture& picture, QSize size = DeflectionPictureSize);

} // namespace flexara
