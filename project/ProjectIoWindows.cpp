// File access on Windows, with the behaviour and the messages of the POSIX
// version: paths arrive as UTF-8 and reach the system as UTF-16, so that
// "C:\Usuários\José\Projetos\pilar 1.fxr" opens and saves whatever the ANSI
// code page; a save writes a temporary file beside the target, flushes it and
// moves it over the target in one step.
#include "project/ProjectFile.h"

#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <cwchar>
#include <string>

namespace flexara {

namespace {

[[noreturn]] void Fail(int errorNumber)
{
    throw ProjectFileError(IoErrorMessage(errorNumber));
}

// The system's error, in the words the POSIX version uses for the same
// failure; one it has no word for keeps its own number.
[[noreturn]] void FailWithSystemError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        Fail(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        Fail(EACCES);
    case ERROR_TOO_MANY_OPEN_FILES:
        Fail(EMFILE);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_PARAMETER:
        Fail(EINVAL);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        Fail(ENOSPC);
    default:
        throw ProjectFileError("I/O error " + std::to_string(error));
    }
}

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX))
        throw ProjectFileError("Invalid filename");
    const int size = static_cast<int>(utf8.size());
    const int count = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (count <= 0)
        throw ProjectFileError("Invalid filename");
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), count);
    if (wide.find(L'\0') != std::wstring::npos)
        throw ProjectFileError("Invalid filename");
    return wide;
}

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~Handle()
    {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
};

// Opens what a path names for reading its attributes only: a file, a folder
// or a device, followed through links.
HANDLE OpenForQuery(const std::wstring& path)
{
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The temporary file of the save in progress, removed by the interruption
// handlers before the rename (Ctrl+C in a console). A fixed buffer: a signal
// handler may not allocate.
wchar_t pendingTemporary[32768 + 16] = {};
std::atomic<bool> temporaryPending{false};

extern "C" void RemoveTemporaryAndStop(int signalNumber)
{
    if (temporaryPending.exchange(false))
        ::DeleteFileW(pendingTemporary);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

class TemporaryFileGuard {
public:
    TemporaryFileGuard()
        : oldInt(std::signal(SIGINT, RemoveTemporaryAndStop)), oldTerm(std::signal(SIGTERM, RemoveTemporaryAndStop)),
          oldBreak(std::signal(SIGBREAK, RemoveTemporaryAndStop))
    {
    }
    void Track(const std::wstring& path)
    {
        if (path.size() < sizeof pendingTemporary / sizeof pendingTemporary[0]) {
            std::wmemcpy(pendingTemporary, path.c_str(), path.size() + 1);
            temporaryPending = true;
        }
    }
    ~TemporaryFileGuard()
    {
        temporaryPending = false;
        std::signal(SIGINT, oldInt);
        std::signal(SIGTERM, oldTerm);
        std::signal(SIGBREAK, oldBreak);
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    using Handler = void (*)(int);
    Handler oldInt;
    Handler oldTerm;
    Handler oldBreak;
};

// 0, or the system error of the write that failed; an injected fault is an
// errno value and comes back negated.
long WriteAll(HANDLE file, std::string_view text, const InjectedWriteFault* fault)
{
    const bool injected = fault != nullptr && fault->failAfterBytes < text.size();
    const std::size_t limit = injected ? fault->failAfterBytes : text.size();
    std::size_t written = 0;
    while (written < limit) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - written, 1u << 20));
        DWORD put = 0;
        if (!::WriteFile(file, text.data() + written, chunk, &put, nullptr))
            return static_cast<long>(::GetLastError());
        written += put;
    }
    if (injected && fault->signalNumber != 0)
        std::raise(fault->signalNumber);
    return injected ? -static_cast<long>(fault->errorNumber) : 0;
}

[[noreturn]] void FailWrite(long error)
{
    if (error < 0)
        Fail(static_cast<int>(-error));
    FailWithSystemError(static_cast<DWORD>(error));
}

// A folder that takes no new file, beside a file that may be written: the file
// is rewritten in place, as on POSIX.
void WriteInPlace(const std::wstring& path, std::string_view text, const InjectedWriteFault* fault)
{
    Handle file;
    file.h = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.h == INVALID_HANDLE_VALUE)
        FailWithSystemError(::GetLastError());
    if (const long error = WriteAll(file.h, text, fault))
        FailWrite(error);
    if (!::FlushFileBuffers(file.h))
        FailWithSystemError(::GetLastError());
}

