// The window's pictures are JPEG files embedded as Qt resources; this decodes
// them with libjpeg into a QImage. A damaged or truncated picture gives a null
// image (or the part that could be read), never a crash.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace flexara {

QImage DecodeJpeg(const QByteArray& bytes);
// A picture of the resources, e.g. ":/pictures/sinais.jpg".
QImage LoadJpegResource(const QString& path);

} // namespace flexara
