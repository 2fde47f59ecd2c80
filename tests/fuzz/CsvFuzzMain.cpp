// libFuzzer entry of the CSV and paste readers.
#include "tests/fuzz/CsvFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return flexara::FuzzCombinationsText(data, size);
}
