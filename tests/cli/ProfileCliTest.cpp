// orvo profile show | check | add on one table of profiles: the programs in the loader's start
// order, one line per problem that keeps the loader from starting a listed program, and a new
// section added through the engine with the rest of the file byte for byte as it was.
#include <gtest/gtest.h>

#include "platform/files.h"

#include "cli/CliRun.h"
#include "platform/code_page.h"
#include "platform/host_path.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

// In a profile, {P} stands for a program that exists, {Q} for one in a folder with a blank,
// {D} for the test's folder.
struct ProfileCase {
  const char* name;
  std::string profile;
  std::vector<std::string> shown;     // orvo profile show
  std::vector<std::string> problems;  // orvo profile check; none: it passes
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }

const std::string kNumberThem = " (number the sections 0, 1, 2 ... without a gap)";
const std::string kCheckIt = " (check the program's path)";
const std::string kTakenAsProcess = ", which the loader takes as process (close, tree, close tree or process)";
const std::string kSeconds = " (write the seconds from 0 to 60, such as 10)";

std::string Filled(const std::string& text, const TempDir& dir) {
  const std::string program = "prog" + ExeSuffix();
  return Replaced(text, {{"{P}", dir.Text(program)}, {"{Q}", dir.Text("with blank\\" + program)}, {"{D}", dir.Text()}});
}

class ProfileCli : public testing::TestWithParam<ProfileCase> {
 protected:
  void SetUp() override {
    fs::create_directory(dir / "with blank");
    for (const fs::path& to : {dir / ("prog" + ExeSuffix()), dir / "with blank" / ("prog" + ExeSuffix())})
      fs::copy_file(HelperExe(), to);
  }
  TempDir dir;
};

TEST_P(ProfileCli, ShowsAndChecksAsTheLoaderStarts) {
  const ProfileCase& c = GetParam();
  WriteBytes(dir / "race.bst", Filled(c.profile, dir));
  const Captured show = Orvo({"profile", "show", "race.bst"}, dir.path());
  EXPECT_EQ(show.exitCode, 0) << show.err;
  EXPECT_EQ(show.out, Filled(Printed(c.shown), dir));
  const Captured check = Orvo({"profile", "check", "race.bst"}, dir.path());
  EXPECT_EQ(check.exitCode, c.problems.empty() ? 0 : 1) << check.err;
  const std::string passes = "race.bst: " + std::to_string(c.shown.size()) + " to start, none missing";
  EXPECT_EQ(check.out, Filled(Printed(c.problems.empty() ? std::vector{passes} : c.problems), dir));
}

