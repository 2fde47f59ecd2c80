#include "NumberText.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// strtod in the C locale, whatever locale the program runs in.
double StrtodC(const char* text, char** end)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, end, cLocale);
}

} // namespace

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
    char* end = nullptr;
    errno = 0;
    const double parsed = StrtodC(normal.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
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
