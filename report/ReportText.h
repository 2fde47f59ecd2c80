// The texts the report and the chart write: numbers the Brazilian way with a
// fixed number of decimals ("21,43"), and the utilisation of a design point as
// the chart's corner shows it ("η = 0,60", "fora").
#pragma once

#include "engine/UVariav.h"

#include <QFont>
#include <QString>

#include <optional>
#include <span>

namespace flexara {

// The face of everything the report draws, at a size in device pixels.
QFont ReportFont(double pixels, bool bold = false);

// value with `decimals` digits after a decimal comma, ties rounded up.
QString Decimal(double value, int decimals);

// "η = 0,60" inside the curve, "fora" outside it; empty without a design
// point, without a curve, or where the origin is not inside the curve.
QString UtilisationCornerText(std::span<const Point> curve, std::optional<Point> designPoint);

} // namespace flexara
