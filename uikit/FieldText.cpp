#include "uikit/FieldText.h"

#include "engine/NumberText.h"

namespace flexara {

QString FormatField(double value)
{
    return QString::fromStdString(FormatGeneral(value));
}

bool ParseField(const QString& text, double& value)
{
    return ParseReal(text.toStdString(), value);
}

bool ParseFieldInteger(const QString& text, std::int32_t& value)
{
    return ParseInteger(text.toStdString(), value);
}

} // namespace flexara
