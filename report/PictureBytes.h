// A drawing as a picture: a white image of a size, its PNG bytes, and the
// same drawing as SVG, for the pictures of the N–M diagram and the surface.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace flexara {

using DrawInArea = std::function<void(QPainter&, const QRectF&)>;

QImage PictureImage(QSize size, const DrawInArea& draw);
QByteArray PngBytes(const QImage& image);
QByteArray SvgBytes(QSize size, const QString& title, const DrawInArea& draw);

} // namespace flexara
