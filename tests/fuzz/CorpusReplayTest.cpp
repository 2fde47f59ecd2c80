// Every input the fuzzer kept is read again on every test run.
#include "tests/fuzz/CsvFuzzEntry.h"
#include "tests/fuzz/ReaderFuzzEntry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace flexara {
namespace {

// Replays every file of a corpus folder through one fuzz entry.
template <class Entry> void Replay(const char* folder, Entry entry)
{
    const std::filesystem::path corpus = std::filesystem::path(FLEXARA_SOURCE_DIR) / folder;
    int replayed = 0;
    for (const auto& file : std::filesystem::directory_iterator(corpus)) {
        if (!file.is_regular_file())
            continue;
        SCOPED_TRACE(file.path().filename().string());
        std::ifstream in(file.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

TEST(FuzzCorpus, EveryKeptInputReadsWithoutFault)
{
    Replay("tests/fuzz/corpus", FuzzProjectFile);
}

TEST(FuzzCorpus, EveryKeptCsvOrPasteReadsWithoutFault)
{
    Replay("tests/fuzz/csv-corpus", FuzzCombinationsText);
}

} // namespace
} // namespace flexara
