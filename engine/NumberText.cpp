#include "engine/NumberText.h"

#include "engine/Faults.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace flexara {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

#ifdef _WIN32
// The Windows runtime's C locale object and its strtod. It has no strtold
// with a locale; its strtold reads the runtime's locale, which stays "C" in
// this program (nothing calls setlocale on Windows).
using locale_t = _locale_t;

locale_t CLocale()
{
    static const locale_t cLocale = _create_locale(LC_ALL, "C");
    return cLocale;
}

double strtod_l(const char* text, char** end, locale_t locale)
{
    return _strtod_l(text, end, locale);
}

long double strtold_l(const char* text, char** end, locale_t)
{
    return std::strtold(text, end);
}
#else
locale_t CLocale()
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return cLocale;
}
#endif

// Adds one unit in the last place of a string of decimal digits; true when the
// carry ran out of the first digit ("999" becomes "000").
bool IncrementDigits(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

} // namespace

std::string ShortestReal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool DecimalToDouble(const std::string& text, double& value)
{
    // Reading a number is no arithmetic of the case: the overflow or underflow
    // of a conversion leaves the floating-point flags as they were.
    const std::fexcept_t flags = KeptFpFlags();
    char* end = nullptr;
    // strtod in the C locale, whatever locale the program runs in.
    const double parsed = strtod_l(text.c_str(), &end, CLocale());
    bool converted = end != nullptr && *end == '\0';
    if (converted && std::isfinite(parsed)) {
        value = parsed;
    } else if (converted) {
        // Beyond the double range: within the 15 digits of the largest double or not.
        const long double wide = strtold_l(text.c_str(), &end, CLocale());
        converted = std::fabs(wide) <= 1.79769313486232e308L;
        if (converted)
            value = wide < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    RestoreFpFlags(flags);
    return converted;
}

DecimalDigits SignificantDigitsHalfUp(double value, int significant)
{
    // The exact decimal expansion of the double (glibc prints every digit asked
    // for; 767 significant digits hold any double), cut and rounded half up.
    char exact[820];
    std::snprintf(exact, sizeof exact, "%.780e", std::fabs(value));
    DecimalDigits out;
    out.digits += exact[0];
    out.digits.append(exact + 2, static_cast<std::size_t>(significant - 1));
    out.exponent = std::atoi(std::strchr(exact, 'e') + 1);
    if (exact[significant + 1] >= '5' && IncrementDigits(out.digits)) {
        out.digits[0] = '1';
        ++out.exponent;
    }
    return out;
}

std::string FixedHalfUp(double value, int decimals)
{
    // Exact: a double has at most 1074 digits after the point and 309 before it.
    char exact[1500];
    std::snprintf(exact, sizeof exact, "%.1080f", std::fabs(value));
    const char* point = std::strchr(exact, '.');
    std::string digits(static_cast<const char*>(exact), point);
    digits.append(point + 1, static_cast<std::size_t>(decimals));
    if (point[1 + decimals] >= '5' && IncrementDigits(digits))
        digits.insert(digits.begin(), '1');
    const std::size_t split = digits.size() - static_cast<std::size_t>(decimals);
    std::string out = std::signbit(value) ? "-" : "";
    out += digits.substr(0, split);
    if (decimals > 0)
        out += "." + digits.substr(split);
    return out;
}

std::string DecimalCommaText(double value, int decimals, double engineeringFrom)
{
    if (std::isfinite(value) && std::fabs(value) >= engineeringFrom) {
        const DecimalDigits digits = SignificantDigitsHalfUp(value, 2);
        // A double's decimal exponent has three digits at most.
        std::string exponent = std::to_string(std::abs(digits.exponent));
        exponent.insert(0, 3 - std::min<std::size_t>(exponent.size(), 3), '0');
        return std::string(value < 0 ? "-" : "") + digits.digits[0] + "," + digits.digits[1] + "E" +
               (digits.exponent < 0 ? "-" : "+") + exponent;
    }
    std::string text = FixedHalfUp(value, decimals);
    bool nonZero = false;
    for (char& c : text) {
        if (c == '.')
            c = ',';
        nonZero = nonZero || (c >= '1' && c <= '9');
    }
    // A value that rounds to zero is written without its sign.
    if (!nonZero && !text.empty() && text.front() == '-')
        text.erase(0, 1);
    return text;
}

std::string FormatGeneral(double value)
{
    if (value == 0.0)
        return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string out;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        out += (*p == '.') ? ',' : *p;
    if (*p == 'e') {
        ++p;
        out += 'E';
        if (*p == '-')
            out += '-';
        if (*p == '-' || *p == '+')
            ++p;
        while (*p == '0' && p[1] != '\0')
            ++p;
        out += p;
    }
    return out;
}

bool ParseReal(std::string_view text, double& value)
{
    text = Trim(text);
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        normal += text[i++];
    int digits = 0;
    bool comma = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++digits;
            normal += text[i];
        } else if (text[i] == ',' && !comma) {
            comma = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
            normal += text[i];
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    return DecimalToDouble(normal, value);
}

bool ParseInteger(std::string_view text, std::int32_t& value)
{
    text = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN)
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

double ThroughFieldText(double value)
{
    double reread = 0.0;
    return ParseReal(FormatGeneral(value), reread) ? reread : 0.0;
}

} // namespace flexara
