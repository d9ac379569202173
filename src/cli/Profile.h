#pragma once
// A profile file as the loader reads it: the sections "0", "1", "2", ... in that order, up
// to the first number the file has no section for, each with the command line in its "path".
// Numbered sections after that gap are never started.
#include <optional>
#include <string>
#include <vector>

#include "cli/IniDocument.h"

namespace orvo::cli {

struct ProfileProgram {
  std::string section;              // "0", "1", ...
  std::optional<std::string> path;  // nullopt: the section has no "path" entry
  std::string kill;                 // its "kill" entry, empty when there is none
};

struct Profile {
  std::vector<ProfileProgram> programs;   // in start order: the sections "0" to n - 1
  std::vector<std::string> neverStarted;  // numbered sections after the gap, in number order

  // The number at which the loader stops, where the next section goes.
  std::string FirstMissing() const { return std::to_string(programs.size()); }
};

Profile ReadProfile(IniDocument& doc);

// The program of a command line, as a process start takes it: the text inside the double
// quotes when the line begins with one, otherwise the text up to the first blank.
std::string ProgramOf(const std::string& commandLine);

// A command line's word for the profile: in double quotes when it holds a blank or a TAB.
std::string QuotedWord(const std::string& word);

}  // namespace orvo::cli
