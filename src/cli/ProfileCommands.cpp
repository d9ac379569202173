// orvo profile show | check | add: the loader's profile files, read the way the loader reads
// them, so that a player finds out before a race why a program would not start.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <memory>

#include "cli/CommandCheck.h"
#include "cli/Commands.h"
#include "cli/Profile.h"
#include "cli/Storable.h"
#include "launcher/CloseWait.h"
#include "launcher/KillMode.h"
#include "platform/files.h"

namespace orvo::cli {
namespace {

// A profile that is not there, or cannot be read, is a wrong name on the command line.
void RequireReadableProfile(const IniDocument& doc) {
  if (!doc.existed()) throw UsageError("cannot read the profile " + doc.argument());
}

// A program whose whole tree the loader ends, or which it asks to close, is marked.
std::string Listed(const ProfileProgram& program) {
  const KillMode mode = ReadKillMode(program.kill);
  return "[" + program.section + "] " + program.path.value_or("") +
         (mode.close || mode.tree ? "  (kill = " + mode.Text() + ")" : "");
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

// check FILE, or check --command: the one or the other.
void AddCheck(CLI::App& profile, Invocation& invocation) {
  struct Args {
    std::string file, command, loaderFolder;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = profile.add_subcommand(
      "check", "Exit 0 when the loader starts every program listed, 1 with one line per problem, 2 for no profile");
  CLI::Option* file = cmd->add_option("FILE", args->file, "The profile file (.bst)");
  CLI::Option* command = cmd->add_option(
      "--command", args->command,
      "Check instead the loader's whole command line, \"game;follow-up;profile\", as a shortcut gives it");
  cmd->add_option("--loader-folder", args->loaderFolder, "The loader's folder, for --command (default: orvo's own)")
      ->needs(command);
  file->excludes(command);
  cmd->callback([args, file, command, &invocation] {
    if (file->count() + command->count() == 0) throw CLI::RequiredError("FILE or --command");
    invocation.action = [args, command] {
      if (command->count()) return CheckLaunchCommand(args->command, args->loaderFolder);
      IniDocument doc(args->file, IniDocument::Use::Check);
      RequireReadableProfile(doc);
      const Profile profile = ReadProfile(doc);
      PrintedLines problems = ProfileProblems(doc, profile);
      if (!problems.empty()) throw ProblemsFound(std::move(problems));
      return PrintedLines{doc.argument() + ": " + std::to_string(profile.programs.size()) + " to start, none missing"};
    };
  });
}

// The engine writes a section it adds as "[ 3 ]" whatever the file's headers look like, so
// the new section's header is written here, where the engine would put it: after one blank
// line, none in an empty text. Left without a line end, it is the text's last line, and the
// engine's first entry for it goes on a line of its own just below.
void AppendHeader(INIFile& ini, const std::string& header) {
  std::string text = ini.IniString();
  text.erase(text.find_last_not_of("\r\n") + 1);  // npos + 1: a text of line ends only goes
  ini.SetIniString(text.empty() ? header : text + "\r\n\r\n" + header);
}

void AddAdd(CLI::App& profile, Invocation& invocation) {
  struct Args {
    std::string file, program;
    std::vector<std::string> arguments;
    std::string closeWait;
    bool noBackup = false, tree = false, close = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = profile.add_subcommand("add", "Append the next section, starting PROGRAM with the ARGUMENTS after it, and save");
  cmd->add_option("FILE", args->file, "The profile file (.bst); created when missing")->required();
  cmd->add_option("PROGRAM", args->program, "The program's path (quoted in the profile when it holds blanks)")->required();
  cmd->add_flag("--no-backup", args->noBackup, "Do not set the file aside as FILE.PreOrvo before the first save");
  cmd->add_flag("--tree", args->tree, "Write \"kill = tree\": the loader ends the program with every process it started");
  cmd->add_flag("--close", args->close,
                "Write \"kill = close\" (with --tree \"kill = close tree\"): the loader asks the program to close and "
                "ends it only when it has not closed within the close wait");
  cmd->add_option("--close-wait", args->closeWait,
                  "Write [Loader] \"close wait\": the seconds the loader waits for the programs asked to close, all "
                  "together (0 to " + SecondsText(kLongestCloseWait) + "; without it " +
                      SecondsText(kDefaultCloseWait) + ")");
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
      const CloseWait wait = ReadCloseWait(args->closeWait);
      if (!args->closeWait.empty() && wait.reading != CloseWait::Reading::Given)
        throw UsageError("--close-wait takes " + CloseWaitRange());
      IniDocument doc(args->file, IniDocument::Use::Edit);
      // A file that is there but cannot be read must not be replaced by a new one.
      if (!doc.existed() && platform::InspectFile(doc.pathText())) RequireReadableProfile(doc);
      const Profile profile = ReadProfile(doc);
      if (!profile.neverStarted.empty())
        throw CommandFailed("no section [" + profile.FirstMissing() + "] in " + doc.argument() + ": a new one there would start " +
                            SectionList(profile.neverStarted) + " too; mend the gap first (see orvo profile check)");
      const std::string section = profile.FirstMissing();
      const std::string kill = args->tree || args->close ? KillMode{args->close, args->tree}.Text() : "";
      AppendHeader(doc.engine(), NewHeader(doc.engine().IniString(), section));
      // The engine adds an entry at the top of its section: "kill" first leaves it below "path".
      if (!kill.empty()) doc.engine().SetIniValue(section, "kill", kill, true);
      doc.engine().SetIniValue(section, "path", commandLine, true);
      PrintedLines printed{Listed({section, commandLine, kill})};
      if (!args->closeWait.empty()) {
        if (!doc.FindSection(kLoaderSection)) AppendHeader(doc.engine(), NewHeader(doc.engine().IniString(), kLoaderSection));
        doc.engine().SetIniValue(kLoaderSection, kCloseWaitEntry, SecondsText(wait.wait), true);
        printed.push_back(std::string("[") + kLoaderSection + "] " + kCloseWaitEntry + " = " + SecondsText(wait.wait));
      }
      doc.Save(!args->noBackup, false);
      return printed;
    };
  });
}

}  // namespace

void AddProfileCommands(CLI::App& app, Invocation& invocation) {
  CLI::App* profile = app.add_subcommand("profile", "Show, check and extend the loader's profile files");
  profile->require_subcommand(1);
  AddProfileQuery(*profile, invocation, "show", "List the programs the loader starts, in start order, with their sections",
                  Show);
  AddCheck(*profile, invocation);
  AddAdd(*profile, invocation);
}

}  // namespace orvo::cli
