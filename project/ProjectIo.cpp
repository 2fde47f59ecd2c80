#include "ProjectFile.h"

#include <cerrno>
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

} // namespace

std::string LoadProjectBytes(const std::string& path)
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
    if (S_ISDIR(info.st_mode))
        Fail(EISDIR);
    if (!S_ISREG(info.st_mode))
        Fail(EACCES); // devices and pipes are no project files
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
            throw ProjectFileError("Arquivo grande demais para um projeto (mais de 64 MiB)");
    }
    return bytes;
}

void SaveProjectBytes(const std::string& path, std::string_view text, const InjectedWriteFault* fault)
{
    if (path.empty() || path.back() == '/')
        throw ProjectFileError("Invalid filename");
    // The temporary file lives beside the target, so that the rename stays on
    // one file system and replaces the old file in one step.
    std::string temporary = path + ".tmp-XXXXXX";
    Descriptor file;
    file.fd = ::mkstemp(temporary.data());
    if (file.fd < 0)
        Fail(errno == ENOENT ? ENOTDIR : errno);
    auto failAndClean = [&](int errorNumber) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temporary.c_str());
        Fail(errorNumber);
    };

    // Keep the old file's permissions; a new file gets the usual 0666 less the umask.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.fd, mode) != 0)
        failAndClean(errno);

    // An injected fault lets the lines before it reach the temporary file.
    const bool injected = fault != nullptr && fault->failAfterBytes < text.size();
    const std::size_t limit = injected ? fault->failAfterBytes : text.size();
    std::size_t written = 0;
    while (written < limit) {
        const ssize_t put = ::write(file.fd, text.data() + written, limit - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            failAndClean(errno);
        }
        written += static_cast<std::size_t>(put);
    }
    if (injected)
        failAndClean(fault->errorNumber);
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

} // namespace flexara
