#pragma once
// What the running program knows about itself.
#include <string>

namespace orvo::platform {

// The command line without the program's own name, as the user gave it. Win32: the raw
// text after the program name. POSIX: the arguments joined by single blanks.
std::string CommandLine();

// The folder that holds the executable, as a path text: no trailing backslash except at a
// drive root. On POSIX the host path with every '/' written as a backslash.
std::string OwnFolder();

// The program's title and version (from the version resource on Windows).
std::string ProgramTitle();
struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};
ProgramVersion Version();

}  // namespace orvo::platform
