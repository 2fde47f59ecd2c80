// Project files on the system's file access, alike on Linux and on Windows
// (run there under Wine): a case under a name with accents opens and saves,
// CR LF and all; a save replaces the file whole or not at all; a folder, a
// device and a read-only file are refused with the same words on both.
#include "engine/case/UVariav.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace flexara {
namespace {

namespace fs = std::filesystem;

// The path as the project layer takes it: UTF-8 on Windows, the file-name
// bytes (here UTF-8 too) on Linux.
std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class FileAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) /
                 ("flexara-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
        fs::remove_all(folder);
    }

    // A file in the test's folder, as the project layer takes it; the
    // std::filesystem calls take fs::path (a std::string there would be read
    // in the ANSI code page on Windows).
    std::string Path(const char8_t* name) const { return Utf8(folder / fs::path(name)); }

    // No temporary file of a save is left beside the target.
    static void ExpectNoTemporary(const fs::path& where)
    {
        for (const auto& entry : fs::directory_iterator(where))
            EXPECT_EQ(Utf8(entry.path().filename()).find(".tmp-"), std::string::npos) << Utf8(entry.path());
    }

    static std::string Failure(auto&& action)
    {
        try {
            action();
        } catch (const ProjectFileError& error) {
            return error.what();
        }
        return "";
    }

    fs::path folder;
};

TEST_F(FileAccess, ACaseUnderANameWithAccentsOpensAndSaves)
{
    const fs::path projects = folder / fs::path(u8"Usuários") / fs::path(u8"José") / fs::path(u8"Projetos");
    fs::create_directories(projects);
    const std::string path = Utf8(projects / fs::path(u8"pilar 1.fxr"));
    const std::string example = LoadProjectBytes(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr");
    ASSERT_NE(example.find("\r\n"), std::string::npos); // project files end their lines with CR LF

    SaveFileBytes(path, example);
    // The system knows the file by that very name: one entry, spelt as given
    // (a name squeezed through a code page would read "JosÃ©" or "Jos?").
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(projects)) {
        ++entries;
        EXPECT_EQ(Utf8(entry.path().filename()), "pilar 1.fxr");
    }
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(LoadProjectBytes(path), example); // byte for byte, CR LF kept

    auto state = std::make_unique<AnalysisState>();
    LoadProjectFileHeadless(path, *state);
    EXPECT_EQ(state->Nd, -500.0); // the example column's design axial force, kN
    EXPECT_EQ(state->LineCount, 2);

    // Saved again: replaced whole, nothing left beside it.
    const std::string changed = example + "\r\n";
    SaveFileBytes(path, changed);
    EXPECT_EQ(LoadProjectBytes(path), changed);
    ExpectNoTemporary(projects);
    EXPECT_TRUE(SameFile(path, Utf8(projects / fs::path(u8"pilar 1.fxr"))));
}

TEST_F(FileAccess, FailuresSayWhatWentWrong)
{
    fs::create_directory(folder / "pasta");
    const struct {
        const char* name;
        std::function<void()> action;
        std::string message;
    } cases[] = {
        {"open a missing file", [&] { LoadProjectBytes(Path(u8"nenhum.fxr")); }, "File not found"},
        {"open a folder", [&] { LoadProjectBytes(Path(u8"pasta")); }, "Is a folder, not a file"},
        {"open the null device", [&] { LoadProjectBytes(testing::NullDevice); }, "Is a device, not a file"},
        {"save into a missing folder", [&] { SaveFileBytes(Path(u8"nenhuma/caso.fxr"), "x"); }, "Invalid filename"},
        {"save under no name", [&] { SaveFileBytes("", "x"); }, "Invalid filename"},
        {"save to a folder", [&] { SaveFileBytes(Path(u8"pasta"), "x"); }, NotARegularFileMessage},
        {"save to the null device", [&] { SaveFileBytes(testing::NullDevice, "x"); }, NotARegularFileMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Failure(c.action), c.message);
    }
    EXPECT_TRUE(fs::is_directory(folder / "pasta"));
    ExpectNoTemporary(folder);
}

TEST_F(FileAccess, AFailedSaveLeavesTheOldFileWhole)
{
    const std::string path = Path(u8"caso.fxr");
    const fs::path file = folder / "caso.fxr";
    SaveFileBytes(path, "old\r\n");
    const struct {
        const char* name;
        bool readOnly;
        InjectedWriteFault fault;
        std::string message;
    } cases[] = {
        {"a read-only file", true, {}, "File access denied"},
        {"a full disk after two bytes", false, {2, ENOSPC, 0}, "Disk full"},
        {"an unknown failure at the start", false, {0, 5, 0}, "I/O error 5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnly)
            fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        EXPECT_EQ(Failure([&] { SaveFileBytes(path, "new content\r\n", &c.fault); }), c.message);
        EXPECT_EQ(LoadProjectBytes(path), "old\r\n");
        ExpectNoTemporary(folder);
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    }
}

TEST_F(FileAccess, OneFileUnderTwoNames)
{
    SaveFileBytes(Path(u8"a.fxr"), "x");
    SaveFileBytes(Path(u8"d.fxr"), "x");
    fs::create_hard_link(folder / fs::path(u8"a.fxr"), folder / fs::path(u8"ç.fxr"));
    EXPECT_TRUE(SameFile(Path(u8"a.fxr"), Path(u8"ç.fxr")));
    EXPECT_FALSE(SameFile(Path(u8"a.fxr"), Path(u8"d.fxr")));
    EXPECT_FALSE(SameFile(Path(u8"a.fxr"), Path(u8"nenhum.fxr")));
}

} // namespace
} // namespace flexara
