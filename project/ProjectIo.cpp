#include "project/ProjectFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace flexara {

namespace {

[[noreturn]] void Fail(int errorNumber)
{
    throw ProjectFileError(IoErrorMessage(errorNumber));
}

struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The temporary file of the save in progress, removed by the signal handlers
// when the process is interrupted before the rename. A fixed buffer: a signal
// handler may not allocate.
char pendingTemporary[PATH_MAX + 16] = {};
volatile std::sig_atomic_t temporaryPending = 0;

extern "C" void RemoveTemporaryAndStop(int signalNumber)
{
    if (temporaryPending)
        ::unlink(pendingTemporary);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// A write beyond the file-size limit then fails with EFBIG and is reported
// like any other failed write, instead of ending the process.
extern "C" void IgnoreFileSizeLimit(int) {}

// The interruption handlers for the time a temporary file exists.
class TemporaryFileGuard {
public:
    TemporaryFileGuard()
    {
        struct sigaction stop {};
        stop.sa_handler = RemoveTemporaryAndStop;
        sigemptyset(&stop.sa_mask);
        ::sigaction(SIGINT, &stop, &oldInt);
        ::sigaction(SIGTERM, &stop, &oldTerm);
        ::sigaction(SIGHUP, &stop, &oldHup); // the terminal closed under the save
        struct sigaction sizeLimit {};
        sizeLimit.sa_handler = IgnoreFileSizeLimit;
        sigemptyset(&sizeLimit.sa_mask);
        ::sigaction(SIGXFSZ, &sizeLimit, &oldXfsz);
    }
    // The file the handlers remove from now on.
    void Track(const std::string& path)
    {
        if (path.size() < sizeof pendingTemporary) {
            std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
            temporaryPending = 1;
        }
    }
    ~TemporaryFileGuard()
    {
        ::sigaction(SIGINT, &oldInt, nullptr);
        ::sigaction(SIGTERM, &oldTerm, nullptr);
        ::sigaction(SIGHUP, &oldHup, nullptr);
        ::sigaction(SIGXFSZ, &oldXfsz, nullptr);
        temporaryPending = 0;
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    struct sigaction oldInt {};
    struct sigaction oldTerm {};
    struct sigaction oldHup {};
    struct sigaction oldXfsz {};
};

// The file a path names in the end: a symbolic link is followed to its target
// (which need not exist yet), so that the target is replaced and the link stays.
std::string FollowLinks(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length < 0)
            Fail(errno);
        target[length] = '\0';
        if (target[0] == '/') {
            path = target;
        } else {
            const std::size_t slash = path.rfind('/');
            path = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
        }
    }
    Fail(ELOOP);
}

// 0, or the error number of the write that failed.
int WriteAll(int fd, std::string_view text, const InjectedWriteFault* fault)
{
    // An injected fault lets the bytes before it reach the file.
    const bool injected = fault != nullptr && fault->failAfterBytes < text.size();
    const std::size_t limit = injected ? fault->failAfterBytes : text.size();
    std::size_t written = 0;
    while (written < limit) {
        const ssize_t put = ::write(fd, text.data() + written, limit - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(put);
    }
    if (injected && fault->signalNumber != 0)
        std::raise(fault->signalNumber);
    return injected ? fault->errorNumber : 0;
}

// A folder that takes no new file, beside a file that may be written: the file
// is rewritten in place. Its old content is lost if this write fails half-way,
// as with any program that writes a file in place; there is no other way to
// change it.
void WriteInPlace(const std::string& path, std::string_view text, const InjectedWriteFault* fault)
{
    Descriptor file;
    file.fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    if (file.fd < 0)
        Fail(errno);
    if (const int error = WriteAll(file.fd, text, fault))
        Fail(error);
    if (::fsync(file.fd) != 0)
        Fail(errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0)
        Fail(errno);
}

// The bytes of a file to read; what is no regular file is said as what it is.
std::string LoadFileBytes(const std::string& path, const char* tooLarge)
{
    if (path.empty())
        throw ProjectFileError("Invalid filename");
    Descriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file.fd < 0)
        Fail(errno);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        Fail(errno);
    if (!S_ISREG(info.st_mode))
        throw ProjectFileError(NotAFileMessage(info.st_mode));
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > MaxProjectFileBytes)
            throw ProjectFileError(tooLarge);
    }
    return bytes;
}

} // namespace

std::string NotAFileMessage(unsigned mode)
{
    if (S_ISDIR(mode))
        return "Is a folder, not a file";
    if (S_ISFIFO(mode))
        return "Is a pipe (FIFO), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "Is a device, not a file";
    if (S_ISSOCK(mode))
        return "Is a socket, not a file";
    return "Is not a regular file";
}

std::string LoadProjectBytes(const std::string& path)
{
    return LoadFileBytes(path, "Arquivo grande demais para um projeto (mais de 64 MiB)");
}

std::string LoadCsvBytes(const std::string& path)
{
    return LoadFileBytes(path, "Arquivo CSV grande demais (mais de 64 MiB)");
}

void SaveFileBytes(const std::string& requested, std::string_view text, const InjectedWriteFault* fault)
{
    if (requested.empty() || requested.back() == '/')
        throw ProjectFileError("Invalid filename");
    const std::string path = FollowLinks(requested);

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        Fail(errno);
    if (exists && !S_ISREG(old.st_mode))
        throw ProjectFileError(NotARegularFileMessage);
    // A file nobody may write is not replaced, not even by the administrator.
    if (exists && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0))
        Fail(EACCES);

    // The temporary file lives beside the target, so that the rename stays on
    // one file system and replaces the old file in one step.
    std::string temporary = path + ".tmp-XXXXXX";
    TemporaryFileGuard guard;
    Descriptor file;
    file.fd = ::mkstemp(temporary.data());
    if (file.fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM))
            return WriteInPlace(path, text, fault);
        Fail(error == ENOENT ? ENOTDIR : error);
    }
    guard.Track(temporary);
    auto failAndClean = [&](int errorNumber) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temporary.c_str());
        Fail(errorNumber);
    };

    // Keep the old file's permissions and owner; a new file gets the usual
    // 0666 less the umask.
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
        if (::fchown(file.fd, old.st_uid, old.st_gid) != 0) {
            // Only the administrator may give a file away; anyone else keeps it.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.fd, mode) != 0)
        failAndClean(errno);

    if (const int error = WriteAll(file.fd, text, fault))
        failAndClean(error);
    if (::fsync(file.fd) != 0)
        failAndClean(errno);
    if (::close(file.fd) != 0) {
        file.fd = -1;
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail(error);
    }
    file.fd = -1;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail(error);
    }
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace flexara
