// One input of the project-file fuzzer: arbitrary bytes through the reader and
// the headless loader, then the generation of whatever case they leave.
#pragma once

#include <cstddef>
#include <cstdint>

namespace flexara {
int FuzzProjectFile(const std::uint8_t* data, std::size_t size);
}
