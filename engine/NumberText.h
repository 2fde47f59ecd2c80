// Number text of the window's fields: Brazilian Portuguese whatever the system
// locale. A comma separates the decimals, no group separators are accepted or
// written, and numbers are shown in the shortest general form with up to 15
// significant digits ("30", "12,5", "1,4", "1,5E-7").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace flexara {

// The general form of a finite value with up to 15 significant digits.
std::string FormatGeneral(double value);

// A decimal number with an optional sign, digits with at most one decimal comma
// and an optional exponent ("E" or "e", optional sign, digits). Blanks around
// the number are allowed; an empty text, a point, group separators and values
// beyond the range of a double do not convert.
bool ParseReal(std::string_view text, double& value);

// An optionally signed decimal integer within the 32-bit range.
bool ParseInteger(std::string_view text, std::int32_t& value);

// What a field stores after showing a value: the value re-read from its text.
double ThroughFieldText(double value);

} // namespace flexara
