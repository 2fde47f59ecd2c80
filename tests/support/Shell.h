// A command of the shell as the tests run the batch tool and the PDF readers:
// what it wrote on standard output and how it ended. On Windows the shell is
// cmd.exe; the few words that differ (the null device, a time limit) are here.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace flexara::testing {

struct ShellRun {
    int status = -1; // the exit status, -1 when the command did not exit
    std::string out;
};

#ifdef _WIN32
inline constexpr const char* NullDevice = "NUL";
// cmd.exe has no time limit for a command; the test runner's own applies.
inline std::string TimeLimited(int)
{
    return std::string();
}
#else
inline constexpr const char* NullDevice = "/dev/null";
inline std::string TimeLimited(int seconds)
{
    return "timeout " + std::to_string(seconds) + " ";
}
#endif

// One row of a table of batch-tool runs: its name, the arguments, the exit
// status and a fragment of what the run writes.
struct CommandCase {
    const char* name;
    std::string arguments;
    int status;
    const char* fragment;
};

inline ShellRun RunShell(const std::string& command)
{
    ShellRun run;
#ifdef _WIN32
    // Bytes as written: the batch tool's reports end their lines with LF.
    FILE* pipe = _popen(command.c_str(), "rb");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), got);
#ifdef _WIN32
    run.status = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

} // namespace flexara::testing
