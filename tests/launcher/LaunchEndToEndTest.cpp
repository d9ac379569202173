// The real loader, started with a real command line, against the helper program; the profile's
// programs started in the game's folder before the game, logged with their ids, terminated
// after it in start order. Each run is judged by its whole log.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>

#include "launcher/CommonDefinitions.h"
#include "launcher/LoaderRun.h"
#include "platform/local_time.h"
#include "platform/process.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

// The log as its lines, timestamps cut off where a line carries one.
std::vector<std::string> LogLines(const std::filesystem::path& file) {
  static const std::regex stamp(R"((^|\r\n)\d\d\D\d\d\D\d\d \d\d\D\d\d\D\d\d )");
  const std::string text = std::regex_replace(ReadBytes(file), stamp, "$1");
  std::vector<std::string> lines;
  for (std::size_t pos = 0, end = 0; pos < text.size(); pos = end + 2) {
    end = std::min(text.find("\r\n", pos), text.size());
    lines.push_back(text.substr(pos, end - pos));
  }
  return lines;
}

// "Set Dir to" and, for a folder with a drive letter, "Set Drive to".
void AddSetEntries(std::vector<std::string>& lines, const std::string& folderText) {
  lines.push_back("Set Dir to " + folderText);
  if (folderText.size() >= 2 && folderText[1] == ':') lines.push_back(std::string("Set Drive to ") + folderText[0]);
}

