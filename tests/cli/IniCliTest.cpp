// orvo ini, hex and time on a file with comments, TABs, blank lines and each line-end style:
// the printed answer, the exit status, the file byte for byte afterwards with its backup, and
// nothing else written beside it. A command that fails leaves the file exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "cli/CliRun.h"
#include "ini/INIFile.h"
#include "support/Recorders.h"
#include "support/Regional.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

// '|' is the file's own line end; "\r\n" is what the engine writes for new lines.
const std::string kLeague = "top = 0|; league setup|[Options]|Speed = 12 ; km|Empty =|\tGears=5\t; box|; note|"
                            "Name = a = b \xE9 ||[ Car ]|model=Lotus 49|[Other] ;x|z=1|[Quote]|say = \"hi\" -x|[Key]|a\"b = 1|";

struct CliCase {
  const char* name;
  std::vector<std::string> arguments;  // player.ini and league.ini both hold kLeague
  int exitCode;
  std::vector<std::string> printed;  // exit 0: the lines on stdout; otherwise parts of the stderr line
  std::string from = {}, to = {};    // player.ini afterwards: kLeague with the first `from` made `to`
  bool readOnly = false;             // player.ini is read-only, as players make a game's file
};
void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

class OrvoCli : public testing::TestWithParam<std::tuple<CliCase, LineEndStyle>> {};

