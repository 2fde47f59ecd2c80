// The texts the report and the chart write: numbers the Brazilian way with a
// fixed number of decimals ("21,43"), and the utilisation of a design point as
// the chart's corner shows it ("η = 0,60", "fora").
#pragma once

#include "engine/case/UVariav.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>
#include <span>

namespace flexara {

// The face of everything the report draws, at a size in device pixels.
QFont ReportFont(double pixels, bool bold = false);

// The plot of a chart in area: right of the y axis's title and widest label
// (widestLabel), under the chart's title (titleHeight), above the x axis's
// labels and title, each labelHeight high; u is the drawing's unit.
QRectF PlotArea(const QRectF& area, double u, double labelHeight, double widestLabel, double titleHeight);

// value with `decimals` digits after a decimal comma, ties rounded up. A value
// of 1e15 or more in size is written as "1,0E+308": its digits would not fit a
// column, and cut short they would read as another number.
QString Decimal(double value, int decimals);

// A name typed by the user as the report can print it: a character that no
// installed font draws (an emoji without an emoji font) becomes a visible
// "?", never an empty box; the rest (CJK from the Noto fonts) is kept.
QString PrintableText(const QString& text);

// "η = 0,60" inside the curve, "fora" outside it; empty without a design
// point, without a curve, or where the origin is not inside the curve.
QString UtilisationCornerText(std::span<const Point> curve, std::optional<Point> designPoint);

} // namespace flexara
