// The shortcut's text through the loader's own steps: SplitCommandLine cuts it, the game's
// folder is WorkingFolderOf the game's field, the profile is ProfileFilePath's file walked by
// the loader's section walk, and each program is looked for as a process start looks. What
// the loader passes over in silence (a profile that is not there, a section it never reaches,
// a follow-up that does not start) is what a player needs to be told here.
#include <algorithm>

#include "cli/AbsolutePath.h"
#include "cli/CommandCheck.h"
#include "cli/Profile.h"
#include "cli/WhyNotStarted.h"
#include "common/OrvoCommon.h"
#include "launcher/LaunchCommand.h"
#include "launcher/ProfileFile.h"
#include "platform/code_page.h"
#include "platform/command_program.h"
#include "platform/current_directory.h"
#include "platform/directory_listing.h"
#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/program_info.h"
#include "vocabulary/Failure.h"
#include "vocabulary/TextOps.h"

namespace orvo::cli {
namespace {

std::string Shown(const std::string& pathText) { return "'" + platform::ToHostPath(pathText) + "'"; }

class Findings {
 public:
  void Add(const std::string& line) { lines_.push_back(line); }
  // The loader's file and process calls take no longer path.
  void RequireShort(const std::string& what, const std::string& pathText) {
    if (pathText.size() <= platform::LongestLoaderPath()) return;
    Add(what + " " + Shown(pathText) + " has " + std::to_string(pathText.size()) + " characters, more than the " +
        std::to_string(platform::LongestLoaderPath()) + " the loader can use (move it to a folder with a shorter path)");
  }
  PrintedLines& lines() { return lines_; }