const ProfileCase kProfiles[] = {
    {"InSectionOrderNotTextOrder", "[1]\r\npath={P} b\r\n[0]\r\npath = {P} a ; note\r\n[ 2 ]\r\npath=\"{Q}\" c\r\n",
     {"[0] {P} a", "[1] {P} b", "[2] \"{Q}\" c"}, {}},
    {"AGapNamesTheSectionsNeverStarted", "[0]\r\npath={P}\r\n[3]\r\npath={P}\r\n[ 2 ]\r\n[9]\r\n[01]\r\n",
     {"[0] {P}"}, {"no section [1]: [2], [3], [9] after it are never started" + kNumberThem}},
    {"NoSectionZero", "[1]\r\npath={P}\r\n", {}, {"no section [0]: [1] after it is never started" + kNumberThem}},
    {"MissingAndEmptyPaths", "[0]\r\nother={P}\r\n[1]\r\npath=\r\n", {"[0] ", "[1] "},
     {"[0] has no \"path\" (add the line \"path = \" and the program's path)",
      "[1] has an empty \"path\" (write the program's path after \"path =\")"}},
    {"AProgramThatIsNotThere", "[0]\r\npath={D}\\gone.exe -a\r\n[1]\r\npath=\"\" -a\r\n[2]\r\npath=\"{D}\\with blank\"\r\n",
     {"[0] {D}\\gone.exe -a", "[1] \"\" -a", "[2] \"{D}\\with blank\""},
     {"[0] no program '{D}\\gone.exe'" + kCheckIt, "[1] no program ''" + kCheckIt,
      "[2] '{D}\\with blank' is a folder, which the loader cannot start (give the program in it)"}},
    {"AnEmptyProfile", "; nothing yet\r\n", {}, {}},
    // The loader reads bytes: a mark hides the first header (UTF-16 hides every one: the
    // command check's UTF16Profile).
    {"UTF8ByteOrderMark", "\xEF\xBB\xBF[0]\r\npath={P}\r\n[1]\r\npath={P}\r\n", {},
     {"race.bst begins with a UTF-8 byte-order mark: the game and the loader do not see the section [0] on its "
      "first line (save it without the mark)"}},
    {"KillModes",
     "[0]\r\npath={P} a\r\nkill = Tree\r\n[1]\r\npath={P} b\r\nkill=process\r\n[2]\r\npath={P} c\r\nkill=all\r\n"
     "[3]\r\npath={P} d\r\nkill = tree  CLOSE\r\n[4]\r\npath={P} e\r\nkill=close close\r\n[5]\r\npath={P} f\r\nkill=close "
     "process\r\n[Loader]\r\nclose wait = 2.5\r\n",
     {"[0] {P} a  (kill = tree)", "[1] {P} b", "[2] {P} c", "[3] {P} d  (kill = close tree)", "[4] {P} e",
      "[5] {P} f  (kill = close)"},
     {"[2] \"kill\" is 'all'" + kTakenAsProcess, "[4] \"kill\" is 'close close'" + kTakenAsProcess}},
    {"CloseWaitNotANumber", "[0]\r\npath={P}\r\nkill=close\r\n[Loader]\r\nclose wait = 5s\r\n", {"[0] {P}  (kill = close)"},
     {"[Loader] \"close wait\" is '5s', not a number of seconds: the loader waits 5 seconds" + kSeconds}},
    {"CloseWaitTooLong", "[Loader]\r\nclose wait = 60.5\r\n[0]\r\npath={P}\r\n", {"[0] {P}"},
     {"[Loader] \"close wait\" is '60.5', longer than the loader waits: it waits 60 seconds" + kSeconds}},
};

INSTANTIATE_TEST_SUITE_P(Profiles, ProfileCli, testing::ValuesIn(kProfiles), testing::PrintToStringParamName());

// A shortcut's bytes, as Explorer writes them, leading to target: the head, then the link
// information with the local path and an empty suffix.
std::string Shortcut(const std::string& target) {
  const auto word = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  std::string head = word(76) + std::string(16, '\x01') + word(0x2) + std::string(52, '\0');
  const auto size = static_cast<std::uint32_t>(28 + target.size() + 2);
  return head + word(size) + word(28) + word(1) + word(0) + word(28) + word(0) + word(28 + target.size() + 1) + target +
         std::string(2, '\0');
}

// What the process start finds and does not start is a finding that says what to give instead:
// on Windows a shortcut, an internet link, a document; on Linux a file that may not be
// executed. A path with blanks and no quotes: Windows' start reads past the blanks and finds
// the program, which is a warning; Linux's cuts it at the first, which is a finding.
TEST_F(ProfileCli, FindsWhatTheStartWouldNotStart) {
  const bool windows = !ExeSuffix().empty();
  WriteBytes(dir / "mine.lnk", Shortcut("C:\\GPL\\mine.exe"));
  WriteBytes(dir / "site.url", "[InternetShortcut]\r\nURL=https://example.org/race\r\n");
  WriteBytes(dir / "notes.txt", "laps");
  WriteBytes(dir / "race.bst", Filled("[0]\r\npath={D}\\mine.lnk\r\n[1]\r\npath={D}\\site.url\r\n[2]\r\npath={D}\\notes.txt\r\n"
                                      "[3]\r\npath={Q} -x\r\n", dir));
  const Captured check = Orvo({"profile", "check", "race.bst"}, dir.path());
  EXPECT_EQ(check.exitCode, 1);
  const std::string mayNot = " may not be executed, so the loader cannot start it (make it executable, or give the program "
                             "that opens it)";
  EXPECT_EQ(check.out, Filled(Printed(windows ? std::vector<std::string>{
      "[0] '{D}\\mine.lnk' is a shortcut, which the loader cannot start (give the program it leads to: C:\\GPL\\mine.exe)",
      "[1] '{D}\\site.url' is an internet link, which the loader cannot start (give the program that opens it, with the "
      "address after it: https://example.org/race)",
      "[2] '{D}\\notes.txt' is no program but a document, which the loader cannot start (give the program that opens it, "
      "with the document after it)"} : std::vector<std::string>{
      "[0] '{D}\\mine.lnk'" + mayNot, "[1] '{D}\\site.url'" + mayNot, "[2] '{D}\\notes.txt'" + mayNot,
      "[3] \"path\" has blanks and no double quotes, and its first word '{D}\\with' names no program (put the "
      "program's path in double quotes)"}), dir));
  EXPECT_EQ(check.err.find("warning: [3] \"path\" has blanks and no double quotes: the loader finds") != std::string::npos,
            windows) << check.err;
}

