// A command of the shell as the tests run the batch tool and the PDF readers:
// what it wrote on standard output and how it ended.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace flexara::testing {

struct ShellRun {
    int status = -1; // the exit status, -1 when the command did not exit
    std::string out;
};

inline ShellRun RunShell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace flexara::testing
