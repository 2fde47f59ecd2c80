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

// A decimal number written with "." (sign, digits, optional exponent), checked
// by the caller, converted to the nearest double. A number beyond the largest
// double but not beyond 1.79769313486232E+308, the 15-digit rounding of that
// largest double, is the largest double: that is what the 15-digit texts of the
// fields and of the project file write for it, and they must read back.
bool DecimalToDouble(const std::string& text, double& value);

// The first `significant` decimal digits of |value| (finite, not 0), rounded
// half up, and the decimal exponent of the first digit.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};
DecimalDigits SignificantDigitsHalfUp(double value, int significant);

// The shortest text, with ".", that reads back to the same double ("0.1",
// "90.29819633859462", "1e+300").
std::string ShortestReal(double value);

// value with `decimals` digits after a "." rounded half up, as "%.2f" would
// write it but for the ties: 1.125 gives "1.13".
std::string FixedHalfUp(double value, int decimals);

// value with `decimals` digits after a decimal comma, ties rounded up, and
// without the sign of a value that rounds to zero ("21,43", "0,00"). A value
// of engineeringFrom or more in size goes in the program's engineering
// notation, two significant digits and a signed three-digit exponent
// ("1,0E+308", "-1,7E+007"): its digits would say nothing more, and cut short
// they would read as another number.
std::string DecimalCommaText(double value, int decimals, double engineeringFrom);
// Where the report's tables go over to engineering notation, and where the
// column's details and messages do.
constexpr double TableEngineeringFrom = 1e15;
constexpr double MessageEngineeringFrom = 1e6;

} // namespace flexara