// The file a link names in the end, so that a save replaces the target and
// leaves the link; other paths stay as they are.
std::wstring FollowLinks(const std::wstring& path, DWORD attributes)
{
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    Handle target;
    target.h = OpenForQuery(path);
    if (target.h == INVALID_HANDLE_VALUE)
        return path;
    std::wstring finalPath(32768, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(target.h, finalPath.data(), static_cast<DWORD>(finalPath.size()),
                                                     FILE_NAME_NORMALIZED);
    if (length == 0 || length >= finalPath.size())
        return path;
    finalPath.resize(length);
    return finalPath;
}

} // namespace

namespace {

std::string LoadFileBytes(const std::string& path, const char* tooLarge)
{
    if (path.empty())
        throw ProjectFileError("Invalid filename");
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw ProjectFileError(NotAFileMessage(S_IFDIR));
    Handle file;
    file.h = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.h == INVALID_HANDLE_VALUE)
        FailWithSystemError(::GetLastError());
    const DWORD type = ::GetFileType(file.h);
    if (type != FILE_TYPE_DISK)
        throw ProjectFileError(NotAFileMessage(type == FILE_TYPE_PIPE ? S_IFIFO : S_IFCHR));
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.h, buffer, sizeof buffer, &got, nullptr))
            FailWithSystemError(::GetLastError());
        if (got == 0)
            break;
        bytes.append(buffer, got);
        if (bytes.size() > MaxProjectFileBytes)
            throw ProjectFileError(tooLarge);
    }
    return bytes;
}

} // namespace

std::string NotAFileMessage(unsigned mode)
{
    switch (mode & S_IFMT) {
    case S_IFDIR:
        return "Is a folder, not a file";
    case S_IFIFO:
        return "Is a pipe (FIFO), not a file";
    case S_IFCHR:
        return "Is a device, not a file";
    default:
        return "Is not a regular file";
    }
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
    if (requested.empty() || requested.back() == '/' || requested.back() == '\\')
        throw ProjectFileError("Invalid filename");
    std::wstring path = Wide(requested);

    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            FailWithSystemError(error == ERROR_PATH_NOT_FOUND ? ERROR_DIRECTORY : error);
    }
    if (exists) {
        path = FollowLinks(path, attributes);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            throw ProjectFileError(NotARegularFileMessage);
        Handle existing;
        existing.h = OpenForQuery(path);
        if (existing.h == INVALID_HANDLE_VALUE)
            FailWithSystemError(::GetLastError());
        if (::GetFileType(existing.h) != FILE_TYPE_DISK)
            throw ProjectFileError(NotARegularFileMessage); // NUL, CON, COM1, a pipe
        // A read-only file is not replaced, as a file nobody may write on POSIX.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            Fail(EACCES);
    }

    // The temporary file lives beside the target, so that the move stays on one
    // volume and replaces the old file in one step.
    TemporaryFileGuard guard;
    Handle file;
    std::wstring temporary;
    DWORD createError = ERROR_SUCCESS;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[32];
        std::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".tmp-%06lx",
                      static_cast<unsigned long>(
                          (::GetTickCount64() * 2654435761u + attempt * 40503u + ::GetCurrentProcessId()) & 0xffffffu));
        temporary = path + suffix;
        file.h =
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.h != INVALID_HANDLE_VALUE)
            break;
        createError = ::GetLastError();
        if (createError != ERROR_FILE_EXISTS && createError != ERROR_ALREADY_EXISTS)
            break;
    }
    if (file.h == INVALID_HANDLE_VALUE) {
        if (exists && createError == ERROR_ACCESS_DENIED)
            return WriteInPlace(path, text, fault);
        FailWithSystemError(createError == ERROR_PATH_NOT_FOUND ? ERROR_DIRECTORY : createError);
    }
    guard.Track(temporary);
    auto failAndClean = [&](long error) {
        ::CloseHandle(file.h);
        file.h = INVALID_HANDLE_VALUE;
        ::DeleteFileW(temporary.c_str());
        FailWrite(error);
    };

    if (const long error = WriteAll(file.h, text, fault))
        failAndClean(error);
    if (!::FlushFileBuffers(file.h))
        failAndClean(static_cast<long>(::GetLastError()));
    ::CloseHandle(file.h);
    file.h = INVALID_HANDLE_VALUE;
    if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        FailWithSystemError(error);
    }
}

bool SameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    try {
        Handle x;
        Handle y;
        x.h = OpenForQuery(Wide(a));
        y.h = OpenForQuery(Wide(b));
        if (x.h == INVALID_HANDLE_VALUE || y.h == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(x.h, &first) ||
            !::GetFileInformationByHandle(y.h, &second))
            return false;
    } catch (const ProjectFileError&) {
        return false;
    }
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

} // namespace flexara
