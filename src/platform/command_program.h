#pragma once
// Which program a process start of a command line runs.
#include <string>

namespace orvo::platform {

// The program as a path text, "" when the start would find none. A command line beginning
// with a double quote names the text up to the next one. Otherwise Windows, as CreateProcess
// does, takes the text up to the first blank and, where that names no program, up to each
// further blank in turn, so an unquoted path with blanks is found; POSIX takes the text up to
// the first blank. Found means found as ProgramExists finds it.
std::string ProgramOfCommandLine(const std::string& commandLine);

}  // namespace orvo::platform
