// libFuzzer entry of the project-file reader.
#include "tests/fuzz/ReaderFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return flexara::FuzzProjectFile(data, size);
}