// A profile saved as UTF-8 (Notepad's choice today): Windows reads each byte of an "é" as a
// character of its ANSI code page (1252 here), and the line names what the loader will read;
// Linux takes the name as written and finds the program.
TEST(ProfileEncodingCli, NamesAUtf8PathAsTheLoaderReadsIt) {
  TempDir dir;
  fs::create_directory(dir / "L\xC3\xA9gendes");
  fs::copy_file(HelperExe(), dir / "L\xC3\xA9gendes" / "prog");
  // The bytes as they stand: a path text made from a file-system path would be converted.
  WriteBytes(dir / "race.bst", "[0]\r\npath=" + dir.Text() + "\\L\xC3\xA9gendes\\prog -x\r\n");
  const Captured check = Orvo({"profile", "check", "race.bst"}, dir.path());
  const bool windows = !ExeSuffix().empty();
  EXPECT_EQ(check.exitCode, windows ? 1 : 0) << check.err;
  EXPECT_EQ(check.out, Printed({windows ? "[0] \"path\" is saved as UTF-8, which the loader reads as '" +
                                              dir.Text() + "\\L\xC3\x83\xC2\xA9gendes\\prog" +
                                              " -x' (open it in Notepad, choose Save As and the encoding ANSI)"
                                        : "race.bst: 1 to start, none missing"}));
}

// check --command: the shortcut's text against a loader folder with its profiles and a game
// folder with the game and a companion that a relative path names (found from the game's
// folder only). {G}: the game's path text, {g}: as orvo shows it, {L}: the loader's folder as
// shown, {/}: the separator shown, {long}: a profile name too long for the loader.
struct CommandCase {
  const char* name;
  std::string command;
  std::vector<std::string> printed;  // exit 1 unless it is the one line "all is well: ..."
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class CommandCheck : public testing::TestWithParam<CommandCase> {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "loader" / "Profiles");
    fs::create_directory(dir / "game");
    for (const std::string& name : {"gpl.exe" + std::string(), "prog" + ExeSuffix()}) fs::copy_file(HelperExe(), dir / "game" / name);
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"Race", "[0]\r\npath=.\\prog -x\r\n[1]\r\npath=.\\prog -y\r\n"},
             {"Gap", "[1]\r\npath=.\\prog\r\n"},
             {"Wide", std::string("\xFF\xFE[\0", 4)}})
      WriteBytes(dir / "loader" / "Profiles" / (name + ".bst"), text);
  }
  std::string Filled(const std::string& text) const {
    return Replaced(text, {{"{G}", dir.Text("game\\gpl.exe")}, {"{g}", platform::ToHostPath(dir.Text("game\\gpl.exe"))},
                           {"{L}", platform::ToHostPath(dir.Text("loader"))}, {"{/}", platform::ToHostPath("\\")},
                           {"{D}", dir.Text()}, {"{long}", Long()}, {"{limit}", std::to_string(kLimit)},
                           {"{n}", std::to_string(dir.Text("loader\\Profiles\\").size() + Long().size() + 4)}});
  }
  // A profile name that makes the profile's path longer than the loader can use.
  static std::string Long() { return std::string(kLimit - 4, 'x'); }
  static inline const std::size_t kLimit = platform::LongestLoaderPath();
  TempDir dir;
};

TEST_P(CommandCheck, FindsWhatTheLoaderWouldNotDoAsMeant) {
  const CommandCase& c = GetParam();
  const Captured run =
      Orvo({"profile", "check", "--command", Filled(c.command), "--loader-folder", dir.Text("loader")}, dir.path());
  EXPECT_EQ(run.exitCode, c.printed.front().rfind("all is well", 0) == 0 ? 0 : 1) << run.err;
  EXPECT_EQ(run.out, Filled(Printed(c.printed)));
  EXPECT_EQ(run.err, "");
}

