// Every input the fuzzer kept is read again on every test run.
#include "tests/fuzz/ReaderFuzzEntry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace flexara {
namespace {

TEST(FuzzCorpus, EveryKeptInputReadsWithoutFault)
{
    const std::filesystem::path corpus = std::filesystem::path(FLEXARA_SOURCE_DIR) / "tests/fuzz/corpus";
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file())
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(FuzzProjectFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

} // namespace
} // namespace flexara