 private:
  PrintedLines lines_;
};

// The folder as a path text from which the loader's own folder is meant: relative to where
// orvo runs, since orvo changes its folder later.
std::string LoaderFolderText(const std::string& argument) {
  if (argument.empty()) return platform::OwnFolder();
  std::string text = platform::FromHostPath(argument);
  std::replace(text.begin(), text.end(), '/', '\\');
  return Anchored(text);
}

bool EndsInBst(const std::string& name) { return name.size() > 4 && text::Upper(name.substr(name.size() - 4)) == ".BST"; }

// The names the Profiles folder offers, in order, for a player who misspelt one.
std::string ProfilesThere(const std::string& loaderFolder) {
  std::vector<std::string> names;
  failure::Quietly([&] {
    platform::StartListing(loaderFolder + "\\Profiles\\*.bst", false);
    while (const auto listed = platform::NextListed())
      if (EndsInBst(listed->name)) names.push_back(listed->name.substr(0, listed->name.size() - 4));
  });
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

// The game's field: the loader starts it, after making its folder current.
std::optional<std::string> CheckGame(const std::string& game, std::string& program, Findings& findings) {
  if (game.find_first_not_of(" \t") == std::string::npos) {
    findings.Add("the game's field, before the first ';', is empty: the loader starts no game (write the game's "
                 "program there, such as C:\\Sierra\\GPL\\gpl.exe)");
    return std::nullopt;
  }
  const bool quoted = game[0] == '"';
  if (quoted)
    findings.Add("the game's field is in double quotes: the loader then starts the game and the profile's programs "
                 "in the wrong folder (write the game's path without quotes; blanks in it are fine)");
  program = platform::ProgramOfCommandLine(game);
  if (program.empty()) {
    findings.Add("no game program in '" + game + "': the loader starts no game and ends (check the game's path)");
    return std::nullopt;
  }
  findings.RequireShort("the game", program);
  if (const auto why = WhyNotStarted(program)) {
    findings.Add("the game " + *why + ": the loader then starts no game, and leaves the profile's programs running");
    return std::nullopt;
  }
  if (quoted) return std::nullopt;
  const std::optional<std::string> folder = WorkingFolderOf(game);
  if (!folder) {
    findings.Add("the loader finds no folder in '" + game + "' (it takes the text before \".exe\" up to the last '\\'): "
                 "it starts the game and the profile's programs in the folder it was started in (write the game's "
                 "full path)");
  } else if (!Common().DirectoryExists(*folder)) {
    findings.Add("no folder " + Shown(*folder) + ": the loader starts the game and the profile's programs in the "
                 "folder it was started in (check the game's path)");
    return std::nullopt;
  }
  return folder;
}

// The profile's field; its programs are looked for from the game's folder, where the loader
// starts them. Returns how many programs the loader starts.
std::size_t CheckProfile(const std::string& name, const std::string& loaderFolder,
                         const std::optional<std::string>& gameFolder, Findings& findings) {
  if (name.empty()) return 0;
  const std::string file = ProfileFilePath(loaderFolder, name);
  findings.RequireShort("the profile", file);
  if (!Common().FileExists(file)) {
    const bool withBst = EndsInBst(name);
    const std::string there = ProfilesThere(loaderFolder);
    findings.Add("no profile " + Shown(file) + ": the loader starts no program beside the game (" +
                 (withBst           ? "write the profile's name without .bst: " + name.substr(0, name.size() - 4)
                  : there.empty() ? "copy Profiles\\Example.bst to Profiles\\" + name + ".bst and list your programs"
                                  : "the profiles there: " + there) +
                 ")");
    return 0;
  }
  IniDocument doc(platform::ToHostPath(file), IniDocument::Use::Check);
  const Profile profile = ReadProfile(doc);
  if (gameFolder) failure::Quietly([&] { platform::ChangeDirectory(*gameFolder); });
  PrintedLines problems = ProfileProblems(doc, profile);
  for (const ProfileProgram& p : profile.programs)
    if (p.path && !p.path->empty()) findings.RequireShort("[" + p.section + "]'s program", ProgramOf(*p.path));
  for (std::string& line : problems) findings.Add(std::move(line));
  return profile.programs.size();
}

// The log as the loader will use it: it deletes an old one and appends the run's lines to a
// new one in its own folder.
void CheckLog(const std::string& loaderFolder, Findings& findings) {
  const std::string log = loaderFolder + "\\LoaderLog.txt";
  if (platform::KindOfName(log)) {
    if (!platform::CanDelete(log))
      findings.Add("the loader's old log " + Shown(log) + " cannot be deleted (it is read-only, or another program holds "
                   "it open): the loader then writes no new log, and a read-only one keeps the game from starting "
                   "(clear its read-only mark, or close the program that shows it)");
  } else if (!platform::CanMakeFileIn(loaderFolder)) {
    findings.Add("the loader's folder " + Shown(loaderFolder) + " takes no new file: the loader then runs with no log "
                 "(unzip it into a folder of your own, such as C:\\Orvo)");
  }
}

std::string Counted(std::size_t n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

PrintedLines CheckLaunchCommand(const std::string& command, const std::string& loaderFolderArgument) {
  Findings findings;
  if (!platform::ArgumentFitsCodePage(command))
    findings.Add("the command has characters outside this Windows' ANSI code page: the loader reads others in "
                 "their place and finds no such file (rename those folders, or move the programs to folders whose "
                 "names have none)");
  const std::string loaderFolder = LoaderFolderText(loaderFolderArgument);
  if (loaderFolderArgument.empty() ? !platform::OwnFolderFitsCodePage()
                                   : !platform::ArgumentFitsCodePage(loaderFolderArgument))
    findings.Add("the loader's folder has characters outside this Windows' ANSI code page: there the loader reads "
                 "no profile and writes no log (unzip it into a folder such as C:\\Orvo)");
  findings.RequireShort("the loader's log", loaderFolder + "\\LoaderLog.txt");
  CheckLog(loaderFolder, findings);

  LaunchCommand fields;
  try {
    SplitCommandLine(command, fields);
  } catch (...) {
    findings.Add("the command has fewer than two ';': the loader starts nothing and ends (write game;follow-up;"
                 "profile, leaving a field empty where you want none, as in C:\\Sierra\\GPL\\gpl.exe;;Race)");
    throw ProblemsFound(std::move(findings.lines()));
  }
  std::string game;
  const std::optional<std::string> gameFolder = CheckGame(fields.gameCommand, game, findings);
  const std::size_t companions = CheckProfile(fields.profileName, loaderFolder, gameFolder, findings);
  // The loader starts the follow-up after making its own folder current again.
  std::string followUp;
  if (!fields.followUpCommand.empty()) {
    failure::Quietly([&] { platform::ChangeDirectory(loaderFolder); });
    followUp = platform::ProgramOfCommandLine(fields.followUpCommand);
    if (followUp.empty())
      findings.Add("no follow-up program in '" + fields.followUpCommand + "': the loader skips it without a word "
                   "(check its path, or leave the field empty)");
    else
      findings.RequireShort("the follow-up", followUp);
  }
  if (!findings.lines().empty()) throw ProblemsFound(std::move(findings.lines()));
  return {"all is well: the game " + Shown(game) + ", " +
          (fields.profileName.empty() ? "no profile"
                                      : Counted(companions, "program") + " from " +
                                            Shown(ProfileFilePath(loaderFolder, fields.profileName))) +
          ", " + (followUp.empty() ? "no follow-up" : "then " + Shown(followUp))};
}

}  // namespace orvo::cli
