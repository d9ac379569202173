// orvo profile show | check | add: the loader's profile files, read the way the loader reads
// them, so that a player finds out before a race why a program would not start.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <memory>

#include "cli/Commands.h"
#include "cli/Profile.h"
#include "cli/Storable.h"
#include "launcher/KillMode.h"
#include "platform/files.h"
#include "platform/process.h"

namespace orvo::cli {
namespace {

// A profile that is not there, or cannot be read, is a wrong name on the command line.
void RequireReadableProfile(const IniDocument& doc) {
  if (!doc.existed()) throw UsageError("cannot read the profile " + doc.argument());
}

// A program whose whole tree the loader ends is marked.
std::string Listed(const ProfileProgram& program) {
  return "[" + program.section + "] " + program.path.value_or("") +
         (ReadKillMode(program.kill) == KillMode::Tree ? "  (kill = tree)" : "");
}

std::string SectionList(const std::vector<std::string>& sections) {
  std::string list;
  for (const std::string& s : sections) list += (list.empty() ? "[" : ", [") + s + "]";
  return list;
}

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

// One line per problem that keeps the loader from starting a listed program.
PrintedLines Problems(const Profile& profile) {
  PrintedLines problems;
  if (!profile.neverStarted.empty())
    problems.push_back("no section [" + profile.FirstMissing() + "]: " + SectionList(profile.neverStarted) +
                       (profile.neverStarted.size() == 1 ? " after it is" : " after it are") + " never started");
  for (const ProfileProgram& p : profile.programs) {
    const std::string where = "[" + p.section + "] ";
    if (ReadKillMode(p.kill) == KillMode::Unknown)
      problems.push_back(where + "\"kill\" is '" + p.kill + "', which the loader takes as process (tree or process)");
    if (!p.path) {
      problems.push_back(where + "has no \"path\"");
      continue;
    }
    if (p.path->empty()) {
      problems.push_back(where + "has an empty \"path\"");
      continue;
    }
    const std::string program = ProgramOf(*p.path);
    if (platform::ProgramExists(program)) continue;
    if (NamesAProgramFurtherOn(*p.path))
      problems.push_back(where + "\"path\" has blanks and no double quotes, and its first word '" + program +
                         "' names no program (put the program's path in double quotes)");
    else
      problems.push_back(where + "no program '" + program + "'");
  }
  return problems;
}

// A command on one readable profile FILE, its lines made by answer.
void AddProfileQuery(CLI::App& profile, Invocation& invocation, const std::string& name, const std::string& help,
                     std::function<PrintedLines(IniDocument&, const Profile&)> answer) {
  auto file = std::make_shared<std::string>();
  CLI::App* cmd = profile.add_subcommand(name, help);
  cmd->add_option("FILE", *file, "The profile file (.bst)")->required();
  cmd->callback([file, answer, &invocation] {
    invocation.action = [file, answer] {
      IniDocument doc(*file);
      RequireReadableProfile(doc);
      return answer(doc, ReadProfile(doc));
    };
  });
}

PrintedLines Show(IniDocument&, const Profile& profile) {
  PrintedLines lines;
  for (const ProfileProgram& p : profile.programs) lines.push_back(Listed(p));
  return lines;
}

PrintedLines Check(IniDocument& doc, const Profile& profile) {
  PrintedLines problems = Problems(profile);
  if (!problems.empty()) throw ProblemsFound(std::move(problems));
  return {doc.argument() + ": " + std::to_string(profile.programs.size()) + " to start, none missing"};
}

void AddAdd(CLI::App& profile, Invocation& invocation) {
  struct Args {
    std::string file, program;
    std::vector<std::string> arguments;
    bool noBackup = false, tree = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = profile.add_subcommand("add", "Append the next section, starting PROGRAM with the ARGUMENTS after it, and save");
  cmd->add_option("FILE", args->file, "The profile file (.bst); created when missing")->required();
  cmd->add_option("PROGRAM", args->program, "The program's path (quoted in the profile when it holds blanks)")->required();
  cmd->add_flag("--no-backup", args->noBackup, "Do not set the file aside as FILE.PreOrvo before the first save");
  cmd->add_flag("--tree", args->tree, "Write \"kill = tree\": the loader ends the program with every process it started");
  // Everything after PROGRAM is its arguments, also what looks like an option of orvo.
  cmd->prefix_command();
  cmd->footer("Everything after PROGRAM is passed to it as its ARGUMENTS, each quoted when it holds blanks.");
  cmd->callback([args, cmd, &invocation] {
    args->arguments = cmd->remaining();
    invocation.action = [args] {
      if (args->program.empty()) throw UsageError("PROGRAM must not be empty");
      std::string commandLine = QuotedWord(args->program);
      for (const std::string& a : args->arguments) commandLine += " " + QuotedWord(a);
      // The process start takes double quotes as grouping only: one inside a word cannot be passed.
      const auto holdsQuote = [](const std::string& word) { return word.find('"') != std::string::npos; };
      if (holdsQuote(args->program) || std::any_of(args->arguments.begin(), args->arguments.end(), holdsQuote))
        throw UsageError("PROGRAM and ARGUMENTS must not hold a double quote");
      RequireStorable(commandLine, kLineCutters, "the command line");
      IniDocument doc(args->file, IniDocument::Use::Edit);
      // A file that is there but cannot be read must not be replaced by a new one.
      if (!doc.existed() && platform::InspectFile(doc.pathText())) RequireReadableProfile(doc);
      const Profile profile = ReadProfile(doc);
      if (!profile.neverStarted.empty())
        throw CommandFailed("no section [" + profile.FirstMissing() + "] in " + doc.argument() + ": a new one there would start " +
                            SectionList(profile.neverStarted) + " too; mend the gap first (see orvo profile check)");
      const std::string kill = args->tree ? "tree" : "";
      // The engine adds an entry at the top of its section: "kill" first leaves it below "path".
      if (args->tree) doc.engine().SetIniValue(profile.FirstMissing(), "kill", kill, true);
      doc.engine().SetIniValue(profile.FirstMissing(), "path", commandLine, true);
      doc.Save(!args->noBackup, false);
      return PrintedLines{Listed({profile.FirstMissing(), commandLine, kill})};
    };
  });
}

}  // namespace

void AddProfileCommands(CLI::App& app, Invocation& invocation) {
  CLI::App* profile = app.add_subcommand("profile", "Show, check and extend the loader's profile files");
  profile->require_subcommand(1);
  AddProfileQuery(*profile, invocation, "show", "List the programs the loader starts, in start order, with their sections",
                  Show);
  AddProfileQuery(*profile, invocation, "check",
                  "Exit 0 when the loader starts every program listed, 1 with one line per problem, 2 for no profile",
                  Check);
  AddAdd(*profile, invocation);
}

}  // namespace orvo::cli
