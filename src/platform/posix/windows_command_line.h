#pragma once
// POSIX only: a Windows-style command line as an argument vector.
#include <string>
#include <vector>

namespace orvo::platform::posix {

// Blanks and TABs separate arguments; double quotes group (they are removed, and a doubled
// quote inside a quoted run stands for one quote). Backslashes are plain characters, and
// the program path (the first argument) is turned into a host path.
std::vector<std::string> SplitWindowsCommandLine(const std::string& commandLine);

}  // namespace orvo::platform::posix