std::string CaseAndStyle(const testing::TestParamInfo<OrvoCli::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

TEST_P(OrvoCli, AnswersAndChangesOnlyWhatWasAsked) {
  const auto& [c, style] = GetParam();
  TempDir dir;
  const std::string before = InStyle(kLeague, style);
  for (const char* name : {"player.ini", "league.ini"}) WriteBytes(dir / name, before);
  if (c.readOnly) fs::permissions(dir / "player.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const fs::perms mode = fs::status(dir / "player.ini").permissions();
  const Captured run = Orvo(c.arguments, dir.path());
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
  EXPECT_EQ(run.out, c.exitCode == 0 ? Printed(c.printed) : "");
  EXPECT_TRUE(c.exitCode == 0 ? run.err.empty() : OneFailureLine(run.err)) << run.err;
  if (c.exitCode != 0) {
    for (const std::string& part : c.printed) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  }
  std::string after = kLeague;
  if (!c.from.empty()) after.replace(after.find(c.from), c.from.size(), c.to);
  EXPECT_EQ(ReadBytes(dir / "player.ini"), InStyle(after, style));
  // A save leaves the file with the mode it had: a read-only file stays read-only, so that
  // the game leaves it alone.
  EXPECT_EQ(fs::status(dir / "player.ini").permissions(), mode);
  EXPECT_EQ(ReadBytes(dir / "league.ini"), before);
  // A change is backed up unless --no-backup; nothing else is ever written.
  const bool backup = after != kLeague && std::count(c.arguments.begin(), c.arguments.end(), "--no-backup") == 0;
  EXPECT_EQ(backup ? ReadBytes(dir / "player.ini.PreOrvo") : before, before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), backup ? 3 : 2);
}

const std::string kOptions = "[Options]|Speed = 12 ; km|Empty =|\tGears=5\t; box|; note|Name = a = b \xE9 ||";

const CliCase kCommands[] = {
    {"GetAnyCase", {"ini", "get", "player.ini", "OPTIONS", "speed"}, 0, {"12"}},
    {"GetEmptyValue", {"ini", "get", "player.ini", "Options", "Empty"}, 0, {""}},
    {"GetBeforeAnyHeader", {"ini", "get", "player.ini", "", "top"}, 0, {"0"}},
    {"GetMissingEntry", {"ini", "get", "player.ini", "Options", "Gear"}, 1, {"no entry 'Gear' in [Options]"}},
    {"GetMissingFile", {"ini", "get", "absent.ini", "Options", "Speed"}, 1, {"cannot read absent.ini"}},
    {"SectionsMissingFile", {"ini", "sections", "absent.ini"}, 1, {"cannot read absent.ini"}},
    {"DeleteMissingFile", {"ini", "delete", "absent.ini", "Car", "model"}, 1, {"cannot read absent.ini"}},
    {"Sections", {"ini", "sections", "player.ini"}, 0, {"Options", "Car", "Quote", "Key"}},
    {"Entries", {"ini", "entries", "player.ini", "options"}, 0, {"Speed=12", "Empty=", "Gears=5", "Name=a = b \xE9"}},
    {"EntriesMissingSection", {"ini", "entries", "player.ini", "Truck"}, 1, {"no section [Truck]"}},
    {"KoNumberFromFileName", {"ini", "ko", "player.ini", "options"}, 0,
     {" -ko\"20:options:Speed:12\" -ko\"20:options:Empty:\" -ko\"20:options:Gears:5\" -ko\"20:options:Name:a = b \xE9\""}},
    {"KoNotAGameFile", {"ini", "ko", "league.ini", "Car"}, 2, {"--number"}},
    {"KoRenamedAndNumbered", {"ini", "ko", "league.ini", "car", "--as", "Race", "--number", "0"}, 0,
     {" -ko\"0:Race:model:Lotus 49\""}},
    // A double quote would end the parameter and pass the rest to the game as its own.
    {"KoRefusesQuoteInValue", {"ini", "ko", "player.ini", "quote"}, 1, {"'say' in [quote] of player.ini", "double quote"}},
    {"KoRefusesQuoteInEntryName", {"ini", "ko", "player.ini", "Key"}, 1, {"'a\"b' in [Key]"}},
    {"KoRefusesQuoteInSectionName", {"ini", "ko", "player.ini", "car", "--as", "R\"x"}, 1, {"[R\"x]"}},
    {"KoRawPrintsIt", {"ini", "ko", "player.ini", "Quote", "--raw"}, 0, {" -ko\"20:Quote:say:\"hi\" -x\""}},
    {"SetBlanksEqualsAndBytes", {"ini", "set", "player.ini", "Car", "model", "Lotus = 49 \xE9"}, 0, {}, "Lotus 49",
     "Lotus = 49 \xE9"},
    {"SetNegativeValueThenOption", {"ini", "set", "player.ini", "Car", "model", "-.5", "--no-backup"}, 0, {},
     "Lotus 49", "-.5     "},
    {"SetSameValueWritesNothing", {"ini", "set", "player.ini", "Options", "Speed", " 12 "}, 0, {}},
    {"SetMissingFile", {"ini", "set", "absent.ini", "Truck", "Gear", "3"}, 1, {"cannot read absent.ini"}},
    // A box of the engine becomes a line on stderr: stdin is empty and nothing waits.
    {"AddSaveFails", {"ini", "set", "no-such-folder/x.ini", "Truck", "Gear", "3", "--add"}, 1, {" in Save "}},
    {"SetMissingEntry", {"ini", "set", "player.ini", "Options", "Gear", "3"}, 1, {"--add"}},
    {"Add", {"ini", "set", "player.ini", "car", "Gear", "3", "--add"}, 0, {}, "model", "Gear = 3\r\nmodel"},
    {"RefuseSemicolonInValue", {"ini", "set", "player.ini", "Car", "model", "a;b"}, 2, {"';'"}},
    {"RefuseLoneCrInValue", {"ini", "set", "player.ini", "Car", "model", "a\rb"}, 2, {"holds a line end"}},
    {"RefuseEqualsInName", {"ini", "set", "player.ini", "Car", "a=b", "1", "--add"}, 2, {"'='"}},
    {"RefuseEmptySection", {"ini", "set", "player.ini", "", "x", "1", "--add"}, 2, {"SECTION"}},
    {"DeleteEntry", {"ini", "delete", "player.ini", "options", "speed"}, 0, {}, "Speed = 12 ; km|", ""},
    {"SetReadOnly", {"ini", "set", "player.ini", "Car", "model", "Brabham"}, 0, {}, "Lotus 49", "Brabham ", true},
    {"DeleteSection", {"ini", "delete", "player.ini", "OPTIONS", "--no-backup"}, 0, {}, kOptions, ""},
    {"DeleteMissingEntry", {"ini", "delete", "player.ini", "Car", "Gear"}, 1, {"no entry"}},
    {"DeleteMissingSection", {"ini", "delete", "player.ini", "Truck"}, 1, {"no section"}},
    {"DeleteEmptySectionName", {"ini", "delete", "player.ini", ""}, 2, {"SECTION"}},
    {"DeleteEmptyEntryName", {"ini", "delete", "player.ini", "Car", ""}, 2, {"ENTRY"}},
};

INSTANTIATE_TEST_SUITE_P(Ini, OrvoCli, testing::Combine(testing::ValuesIn(kCommands), testing::ValuesIn(kLineEndStyles)),
                         CaseAndStyle);

// Bad input (not wholly of the command's form, a number the member has no text for) is refused
// with status 2, a member's overflow fails with status 1; numbers are read with the point.
const CliCase kConversions[] = {
    {"FloatExponentAndPlus", {"hex", "float", "+1e2"}, 0, {"0000C842"}},
    {"FloatOverflow", {"hex", "float", "2147483648"}, 1, {"Overflow"}},
    {"FloatComma", {"hex", "float", "0,5"}, 2, {"'0,5' is not a number"}},
    {"FloatNotANumber", {"hex", "float", "nan"}, 2, {"NUMBER 'nan' is not a finite number"}},
    {"LapNegativeInfinity", {"time", "lap", "-inf"}, 2, {"SECONDS '-inf' is not a finite number"}},
    {"IntNegativeInfinity", {"hex", "int", "-inf"}, 2, {"'-inf' is not a 32-bit whole number"}},
    {"IntSmallest", {"hex", "int", "-2147483648"}, 0, {"00000080"}},
    {"IntOutOfRange", {"hex", "int", "2147483648"}, 2, {"out of range"}},
    {"Value", {"hex", "value", "01000000"}, 0, {"16777216"}},
    {"ValueNotHex", {"hex", "value", "g"}, 2, {"HEX 'g' is not a hex number"}},
    {"ValueEmpty", {"hex", "value", ""}, 2, {"HEX '' is not a hex number"}},
    {"TextBytes", {"hex", "text", "A Z\xE9="}, 0, {"41205AE93D"}},
    {"UntextBytes", {"hex", "untext", "41205ae93d"}, 0, {"A Z\xE9="}},
    {"UntextOddCount", {"hex", "untext", "ABC"}, 2, {"odd number of digits"}},
    {"UntextNotHex", {"hex", "untext", "zz"}, 2, {"HEX 'zz' is not a hex number"}},
    {"BinWidthCutsLeft", {"hex", "bin", "300", "8"}, 0, {"00101100"}},
    // A negative number as it is, though the parser would take it for an option.
    {"BinNegativeBeforeWidth", {"hex", "bin", "-.5", "8"}, 0, {"000000.1"}},
    {"Bin2Hex", {"hex", "bin2hex", "00111111100000000000000000000000"}, 0, {"3F800000"}},
    {"Bin2HexNotBinary", {"hex", "bin2hex", "1x1"}, 2, {"BITS '1x1' is not a binary number"}},
    {"Bin2HexEmpty", {"hex", "bin2hex", ""}, 2, {"is not a binary number"}},
    {"Hhmmss", {"time", "hhmmss", "3725.5"}, 0, {"62:05.5000"}},
    {"Lap", {"time", "lap", "83.4567"}, 0, {"1:23.457"}},
    {"Parse", {"time", "parse", "12/05/2004 83.456"}, 0, {"83.456"}},
    {"MissingArgument", {"time", "lap"}, 2, {"SECONDS is required"}},
    {"ExtraArgument", {"hex", "text", "a", "b"}, 2, {"not expected"}},
    {"MisspeltCommand", {"hex", "flaot", "1"}, 2, {"unknown command 'flaot'"}},
    {"NoCommand", {}, 2, {"subcommand is required"}},
    // A log that cannot be written is refused before anything is done.
    {"LogFolderMissing", {"--log", "no-such-folder/x.log", "hex", "float", "1"}, 2, {"cannot write the log file"}},
    {"LogIsAFolder", {"--log", ".", "hex", "float", "1"}, 2, {"cannot write the log file ."}},
};

INSTANTIATE_TEST_SUITE_P(Conversions, OrvoCli,
                         testing::Combine(testing::ValuesIn(kConversions), testing::Values(kLineEndStyles[0])),
                         CaseAndStyle);

// A number is read with the user's own decimal separator as well as with the point.
TEST(RegionalCli, ReadsTheUsersDecimalSeparator) {
  const DecimalSeparatorSet comma(",");
  TempDir dir;
  for (const char* number : {"0,75", "0.75"}) {
    const Captured run = Orvo({"hex", "float", number}, dir.path());
    EXPECT_EQ(run.out, Printed({"0000403F"})) << number << ": " << run.err;
  }
}

// The printed index is the engine's own, byte for byte; --write and set --index put it where
// Save would, rebuilt for the text as saved.
TEST(IniIndexCli, PrintsAndWritesTheEnginesIndex) {
  TempDir dir;
  WriteBytes(dir / "player.ini", InStyle(kLeague, kLineEndStyles[0]));
  LogCapture noLoaderLog;
  INIFile engine;
  engine.SetFilename(dir.Text("player.ini"));
  engine.BuildIndex();
  EXPECT_EQ(Orvo({"ini", "index", "player.ini"}, dir.path()).out, Printed({engine.IndexString()}));
  EXPECT_FALSE(fs::exists(dir / "player.gix"));
  const Captured written = Orvo({"ini", "index", "player.ini", "--write"}, dir.path());
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(ReadBytes(dir / "player.gix"), engine.IndexString() + "\r\n");
  fs::remove(dir / "player.gix");
  EXPECT_EQ(Orvo({"ini", "set", "player.ini", "Options", "Speed", "1234", "--index"}, dir.path()).exitCode, 0);
  const std::string saved = ReadBytes(dir / "player.gix");
  EXPECT_EQ(Printed({saved.substr(0, saved.size() - 2)}), Orvo({"ini", "index", "player.ini"}, dir.path()).out);
}

// An index file newer than its text but made for another: one warning naming it and the mend;
// a lookup answers from it, as the loader does; an edit goes by the text, whose save leaves the
// index file older than the text, and so no longer trusted.
TEST(IniIndexCli, WarnsOfAnIndexFileThatDoesNotMatchTheText) {
  TempDir dir;
  LogCapture noLoaderLog;
  WriteBytes(dir / "player.gix", "\r\nGEARS\r\nOPTIONS\r\n5\r\n18\r\n\r\n");
  WriteBytes(dir / "player.ini", "[Options]\r\nSpeed=12\r\nGears=5\r\n");
  fs::last_write_time(dir / "player.ini", fs::last_write_time(dir / "player.gix") - std::chrono::seconds(20));
  INIFile loader;
  loader.SetFilename(dir.Text("player.ini"));
  const std::string answer = loader.GetIniValue("Options", "Speed");
  const std::string warning = "orvo: warning: the index file " + (fs::path(".") / "player.gix").string() + " does not match"
                              " player.ini: the game and the loader look values up in it, orvo's edits go by the text"
                              " ('orvo ini index --write player.ini' mends it)";
  const Captured get = Orvo({"ini", "get", "player.ini", "Options", "Speed"}, dir.path());
  EXPECT_EQ(get.out + get.err.substr(0, warning.size()), (answer.empty() ? "" : Printed({answer})) + warning);
  const std::string set = Orvo({"ini", "set", "player.ini", "Options", "Speed", "7", "--no-backup"}, dir.path()).err;
  EXPECT_EQ(set.substr(0, set.find_first_of("\r\n")) + std::to_string(std::count(set.begin(), set.end(), '\n')), warning + "1");
  EXPECT_EQ(ReadBytes(dir / "player.ini"), "[Options]\r\nSpeed=7 \r\nGears=5\r\n");
  EXPECT_EQ(Orvo({"ini", "get", "player.ini", "Options", "Speed"}, dir.path()).err, "");
}

// A byte-order mark is text to the engine, the game and the loader: the command runs, and one
// warning names what they do not see.
TEST(ByteOrderMarkCli, WarnsWhatIsNotSeen) {
  TempDir dir;
  WriteBytes(dir / "p.ini", "\xEF\xBB\xBFx=1\r\n[Car]\r\n");
  const Captured run = Orvo({"ini", "sections", "p.ini"}, dir.path());
  EXPECT_EQ(run.out, Printed({"Car"}));
  EXPECT_EQ(run.err.find("orvo: warning: p.ini begins with a UTF-8 byte-order mark: the game and the loader do not see "
                         "its first line 'x=1'"), 0u) << run.err;
}

// The engine's log entries go nowhere by default (never a LoaderLog.txt beside the program),
// to a file with --log, to stderr with --verbose.
TEST(DiagnosticsCli, IndexingEntryGoesWhereAsked) {
  struct Case { std::vector<std::string> options; bool logFile, onStderr; };
  for (const Case& c : {Case{{}, false, false}, Case{{"--log", "engine.log"}, true, false},
                        Case{{"--verbose"}, false, true}, Case{{"--verbose", "--log", "engine.log"}, true, true}}) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    TempDir dir;
    WriteBytes(dir / "player.ini", "[A]\r\nx=1\r\n");
    // A copy of the program in the folder, so that a loader log beside it would show here.
    const fs::path copy = dir.path() / OrvoExe().filename();
    fs::copy_file(OrvoExe(), copy);
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), {"ini", "get", "player.ini", "A", "x"});
    const Captured run = RunCapturing(copy, arguments, dir.path());
    EXPECT_EQ(run.out, Printed({"1"})) << run.err;
    EXPECT_FALSE(fs::exists(dir / "LoaderLog.txt"));
    EXPECT_EQ(run.err.find("Indexing player.ini") != std::string::npos, c.onStderr) << run.err;
    const std::string log = ReadBytes(dir / "engine.log");  // "" when there is none
    EXPECT_EQ(log.size() > 18 ? log.substr(18) : log, c.logFile ? "Indexing player.ini\r\n" : "") << "one entry";
  }
}

// An edit that the engine refuses, since the key matches across two records of the index,
// changes nothing: the command says so in one line, with its mend, and exits 1.
TEST(RefusedEditCli, ExitsOneAndSaysWhy) {
  const std::string text = "K=A\r\n7=b\r\n[3]\r\nA=c\r\n";
  for (const std::vector<std::string>& edit : {std::vector<std::string>{"ini", "set", "t.ini", "3", "A", "zz"},
                                               {"ini", "delete", "t.ini", "3", "A"}}) {
    TempDir dir;
    WriteBytes(dir / "t.ini", text);
    const Captured run = Orvo(edit, dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(OneFailureLine(run.err) && run.err.find("was left as it is") != std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(dir / "t.ini"), text);
  }
}

}  // namespace
}  // namespace orvo::test