TEST(LoaderLog, EntriesStartWithTheLocalTimeInTheRegionalPattern) {
  std::vector<std::string> entries;
  const auto previous = SetLoaderLogSink([&](const std::string& e) { entries.push_back(e); });
  const platform::LocalDateTime now = platform::Now();
  WriteLoaderLog("Started");
  WriteLoaderLogNFE("pSection = Car");
  WriteLoaderLogLine("Indexing core.ini");
  WriteLoaderLog("a;b\r\na\r\n");
  SetLoaderLogSink(previous);
  auto escaped = [](const std::string& s) { return std::regex_replace(s, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"); };
  const std::string d = escaped(platform::DateSeparator()), t = escaped(platform::TimeSeparator());
  const std::string stamp = "\\d\\d" + d + "\\d\\d" + d + "\\d\\d \\d\\d" + t + "\\d\\d" + t + "\\d\\d ";
  const std::vector<std::string> texts = {"Started", "NFE:pSection = Car", "Indexing core.ini", "a;b\r\na\r\n"};
  ASSERT_EQ(entries.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_TRUE(std::regex_match(entries[i], std::regex(stamp + escaped(texts[i])))) << entries[i];
  // Day first, the two-digit year third (a run across midnight is not expected).
  EXPECT_EQ(std::stoi(entries[0].substr(0, 2)) * 100 + std::stoi(entries[0].substr(6, 2)), now.day * 100 + now.year % 100);
}

// {game}, {follow}, {dir}; "{set game}": the Set entries of the game's folder. Every run replaces
// an old log. A run that reaches the kills exits 0 and has started the game; one whose handler
// took over exits 1 and names the step. The follow-up starts whenever the line has three fields.
TEST_F(LaunchEndToEnd, EachRunLogsItsStepsInOrder) {
  struct Case {
    std::string line;
    std::vector<std::string> middle;
    std::string failedStep = {};  // "" for exit status 0 and nothing on stderr
  };
  const Case cases[] = {
      // Every failure goes straight to the hand-off: no "Out of GPL".
      {"{game};{follow}", {}, "splitting the command line '{game};{follow}'"},
      {";{follow};", {"Calling GPL:;{follow};", "", "{follow}", "", "", "RunApp:"}, "starting the game ''"},
      // A backslash first of all leaves no folder to set, and so no drive either.
      {"\\:gpl.exe;;", {"Calling GPL:\\:gpl.exe;;", "\\:gpl.exe", "", "", "", "RunApp:\\:gpl.exe"},
       "starting the game '\\:gpl.exe'"},
      {"{dir}\\game\\missing.exe;{follow};",
       {"{set game}", "Calling GPL:{dir}\\game\\missing.exe;{follow};", "{dir}\\game\\missing.exe", "{follow}", "", "",
        "RunApp:{dir}\\game\\missing.exe"},
       "starting the game '{dir}\\game\\missing.exe'"},
      // An empty profile name leaves the Profiles folder untouched.
      {"{game};;", {"{set game}", "Calling GPL:{game};;", "{game}", "", "", "", "RunApp:{game}", "Out of GPL"}},
      // Last: its records are read below.
      {"{game};{follow};",
       {"{set game}", "Calling GPL:{game};{follow};", "{game}", "{follow}", "", "", "RunApp:{game}", "Out of GPL"}}};
  auto expand = [&](const std::string& s) {
    return Replaced(s, {{"{game}", game}, {"{follow}", followUp}, {"{dir}", dir.Text()}});
  };
  for (const Case& c : cases) {
    const std::string line = expand(c.line);
    SCOPED_TRACE(line);
    for (const char* record : {"game.txt", "followup.txt"}) fs::remove(dir / record);
    WriteBytes(Log(), "old run\r\n");
    const Captured run = RunLoader(line);
    EXPECT_EQ(run.exitCode, c.failedStep.empty() ? 0 : 1) << run.err;
    if (c.failedStep.empty()) EXPECT_EQ(run.err, "");
    else EXPECT_EQ(run.err.find("orvo-loader: " + expand(c.failedStep)), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.failedStep.empty() ? 0 : 1) << "one line";
    std::vector<std::string> expected = {"Started", line};
    for (const auto& m : c.middle)
      m == "{set game}" ? AddSetEntries(expected, dir.Text("game")) : expected.push_back(expand(m));
    AddSetEntries(expected, dir.Text("loader"));
    EXPECT_EQ(LogLines(Log()), expected);
    EXPECT_EQ(fs::exists(dir / "game.txt"), c.failedStep.empty());
    EXPECT_TRUE(c.line.find(";{follow};") == std::string::npos || WaitForFile(dir / "followup.txt"));
    EXPECT_FALSE(fs::exists(dir / "loader" / "Profiles"));
  }
  // The game runs in its folder with its arguments, shown normally; the follow-up minimised
  // in the loader's folder.
  const auto gameRecord = ReadRecord(dir / "game.txt");
  EXPECT_EQ(gameRecord.at("cwd") + " " + gameRecord.at("args") + " " + gameRecord.at("show"),
            dir.Text("game") + " record|" + dir.Text("game.txt") + "|300 1");
  const auto followRecord = ReadRecord(dir / "followup.txt");
  EXPECT_EQ(followRecord.at("cwd") + " " + followRecord.at("show"), dir.Text("loader") + " 2");
}

struct ProfileCase {
  const char* name;
  std::string profile;  // {a}, {b}, {c}: companions recording to a.txt, b.txt, c.txt; "" = no file
  // From the first "Indexing"/"Started:" up to "Calling GPL:". {pid:x} is x's id: exactly the
  // companions named so run, and each program started is killed after the game in that order.
  std::vector<std::string> entries;
  // After "Out of GPL"; none: the kill of every program started, in that order.
  std::vector<std::string> ends = {};
  std::vector<std::string> closed = {};   // the files of those that were asked to close and did
  std::vector<std::string> orphans = {};  // starters whose grandchild outlives the run
  std::string index = {};                 // an index file newer than the profile; "" = none
  std::string gameWaitsFor = {};          // the game ends only after these records are there
};

TEST_F(LaunchEndToEnd, ProfileProgramsStartAndEndAroundTheGame) {
  // {a}: a companion that runs until it is killed; {a now}: one that ends at once; {a close}:
  // one that writes a.txt.closed when asked to close, and goes; {a deaf}: one that does not
  // go; {a>exit}: a starter that starts a grandchild ({a close} as a.txt.grandchild) and
  // exits; {a>stay}: one that stays.
  auto pid = [&](const std::string& n) { return ReadRecord(dir / (n + ".txt")).at("pid"); };
  auto expand = [&](const std::string& s) {
    std::vector<std::pair<std::string, std::string>> marks = {{"{dir}", dir.Text()}};
    for (const std::string n : {"a", "b", "c"}) {
      marks.push_back({"{" + n + "}", Helper("record", n, " forever")});
      marks.push_back({"{" + n + " now}", Helper("record", n, " 0")});
      marks.push_back({"{" + n + " close}", Helper("closes", n)});
      marks.push_back({"{" + n + " deaf}", Helper("stubborn", n)});
      for (const std::string how : {"exit", "stay"}) marks.push_back({"{" + n + ">" + how + "}", Helper("starter", n, " " + how)});
      if (s.find("{pid:" + n + "}") != std::string::npos) marks.push_back({"{pid:" + n + "}", pid(n)});
    }
    return Replaced(s, marks);
  };
  const std::string starters = " {dir}\\a.txt {dir}\\b.txt";
  const ProfileCase cases[] = {
      {"TwoCompanionsByNumberNotOrder", "; two\r\n[1]\r\npath = {b}\r\n\r\n[ 0 ]\r\npath={a}\r\nother = x\r\n",
       {"Indexing P.bst", "Started: {a} as {pid:a}", "Started: {b} as {pid:b}"}},
      // A program that cannot be started is logged as 0, killed as 0, and the next one starts.
      {"EmptyPathAndNoSuchProgram", "[0]\r\npath=\r\n[1]\r\npath={dir}\\none.exe\r\n[2]\r\npath={b}\r\n",
       {"Indexing P.bst", "Started:  as 0", "Started: {dir}\\none.exe as 0", "Started: {b} as {pid:b}"}},
      {"CompanionEndedDuringTheGame", "[0]\r\npath={a now}\r\n", {"Indexing P.bst", "Started: {a now} as {pid:a}"}},
      {"MissingProfile", "", {}},
      // What a starter started outlives it, unless its section asks for the whole tree. The game
      // lasts until the starters have started theirs.
      {"StartersAlone", "[0]\r\npath={a>exit}\r\n[1]\r\npath={b>stay}\r\nkill = process\r\n",
       {"Indexing P.bst", "Started: {a>exit} as {pid:a}", "Started: {b>stay} as {pid:b}"}, {}, {}, {"a", "b"}, {}, starters},
      {"StartersWithTheirTrees", "[0]\r\npath={a>exit}\r\nkill = tree\r\n[1]\r\nKill=Tree\r\npath={b>stay}\r\n",
       {"Indexing P.bst", "Started: {a>exit} as {pid:a}", "Started: {b>stay} as {pid:b}"}, {}, {}, {}, {}, starters},
      // Only a program with "close" is asked; the others end as always, after the one wait.
      {"AskedToCloseClosesByItself", "[0]\r\npath={a close}\r\nkill = close\r\n[1]\r\npath={b close}\r\n",
       {"Indexing P.bst", "Started: {a close} as {pid:a}", "Started: {b close} as {pid:b}"},
       {"Closed Process{pid:a} by itself", "Killed Process{pid:b}"}, {"a.txt.closed"}},
      {"AskedToCloseEndedAfterTheWait",
       "[Loader]\r\nclose wait = 0.5\r\n[0]\r\npath={a deaf}\r\nkill=CLOSE\r\n[1]\r\npath={b close}\r\nkill=close\r\n",
       {"Indexing P.bst", "Started: {a deaf} as {pid:a}", "Started: {b close} as {pid:b}"},
       {"Killed Process{pid:a} after the wait of 0.5 s", "Closed Process{pid:b} by itself"}, {"b.txt.closed"}},
      // Gone before it is asked: nothing to wait for. A slot without a program is not asked.
      {"AskedToCloseAlreadyGone", "[0]\r\npath={a now}\r\nkill = close\r\n[1]\r\npath=\r\nkill = close\r\n",
       {"Indexing P.bst", "Started: {a now} as {pid:a}", "Started:  as 0"}, {"Closed Process{pid:a} by itself", "Killed Process0"}},
      // The whole tree is asked: a starter gone before, or one that stays, and their grandchildren.
      {"AskedToCloseWithTheTree",
       "[0]\r\npath={a>exit}\r\nkill = close tree\r\n[1]\r\nkill = Tree Close\r\npath={b>stay}\r\n",
       {"Indexing P.bst", "Started: {a>exit} as {pid:a}", "Started: {b>stay} as {pid:b}"},
       {"Closed Process{pid:a} by itself", "Closed Process{pid:b} by itself"},
       {"a.txt.grandchild.closed", "b.txt.grandchild.closed"}, {}, {}, starters},
      // A newer index file is loaded with the profile and answers its lookups: no "Indexing".
      {"NewerIndexFileAnswers", "[0]\r\npath={a}\r\n", {"Started: {b} as {pid:b}"}, {}, {}, {}, "\r\nPATH\r\n0\r\n{b}\r\n12\r\n"}};
  for (const ProfileCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> closedFiles = {"a.txt.closed", "b.txt.closed", "a.txt.grandchild.closed",
                                                  "b.txt.grandchild.closed"};
    for (const char* n : {"a.txt", "b.txt", "c.txt", "loader/Profiles/P.bst", "loader/Profiles/P.gix"}) fs::remove(dir / n);
    for (const std::string& n : closedFiles) fs::remove(dir / n);
    fs::create_directories(dir / "loader" / "Profiles");
    // A debug settings file beside the loader is never read by a run: no kill is confirmed.
    WriteBytes(dir / "loader" / "OrvoDebug.ini", "[Debug]\r\nTestMode = 1\r\n");
    if (!c.profile.empty()) WriteBytes(dir / "loader" / "Profiles" / "P.bst", expand(c.profile));
    if (!c.index.empty()) {
      WriteBytes(dir / "loader" / "Profiles" / "P.gix", expand(c.index));
      fs::last_write_time(dir / "loader" / "Profiles" / "P.gix",
                          fs::last_write_time(dir / "loader" / "Profiles" / "P.bst") + std::chrono::seconds(5));
    }
    const std::string gameCommand = game + expand(c.gameWaitsFor), line = gameCommand + ";;P";
    RunLoader(line);
    for (const std::string& n : closedFiles)
      EXPECT_EQ(fs::exists(dir / n), std::count(c.closed.begin(), c.closed.end(), n) > 0) << n;
    for (const std::string n : {"a", "b", "c"}) {
      const bool ran = std::any_of(c.entries.begin(), c.entries.end(),
                                   [&](const std::string& e) { return e.find("{pid:" + n + "}") != std::string::npos; });
      ASSERT_EQ(ran ? WaitForFile(dir / (n + ".txt")) : fs::exists(dir / (n + ".txt")), ran) << n;
      if (!ran) continue;
      EXPECT_EQ(ReadRecord(dir / (n + ".txt")).at("cwd"), dir.Text("game")) << n;
      EXPECT_FALSE(ProcessIsRunning(std::stoul(pid(n)))) << n << " outlived the loader";
      if (c.profile.find("{" + n + ">") == std::string::npos) continue;
      const fs::path grandchild = dir / (n + ".txt.grandchild");
      ASSERT_TRUE(fs::exists(grandchild)) << n << " started no grandchild";
      const unsigned grandchildId = std::stoul(ReadRecord(grandchild).at("pid"));
      const bool orphan = std::count(c.orphans.begin(), c.orphans.end(), n) > 0;
      EXPECT_TRUE(orphan ? ProcessIsRunning(grandchildId) : WaitForProcessEnd(grandchildId))
          << n << "'s grandchild " << (orphan ? "was ended" : "outlived the loader");
      EndProcess(grandchildId);
      WaitForProcessEnd(grandchildId);  // asked to close, it writes its file on the way out
      fs::remove(grandchild);
    }
    std::vector<std::string> expected = {"Started", line};
    AddSetEntries(expected, dir.Text("game"));
    for (const auto& e : c.entries) expected.push_back(expand(e));
    expected.insert(expected.end(), {"Calling GPL:" + line, gameCommand, "", "P", "", "RunApp:" + gameCommand, "Out of GPL"});
    for (const auto& e : c.entries)
      if (e.rfind("Started:", 0) == 0 && c.ends.empty()) expected.push_back("Killed Process" + expand(e.substr(e.rfind(' ') + 1)));
    for (const auto& e : c.ends) expected.push_back(expand(e));
    AddSetEntries(expected, dir.Text("loader"));
    EXPECT_EQ(LogLines(Log()), expected);
  }
}

// A loader that is ended while the game runs takes its tree-mode companions with it, with
// everything they started.
TEST_F(LaunchEndToEnd, ALoaderEndedDuringTheGameTakesItsTreesWithIt) {
  fs::create_directories(dir / "loader" / "Profiles");
  WriteBytes(dir / "loader" / "Profiles" / "P.bst",
             "[0]\r\npath=" + Helper("starter", "a", " stay") + "\r\nkill = tree\r\n");
  const std::string endlessGame = dir.Text("game\\gpl.exe") + " record " + dir.Text("game.txt") + " forever";
  const std::uint32_t loaderId = platform::ShellStart(Quoted(loader) + " " + endlessGame + ";;P", platform::kShowNormal);
  const platform::NativeHandle loaderHandle = platform::OpenProcessForWait(loaderId);
  for (const char* record : {"game.txt", "a.txt", "a.txt.grandchild"}) ASSERT_TRUE(WaitForFile(dir / record)) << record;
  EndProcess(loaderId);
  platform::WaitForProcess(loaderHandle);
  platform::CloseProcessHandle(loaderHandle);
  EndProcess(std::stoul(ReadRecord(dir / "game.txt").at("pid")));
  for (const char* record : {"a.txt", "a.txt.grandchild"})
    EXPECT_TRUE(WaitForProcessEnd(std::stoul(ReadRecord(dir / record).at("pid")))) << record << " outlived the loader";
}

}  // namespace
}  // namespace orvo::test
