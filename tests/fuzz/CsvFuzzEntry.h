// One input of the fuzzer of the text a user brings in: arbitrary bytes read
// as a CSV file of load combinations and as a paste. What reads comes out as
// UTF-8 only, its rows go through the CSV writer, a project file and the
// batch tool's JSON and read back the same.
#pragma once

#include <cstddef>
#include <cstdint>

namespace flexara {
int FuzzCombinationsText(const std::uint8_t* data, std::size_t size);
}
