#pragma once
// A profile file as the loader reads it, through the loader's own walk of its sections: "0",
// "1", "2", ... in that order, up to the first number the file has no section for, each with
// the command line in its "path". Numbered sections after that gap are never started.
#include <optional>
#include <string>
#include <vector>

#include "cli/IniDocument.h"
#include "cli/Outcome.h"

namespace orvo::cli {

struct ProfileProgram {
  std::string section;              // "0", "1", ...
  std::optional<std::string> path;  // nullopt: the section has no "path" entry
  std::string kill;                 // its "kill" entry, empty when there is none
};

struct Profile {
  std::vector<ProfileProgram> programs;   // in start order: the sections "0" to n - 1
  std::vector<std::string> neverStarted;  // numbered sections after the gap, in number order
  std::optional<std::string> closeWait;   // [Loader] "close wait", nullopt when there is none

  // The number at which the loader stops, where the next section goes.
  std::string FirstMissing() const { return std::to_string(programs.size()); }
};

Profile ReadProfile(IniDocument& doc);

// One line per problem that keeps the loader from starting a listed program, each saying
// what to do about it: the profile's encoding first (a file the loader cannot read as it was
// written gives that line alone), then a gap in the numbers, then each section's.
PrintedLines ProfileProblems(IniDocument& doc, const Profile& profile);

// The program of a command line, as a process start takes it: the text inside the double
// quotes when the line begins with one, otherwise the text up to the first blank.
std::string ProgramOf(const std::string& commandLine);

// "[1], [3]": sections for a message.
std::string SectionList(const std::vector<std::string>& sections);

// "the seconds from 0 to 60, such as 10": what a close wait may be, for a message.
std::string CloseWaitRange();

// The header of a new section NAME as the file writes its own headers: "[3]" where most of
// them have no blanks inside the brackets, "[ 3 ]" where most have (a tie goes to the last
// header, which the new one stands below). A text without headers has no style of its own
// and gets the engine's written form, "[ 3 ]", as every other edit of orvo writes it.
std::string NewHeader(const std::string& text, const std::string& name);

// A command line's word for the profile: in double quotes when it holds a blank or a TAB.
std::string QuotedWord(const std::string& word);

}  // namespace orvo::cli
