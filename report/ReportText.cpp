#include "report/ReportText.h"

#include "engine/NumberText.h"
#include "engine/section/Capacity.h"

#include <QFontDatabase>
#include <QRawFont>

#include <vector>

#include <algorithm>
#include <cmath>

namespace flexara {

QFont ReportFont(double pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

QString Decimal(double value, int decimals)
{
    return QString::fromStdString(DecimalCommaText(value, decimals, TableEngineeringFrom));
}

namespace {

// Whether some installed font has the character: the report's own face
// first, then every family (loaded once, the first time a name needs it).
bool SomeFontDraws(char32_t c)
{
    static const QRawFont own = QRawFont::fromFont(ReportFont(20));
    if (own.supportsCharacter(c))
        return true;
    static const std::vector<QRawFont> all = [] {
        std::vector<QRawFont> fonts;
        for (const QString& family : QFontDatabase::families()) {
            QFont font(family);
            font.setPixelSize(20);
            fonts.push_back(QRawFont::fromFont(font));
        }
        return fonts;
    }();
    return std::any_of(all.begin(), all.end(), [c](const QRawFont& font) { return font.supportsCharacter(c); });
}

} // namespace

QString PrintableText(const QString& text)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
        if (!control && (c < 0x80 || SomeFontDraws(c)))
            out += QString::fromUcs4(&c, 1);
        else
            out += QLatin1Char('?');
    }
    return out;
}

QString UtilisationCornerText(std::span<const Point> curve, std::optional<Point> designPoint)
{
    if (!designPoint || curve.size() < 3)
        return QString();
    const RayCapacity capacity = CapacityAlongRay(curve, *designPoint);
    if (!capacity.inside)
        return QStringLiteral("fora");
    if (!capacity.utilisation)
        return QString();
    return QStringLiteral("η = ") + Decimal(*capacity.utilisation, 2);
}

QRectF PlotArea(const QRectF& area, double u, double labelHeight, double widestLabel, double titleHeight)
{
    const double left = 4 * u + labelHeight + 4 * u + widestLabel + 6 * u;
    const double top = 4 * u + titleHeight + 6 * u;
    const double bottom = 5 * u + labelHeight + 3 * u + labelHeight + 4 * u;
    const double right = 10 * u;
    return QRectF(area.left() + left, area.top() + top, std::max(1.0, area.width() - left - right),
                  std::max(1.0, area.height() - top - bottom));
}

} // namespace flexara
