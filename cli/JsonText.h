// JSON text of the batch tool's reports: strings escaped, and reals that read
// back to the same double, null for what is not finite (JSON has no infinity).
#pragma once

#include "engine/NumberText.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace flexara {

inline std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string JsonNumber(double value)
{
    return std::isfinite(value) ? ShortestReal(value) : std::string("null");
}

} // namespace flexara
