// orvo ini get | sections | entries | ko | index on files with comments, TABs, blank lines
// and each line-end style: the printed answer, the exit status, and a file left exactly as
// it was with nothing written beside it.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "ini/INIFile.h"
#include "support/Recorders.h"

namespace orvo::test {
namespace {

const std::string kLeague =
    "top = 0|"
    "; league setup|"
    "[Options]|"
    "Speed = 12 ; km|"
    "Empty =|"
    "\tGears=5|"
    "; note|"
    "Name = a = b \xE9 |"
    "|"
    "[ Car ]|"
    "model=Lotus 49|"
    "[Other] ;x|"
    "z=1|";

struct ReadCase {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  std::vector<std::string> lines;  // printed when exitCode is 0
  std::string message = {};        // part of the stderr line otherwise
  std::string fileName = "player.ini";
};

class IniReadCli : public ::testing::TestWithParam<std::tuple<ReadCase, LineEndStyle>> {};

TEST_P(IniReadCli, AnswersAndLeavesTheFileAlone) {
  const auto& [c, style] = GetParam();
  TempDir dir;
  const std::string text = InStyle(kLeague, style);
  WriteBytes(dir / c.fileName, text);
  const Captured run = Orvo(c.arguments, dir.path());
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
  if (c.exitCode == 0) {
    EXPECT_EQ(run.out, Printed(c.lines));
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadBytes(dir / c.fileName), text);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a file was written";
}

const ReadCase kReads[] = {
    {"GetAnyCase", {"ini", "get", "player.ini", "OPTIONS", "speed"}, 0, {"12"}},
    {"GetEmptyValue", {"ini", "get", "player.ini", "Options", "Empty"}, 0, {""}},
    {"GetEqualsBlanksAndBytes", {"ini", "get", "player.ini", "Options", "Name"}, 0, {"a = b \xE9"}},
    {"GetBeforeAnyHeader", {"ini", "get", "player.ini", "", "top"}, 0, {"0"}},
    {"GetMissingEntry", {"ini", "get", "player.ini", "Options", "Gear"}, 1, {}, "no entry 'Gear' in [Options]"},
    {"GetMissingSection", {"ini", "get", "player.ini", "Truck", "Speed"}, 1, {}, "no entry"},
    {"GetNamesAreNotTrimmed", {"ini", "get", "player.ini", " Options", "Speed"}, 1, {}, "no entry"},
    {"GetMissingFile", {"ini", "get", "absent.ini", "Options", "Speed"}, 1, {}, "cannot read absent.ini"},
    {"SectionsAsTheReaderFindsThem", {"ini", "sections", "player.ini"}, 0, {"Options", "Car"}},
    {"EntriesInTextOrder", {"ini", "entries", "player.ini", "options"}, 0,
     {"Speed=12", "Empty=", "Gears=5", "Name=a = b \xE9"}},
    {"EntriesMissingSection", {"ini", "entries", "player.ini", "Truck"}, 1, {}, "no section [Truck]"},
    {"KoNumberFromFileName", {"ini", "ko", "player.ini", "options"}, 0,
     {" -ko\"20:options:Speed:12\" -ko\"20:options:Empty:\" -ko\"20:options:Gears:5\""
      " -ko\"20:options:Name:a = b \xE9\""}},
    {"KoRenamedAndNumbered", {"ini", "ko", "player.ini", "car", "--as", "Race", "--number", "60"}, 0,
     {" -ko\"60:Race:model:Lotus 49\""}},
    {"KoNotAGameFile", {"ini", "ko", "league.ini", "Car"}, 2, {}, "--number", "league.ini"},
    {"KoNotAGameFileNumbered", {"ini", "ko", "league.ini", "Car", "--number", "0"}, 0,
     {" -ko\"0:Car:model:Lotus 49\""}, "", "league.ini"},
    {"KoMissingSection", {"ini", "ko", "player.ini", "Truck"}, 1, {}, "no section"},
};

INSTANTIATE_TEST_SUITE_P(Commands, IniReadCli, ::testing::Combine(::testing::ValuesIn(kReads),
                                                                  ::testing::ValuesIn(kLineEndStyles)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

class IniIndexCli : public ::testing::TestWithParam<LineEndStyle> {};

// The printed index is the engine's own, byte for byte; --write puts it where Save would.
TEST_P(IniIndexCli, PrintsAndWritesTheEnginesIndex) {
  TempDir dir;
  const std::string text = InStyle(kLeague, GetParam());
  WriteBytes(dir / "player.ini", text);
  LogCapture noLoaderLog;
  INIFile engine;
  engine.SetFilename(dir.Text("player.ini"));
  engine.BuildIndex();
  ASSERT_NE(engine.IndexString(), "");

  const Captured printed = Orvo({"ini", "index", "player.ini"}, dir.path());
  EXPECT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out, Printed({engine.IndexString()}));
  EXPECT_FALSE(std::filesystem::exists(dir / "player.gix"));

  const Captured written = Orvo({"ini", "index", "player.ini", "--write"}, dir.path());
  EXPECT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(ReadBytes(dir / "player.gix"), engine.IndexString() + "\r\n");
  EXPECT_EQ(ReadBytes(dir / "player.ini"), text);
}

INSTANTIATE_TEST_SUITE_P(Styles, IniIndexCli, ::testing::ValuesIn(kLineEndStyles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
