#include "cli/Json.h"

#include "engine/NumberText.h"

#include <cmath>

namespace flexara {

namespace {

// Strings as the library escapes them; a byte that is not UTF-8 (which the
// readers never let through) would become U+FFFD rather than stop the report.
std::string Scalar(const JsonDocument& value)
{
    if (value.is_number_float()) {
        const double real = value.get<double>();
        return std::isfinite(real) ? ShortestReal(real) : std::string("null");
    }
    return value.dump(-1, ' ', false, nlohmann::detail::error_handler_t::replace);
}

std::string Inline(const JsonDocument& value)
{
    if (value.is_object()) {
        std::string out = "{";
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            out += (first ? "" : ", ") + Scalar(JsonDocument(key)) + ": " + Inline(member);
            first = false;
        }
        return out + "}";
    }
    if (value.is_array()) {
        std::string out = "[";
        for (std::size_t i = 0; i < value.size(); ++i)
            out += (i ? ", " : "") + Inline(value[i]);
        return out + "]";
    }
    return Scalar(value);
}

// A list of lists or of objects (the curve's points, the rows of a check)
// goes one element per line.
bool OneElementPerLine(const JsonDocument& value)
{
    return value.is_array() && !value.empty() && (value.front().is_array() || value.front().is_object());
}

} // namespace

JsonDocument JsonReal(double value)
{
    return std::isfinite(value) ? JsonDocument(value) : JsonDocument(nullptr);
}

JsonDocument JsonReal(const std::optional<double>& value)
{
    return value ? JsonReal(*value) : JsonDocument(nullptr);
}

std::string JsonText(const JsonDocument& document)
{
    if (!document.is_object())
        return Inline(document) + "\n";
    std::string out = "{\n";
    std::size_t left = document.size();
    for (const auto& [key, member] : document.items()) {
        out += "  " + Scalar(JsonDocument(key)) + ": ";
        if (OneElementPerLine(member)) {
            out += "[";
            for (std::size_t i = 0; i < member.size(); ++i)
                out += (i ? ",\n    " : "\n    ") + Inline(member[i]);
            out += "\n  ]";
        } else {
            out += Inline(member);
        }
        out += --left ? ",\n" : "\n";
    }
    return out + "}\n";
}

} // namespace flexara
