// The example column examples/pilar-20x40.fxr (20 x 40 cm, four bars of
// 20 mm centred 4 cm from the faces) edited as text, for the tests of the
// design in the batch tool and in the window.
#pragma once

#include <string>
#include <utility>

namespace flexara::testing {

// The bars moved to 1,5 cm from the faces (x 1,5 and 18,5, y 1,5 and 38,5):
// circles up to 30 mm lie inside the outline, 32 and 40 mm stick out.
inline std::string WithBarsNearTheFaces(std::string text)
{
    const std::pair<const char*, const char*> moves[] = {{" 4.00000000000000E+0000", " 1.50000000000000E+0000"},
                                                         {" 1.60000000000000E+0001", " 1.85000000000000E+0001"},
                                                         {" 3.60000000000000E+0001", " 3.85000000000000E+0001"}};
    for (const auto& [from, to] : moves)
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, 23, to);
    return text;
}

// Both lines with no bar (a count of 0 before each diameter of 20 mm).
inline std::string WithoutBars(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n2\r\n 2.00000000000000E+0001\r\n")) != std::string::npos;)
        text.replace(at, 5, "\r\n0\r\n");
    return text;
}

} // namespace flexara::testing