const std::string kNoCompanions = ": the loader starts no program beside the game (";
const CommandCase kCommands[] = {
    {"AllIsWell", "{G} -w;;Race", {"all is well: the game '{g}', 2 programs from '{L}{/}Profiles{/}Race.bst', no follow-up"}},
    {"NoProfileNoFollowUp", "{G};;", {"all is well: the game '{g}', no profile, no follow-up"}},
    {"OneSemicolon", "{G};Race",
     {"the command has fewer than two ';': the loader starts nothing and ends (write game;follow-up;profile, leaving a "
      "field empty where you want none, as in C:\\Sierra\\GPL\\gpl.exe;;Race)"}},
    {"EmptyGame", " ;;",
     {"the game's field, before the first ';', is empty: the loader starts no game (write the game's program there, "
      "such as C:\\Sierra\\GPL\\gpl.exe)"}},
    // In quotes the loader finds no folder to make current: the companions are not found.
    {"QuotedGame", "\"{G}\";;Race",
     {"the game's field is in double quotes: the loader then starts the game and the profile's programs in the wrong "
      "folder (write the game's path without quotes; blanks in it are fine)",
      "[0] no program '.\\prog' (check the program's path)", "[1] no program '.\\prog' (check the program's path)"}},
    {"NoGame", "{D}\\game\\gone.exe;;",
     {"no game program in '{D}\\game\\gone.exe': the loader starts no game and ends (check the game's path)"}},
    {"ProfileWithBst", "{G};;Race.bst",
     {"no profile '{L}{/}Profiles{/}Race.bst.bst'" + kNoCompanions + "write the profile's name without .bst: Race)"}},
    {"MisspeltProfile", "{G};;Rcae", {"no profile '{L}{/}Profiles{/}Rcae.bst'" + kNoCompanions + "the profiles there: Gap, Race, Wide)"}},
    {"LongerThanTheLoaderTakes", "{G};;{long}",
     {"the profile '{L}{/}Profiles{/}{long}.bst' has {n} characters, more than the {limit} the loader can use (move it "
      "to a folder with a shorter path)",
      "no profile '{L}{/}Profiles{/}{long}.bst'" + kNoCompanions + "the profiles there: Gap, Race, Wide)"}},
    {"UTF16Profile", "{G};;Wide",
     {"{L}{/}Profiles{/}Wide.bst begins with a UTF-16 byte-order mark: the game and the loader see none of its sections or "
      "entries (save it as ANSI)"}},
    {"NoFollowUp", "{G};{D}\\gone;",
     {"no follow-up program in '{D}\\gone': the loader skips it without a word (check its path, or leave the field "
      "empty)"}},
};

INSTANTIATE_TEST_SUITE_P(Profiles, CommandCheck, testing::ValuesIn(kCommands), testing::PrintToStringParamName());

// The log as the loader will use it: an old log that cannot be deleted (read-only on Windows;
// in a folder that the user may not change on Linux, where the check runs as an ordinary user)
// and a folder that takes no new log are findings, each with its mend.
TEST_F(CommandCheck, LooksAtTheLogAsTheLoaderWillUseIt) {
  const bool windows = !ExeSuffix().empty();
  const std::string orvo = (BinFolder() / ("orvo" + ExeSuffix())).string();
  for (const bool oldLog : {true, false}) {
    SCOPED_TRACE(oldLog ? "an old log" : "no log yet");
    if (oldLog) WriteBytes(dir / "loader" / "LoaderLog.txt", "the last run\r\n");
    if (windows && oldLog) platform::SetReadOnly(dir.Text("loader\\LoaderLog.txt"), true);
    if (!windows) fs::permissions(dir.path(), fs::perms::all), fs::permissions(dir / "loader", fs::perms(0555));
    const std::vector<std::string> arguments = {"profile", "check", "--command", Filled("{G};;Race"), "--loader-folder", dir.Text("loader")};
    std::string line = AsAnOrdinaryUser() + "'" + orvo + "'";
    for (const std::string& a : arguments) line += " '" + a + "'";
    const Captured run = windows ? Orvo(arguments, dir.path()) : RunCapturing("/bin/sh", {"-c", line}, dir.path());
    if (windows && oldLog) platform::SetReadOnly(dir.Text("loader\\LoaderLog.txt"), false);
    if (!windows) fs::permissions(dir / "loader", fs::perms::all);
    fs::remove(dir / "loader" / "LoaderLog.txt");
    EXPECT_EQ(run.exitCode, windows && !oldLog ? 0 : 1) << run.err;
    const char* finding = oldLog ? "the loader's old log " : "takes no new file: the loader then runs with no log";
    EXPECT_EQ(run.out.find(finding) != std::string::npos, !windows || oldLog) << run.out;
  }
}

