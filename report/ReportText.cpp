#include "report/ReportText.h"

#include "engine/Capacity.h"
#include "engine/NumberText.h"

#include <QRegularExpression>

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
    QString text = QString::fromStdString(FixedHalfUp(value, decimals));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    // A value that rounds to zero is written without its sign.
    if (text.startsWith(QLatin1Char('-')) && !text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.remove(0, 1);
    return text;
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

} // namespace flexara
