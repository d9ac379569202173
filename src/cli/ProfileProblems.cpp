// What keeps the loader from starting a profile's programs, one line each, in the words of a
// player who has to mend it.
#include "cli/Diagnostics.h"
#include "cli/Encoding.h"
#include "cli/Profile.h"
#include "cli/WhyNotStarted.h"
#include "launcher/CloseWait.h"
#include "launcher/KillMode.h"
#include "platform/code_page.h"
#include "platform/command_program.h"
#include "platform/files.h"
#include "platform/process.h"

namespace orvo::cli {
namespace {

// Whether the unquoted command line names a program when it is read past its first blank: a
// path with blanks that the process start cuts at the first one.
bool NamesAProgramFurtherOn(const std::string& commandLine) {
  if (commandLine[0] == '"') return false;
  for (std::size_t blank = commandLine.find_first_of(" \t"); blank != std::string::npos;) {
    blank = commandLine.find_first_of(" \t", blank + 1);
    if (platform::ProgramExists(commandLine.substr(0, blank))) return true;
  }
  return false;
}

const char kSaveAsAnsi[] = "open it in Notepad, choose Save As and the encoding ANSI";

// A path written as UTF-8 that the loader reads otherwise (on Windows, byte by byte in the
// ANSI code page): the path is named as the loader will read it.
std::optional<std::string> ReadOtherwise(const std::string& path) {
  if (!IsUtf8BeyondAscii(path)) return std::nullopt;
  const std::string read = platform::Utf8AsTheLoaderReadsIt(path);
  if (read == path) return std::nullopt;
  return "\"path\" is saved as UTF-8, which the loader reads as '" + read + "' (" + kSaveAsAnsi + ")";
}

// What keeps the program of a "path" from starting as the loader starts it; where the start
// finds it only by reading past a blank, the player is warned on stderr (where names the section).
std::optional<std::string> ProgramProblem(const std::string& path, const std::string& where) {
  if (path.empty()) return "has an empty \"path\" (write the program's path after \"path =\")";
  if (auto read = ReadOtherwise(path)) return read;
  const std::string found = platform::ProgramOfCommandLine(path);
  if (found.empty()) {
    const std::string program = ProgramOf(path);
    const auto kind = platform::KindOfName(program);
    if (kind == platform::NameKind::Folder)
      return "'" + program + "' is a folder, which the loader cannot start (give the program in it)";
    if (NamesAProgramFurtherOn(path))
      return "\"path\" has blanks and no double quotes, and its first word '" + program +
             "' names no program (put the program's path in double quotes)";
    if (kind == platform::NameKind::PlainFile)
      return "'" + program + "' may not be executed, so the loader cannot start it (make it executable, or give the "
             "program that opens it)";
    return "no program '" + program + "' (check the program's path)";
  }
  if (auto why = WhyNotStarted(found)) return why;
  if (path[0] != '"' && found.find_first_of(" \t") != std::string::npos)
    Warn(where + "\"path\" has blanks and no double quotes: the loader finds '" + found + "' all the same, but write " +
         "it in double quotes (\"" + found + "\"" + path.substr(found.size()) + "), so that no program named as its " +
         "first word is ever started instead");
  return std::nullopt;
}

std::optional<std::string> CloseWaitProblem(const std::string& value) {
  const std::string where = std::string("[") + kLoaderSection + "] \"" + kCloseWaitEntry + "\" is '" + value + "', ";
  const std::string mend = " (write " + CloseWaitRange() + ")";
  switch (ReadCloseWait(value).reading) {
    case CloseWait::Reading::NotANumber:
      return where + "not a number of seconds: the loader waits " + SecondsText(kDefaultCloseWait) + " seconds" + mend;
    case CloseWait::Reading::TooLong:
      return where + "longer than the loader waits: it waits " + SecondsText(kLongestCloseWait) + " seconds" + mend;
    default:
      return std::nullopt;
  }
}

}  // namespace

PrintedLines ProfileProblems(IniDocument& doc, const Profile& profile) {
  if (auto note = ByteOrderMarkNote(doc.engine().IniString(), doc.argument())) return {*note};
  PrintedLines problems;
  if (!profile.neverStarted.empty())
    problems.push_back("no section [" + profile.FirstMissing() + "]: " + SectionList(profile.neverStarted) +
                       (profile.neverStarted.size() == 1 ? " after it is" : " after it are") +
                       " never started (number the sections 0, 1, 2 ... without a gap)");
  for (const ProfileProgram& p : profile.programs) {
    const std::string where = "[" + p.section + "] ";
    if (!ReadKillMode(p.kill).known)
      problems.push_back(where + "\"kill\" is '" + p.kill +
                         "', which the loader takes as process (close, tree, close tree or process)");
    if (!p.path)
      problems.push_back(where + "has no \"path\" (add the line \"path = \" and the program's path)");
    else if (auto problem = ProgramProblem(*p.path, where))
      problems.push_back(where + *problem);
  }
  if (profile.closeWait)
    if (auto problem = CloseWaitProblem(*profile.closeWait)) problems.push_back(*problem);
  return problems;
}

}  // namespace orvo::cli