// add: the next section after the last one the loader starts, laid out as the engine lays out
// a new section, its header written as most of the file's headers are.
struct AddCase {
  const char* name;
  std::string before;  // "": no file
  std::vector<std::string> arguments;
  int exitCode;
  std::string after;  // the file afterwards
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class ProfileAdd : public testing::TestWithParam<AddCase> {};

TEST_P(ProfileAdd, AppendsTheNextSectionAndKeepsTheRest) {
  const AddCase& c = GetParam();
  TempDir dir;
  if (!c.before.empty()) WriteBytes(dir / "race.bst", c.before);
  std::vector<std::string> arguments = {"profile", "add", "race.bst", "--no-backup"};
  arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
  const Captured run = Orvo(arguments, dir.path());
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
  EXPECT_TRUE(c.exitCode == 0 ? run.err.empty() : OneFailureLine(run.err)) << run.err;
  EXPECT_EQ(c.after.empty() ? "" : ReadBytes(dir / "race.bst"), c.after);
}

const AddCase kAdds[] = {
    {"QuotesAPathAndAnArgumentWithBlanks", "[0]\r\npath=a.exe ; first\r\n\r\n; end\r\n",
     {"C:\\Program Files\\t.exe", "-w", "two words"}, 0,
     "[0]\r\npath=a.exe ; first\r\n\r\n; end\r\n\r\n[1]\r\npath = \"C:\\Program Files\\t.exe\" -w \"two words\"\r\n"},
    {"CreatesAMissingProfile", "", {"t.exe"}, 0, "[ 0 ]\r\npath = t.exe\r\n"},
    {"RefusesToFillAGap", "[0]\r\npath=a\r\n[2]\r\npath=c\r\n", {"t.exe"}, 1, "[0]\r\npath=a\r\n[2]\r\npath=c\r\n"},
    {"RefusesADoubleQuote", "[0]\r\npath=a\r\n", {"t.exe", "say \"hi\""}, 2, "[0]\r\npath=a\r\n"},
    {"WritesTheTreeEntry", "[0]\r\npath=a\r\n", {"--tree", "t.exe", "-x"}, 0,
     "[0]\r\npath=a\r\n\r\n[1]\r\npath = t.exe -x\r\nkill = tree\r\n"},
    {"WritesTheCloseEntryAndTheWait", "[0]\r\npath=a\r\n", {"--close", "--tree", "--close-wait", "7.50", "t.exe"}, 0,
     "[0]\r\npath=a\r\n\r\n[1]\r\npath = t.exe\r\nkill = close tree\r\n\r\n[Loader]\r\nclose wait = 7.5\r\n"},
    {"RefusesACloseWaitOverAMinute", "[0]\r\npath=a\r\n", {"--close-wait", "61", "t.exe"}, 2, "[0]\r\npath=a\r\n"},
    {"FollowsHeadersWithBlanks", "[ 0 ]\r\npath=a\r\n\n", {"t.exe"}, 0, "[ 0 ]\r\npath=a\r\n\r\n[ 1 ]\r\npath = t.exe\r\n"},
    {"MostHeadersDecide", "[0]\r\npath=a\r\n[1]\r\npath=b\r\n[ 2 ]\r\npath=c\r\n", {"t.exe"}, 0,
     "[0]\r\npath=a\r\n[1]\r\npath=b\r\n[ 2 ]\r\npath=c\r\n\r\n[3]\r\npath = t.exe\r\n"},
    {"ATieGoesToTheLastHeader", "[ 0 ]\r\npath=a\r\n[1]\r\npath=b", {"t.exe"}, 0,
     "[ 0 ]\r\npath=a\r\n[1]\r\npath=b\r\n\r\n[2]\r\npath = t.exe\r\n"},
    {"RefusesASemicolon", "[0]\r\npath=a\r\n", {"t.exe", "a;b"}, 2, "[0]\r\npath=a\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Profiles, ProfileAdd, testing::ValuesIn(kAdds), testing::PrintToStringParamName());

}  // namespace
}  // namespace orvo::test
