// The number text of every field of the window and its dialogs: Brazilian
// Portuguese whatever the system locale ("12,5"; "2.5" and "" do not convert).
#pragma once

#include <QString>

#include <cstdint>

namespace flexara {

QString FormatField(double value);
bool ParseField(const QString& text, double& value);
bool ParseFieldInteger(const QString& text, std::int32_t& value);

} // namespace flexara
