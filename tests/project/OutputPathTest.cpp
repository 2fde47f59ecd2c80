// Where a save may write: a link's target, never a device, a pipe, a folder or
// a read-only file; a file in a folder without room for a temporary file is
// rewritten in place; an interruption leaves no temporary file behind.
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace flexara {
namespace {

namespace fs = std::filesystem;

class OutputPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / ("flexara-output-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        // Folders a test locked are opened again, so that they can go.
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_directory() && !entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    std::string Path(const char* name) const { return (folder / name).string(); }

    static void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

    // No temporary file of a save is left in the folder.
    void ExpectNoTemporary() const
    {
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }

    static std::string SaveFailure(const std::string& path, const std::string& text)
    {
        try {
            SaveFileBytes(path, text);
        } catch (const ProjectFileError& error) {
            return error.what();
        }
        return "";
    }

    fs::path folder;
};

TEST_F(OutputPath, TargetsThatAreNoRegularFileAreRefused)
{
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    fs::create_directory(Path("sub"));
    const struct {
        const char* name;
        std::string path;
        fs::file_type kept;
    } cases[] = {
        {"device", "/dev/null", fs::file_type::character},
        {"pipe", Path("pipe"), fs::file_type::fifo},
        {"folder", Path("sub"), fs::file_type::directory},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaveFailure(c.path, "x"), NotARegularFileMessage);
        EXPECT_EQ(fs::symlink_status(c.path).type(), c.kept);
    }
    ExpectNoTemporary();
}

TEST_F(OutputPath, ALinkIsFollowedAndItsTargetReplaced)
{
    fs::create_directory(Path("real"));
    const std::string target = Path("real/case.fxr");
    Write(target, "old");
    fs::create_symlink("real/case.fxr", Path("link.fxr"));
    SaveFileBytes(Path("link.fxr"), "new");
    EXPECT_TRUE(fs::is_symlink(Path("link.fxr")));
    EXPECT_EQ(LoadProjectBytes(target), "new");
    // A link to a file not there yet makes the file.
    fs::create_symlink("real/later.fxr", Path("dangling.fxr"));
    SaveFileBytes(Path("dangling.fxr"), "made");
    EXPECT_TRUE(fs::is_symlink(Path("dangling.fxr")));
    EXPECT_EQ(LoadProjectBytes(Path("real/later.fxr")), "made");
    // A link to a device stays a link to the device.
    fs::create_symlink("/dev/null", Path("null.fxr"));
    EXPECT_EQ(SaveFailure(Path("null.fxr"), "x"), NotARegularFileMessage);
    EXPECT_TRUE(fs::is_symlink(Path("null.fxr")));
}

TEST_F(OutputPath, AReadOnlyFileIsNotReplaced)
{
    const std::string path = Path("kept.fxr");
    Write(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(SaveFailure(path, "new"), "File access denied");
    EXPECT_EQ(LoadProjectBytes(path), "old");
    ExpectNoTemporary();
}

// Runs body in a child process and returns how the child ended (wait status).
template <class Body> int InChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST_F(OutputPath, AFolderWithoutRoomForATemporaryFileGetsTheFileInPlace)
{
    const std::string path = Path("locked/case.fxr");
    fs::create_directory(Path("locked"));
    Write(path, "old content");
    // The administrator may write in any folder: the save runs as nobody.
    const uid_t nobody = 65534;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(Path("locked").c_str(), nobody, nobody), 0);
        ASSERT_EQ(::chown(path.c_str(), nobody, nobody), 0);
        ASSERT_EQ(::chown(folder.c_str(), nobody, nobody), 0);
    }
    fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int status = InChild([&] {
        if (::geteuid() == 0 && ::setuid(nobody) != 0)
            ::_exit(3);
        try {
            SaveFileBytes(path, "new");
        } catch (const ProjectFileError&) {
            ::_exit(4);
        }
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(LoadProjectBytes(path), "new");
    // A new file cannot be made there at all.
    const int refused = InChild([&] {
        if (::geteuid() == 0 && ::setuid(nobody) != 0)
            ::_exit(3);
        try {
            SaveFileBytes(Path("locked/other.fxr"), "x");
        } catch (const ProjectFileError&) {
            ::_exit(5);
        }
    });
    EXPECT_EQ(WEXITSTATUS(refused), 5);
}

TEST_F(OutputPath, AnInterruptedSaveLeavesTheOldFileAndNoTemporary)
{
    const std::string path = Path("case.fxr");
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        Write(path, "old");
        const InjectedWriteFault interrupted{2, 0, signalNumber};
        const int status = InChild([&] { SaveFileBytes(path, "new content", &interrupted); });
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signalNumber);
        EXPECT_EQ(LoadProjectBytes(path), "old");
        ExpectNoTemporary();
    }
    // Beyond the file-size limit the write fails instead of ending the process.
    Write(path, "old");
    const int status = InChild([&] {
        const rlimit small{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &small);
        try {
            SaveFileBytes(path, "more than four bytes");
        } catch (const ProjectFileError&) {
            ::_exit(6);
        }
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 6);
    EXPECT_EQ(LoadProjectBytes(path), "old");
    ExpectNoTemporary();
}

TEST_F(OutputPath, OneFileUnderTwoNames)
{
    Write(Path("a.fxr"), "x");
    fs::create_symlink("a.fxr", Path("b.fxr"));
    fs::create_hard_link(Path("a.fxr"), Path("c.fxr"));
    Write(Path("d.fxr"), "x");
    EXPECT_TRUE(SameFile(Path("a.fxr"), Path("b.fxr")));
    EXPECT_TRUE(SameFile(Path("a.fxr"), Path("c.fxr")));
    EXPECT_FALSE(SameFile(Path("a.fxr"), Path("d.fxr")));
    EXPECT_FALSE(SameFile(Path("a.fxr"), Path("none.fxr")));
}

} // namespace
} // namespace flexara
