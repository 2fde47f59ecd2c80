// The batch tool's ties to the system: its arguments, as UTF-8 text, and its
// standard streams, which carry bytes. On POSIX both are so already; on
// Windows the arguments come from the UTF-16 command line (any file name, not
// only those of the ANSI code page) and the streams are put in binary mode, so
// that a report reads byte for byte as on Linux (LF, not CR LF).
#pragma once

#include <string>
#include <vector>

namespace flexara {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace flexara
