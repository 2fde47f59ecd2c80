// One input of the project-file fuzzer: arbitrary bytes through the reader and
// the headless loader; the case they leave written and read back to the same
// file; its generation and the batch tool's reports (valid JSON, nothing
// infinite, the chart drawn as SVG on the offscreen platform); and the
// chart's axes for two doubles taken from the bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace flexara {
int FuzzProjectFile(const std::uint8_t* data, std::size_t size);
}
