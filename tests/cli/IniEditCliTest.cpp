// orvo ini set | delete on files with comments, TABs and each line-end style: the file is
// checked byte for byte after each command, with its backup; a command that fails or is
// refused leaves the file exactly as it was and makes no backup.
#include <gtest/gtest.h>

#include "cli/CliRun.h"

namespace orvo::test {
namespace {

// '|' is the file's own line end; "\r\n" is what the engine writes for new lines.
const std::string kSetup =
    "; league setup|"
    "[Options]|"
    "Speed = 12 ; km|"
    "\tGears=5\t; box|"
    "|"
    "[Car]|"
    "model = Lotus|";

struct EditCase {
  const char* name;
  std::vector<std::string> arguments;  // run on player.ini, which holds kSetup
  int exitCode;
  std::string after;        // the file afterwards; kSetup when it must be untouched
  bool backup;              // player.ini.PreOrvo holds the file as it was
  std::string message = {};  // part of the stderr line when exitCode is not 0
};

class IniEditCli : public ::testing::TestWithParam<std::tuple<EditCase, LineEndStyle>> {};

TEST_P(IniEditCli, ChangesOnlyWhatWasAsked) {
  const auto& [c, style] = GetParam();
  TempDir dir;
  const std::string before = InStyle(kSetup, style);
  WriteBytes(dir / "player.ini", before);
  const Captured run = Orvo(c.arguments, dir.path());
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
  EXPECT_EQ(run.out, "");
  if (c.exitCode == 0) EXPECT_EQ(run.err, "");
  else EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(dir / "player.ini"), InStyle(c.after, style));
  if (c.backup) EXPECT_EQ(ReadBytes(dir / "player.ini.PreOrvo"), before);
  else EXPECT_FALSE(std::filesystem::exists(dir / "player.ini.PreOrvo"));
  EXPECT_FALSE(std::filesystem::exists(dir / "player.gix"));
}

const std::string kOptionsGone = "; league setup|[Car]|model = Lotus|";

const EditCase kEdits[] = {
    {"SetShorterIsPadded", {"ini", "set", "player.ini", "options", "SPEED", "7"}, 0,
     "; league setup|[Options]|Speed = 7  ; km|\tGears=5\t; box||[Car]|model = Lotus|", true},
    {"SetLongerPushesRight", {"ini", "set", "player.ini", "Options", "Speed", "1234"}, 0,
     "; league setup|[Options]|Speed = 1234; km|\tGears=5\t; box||[Car]|model = Lotus|", true},
    {"SetBeforeTab", {"ini", "set", "player.ini", "Options", "Gears", "6"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=6\t; box||[Car]|model = Lotus|", true},
    {"SetBlanksEqualsAndBytes", {"ini", "set", "player.ini", "Car", "model", "Lotus = 49 \xE9"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=5\t; box||[Car]|model = Lotus = 49 \xE9|", true},
    {"SetNoBackup", {"ini", "set", "player.ini", "Car", "model", "Brabham", "--no-backup"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=5\t; box||[Car]|model = Brabham|", false},
    {"SetSameValueWritesNothing", {"ini", "set", "player.ini", "Options", "Speed", " 12 "}, 0, kSetup, false},
    {"SetMissingEntry", {"ini", "set", "player.ini", "Options", "Gear", "3"}, 1, kSetup, false, "--add"},
    {"SetMissingSection", {"ini", "set", "player.ini", "Truck", "Gear", "3"}, 1, kSetup, false, "no entry"},
    {"AddEntryFirstInSection", {"ini", "set", "player.ini", "car", "Gear", "3", "--add"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=5\t; box||[Car]|Gear = 3\r\nmodel = Lotus|", true},
    {"AddSectionAtTheEnd", {"ini", "set", "player.ini", "Truck", "Gear", "3", "--add", "--no-backup"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=5\t; box||[Car]|model = Lotus"
     "\r\n\r\n[ Truck ]\r\nGear = 3\r\n",
     false},
    {"RefuseSemicolonInValue", {"ini", "set", "player.ini", "Car", "model", "a;b"}, 2, kSetup, false, "';'"},
    {"RefuseEqualsInName", {"ini", "set", "player.ini", "Car", "a=b", "1", "--add"}, 2, kSetup, false, "'='"},
    {"RefuseEmptySection", {"ini", "set", "player.ini", "", "x", "1", "--add"}, 2, kSetup, false, "SECTION"},
    {"DeleteEntry", {"ini", "delete", "player.ini", "options", "speed"}, 0,
     "; league setup|[Options]|\tGears=5\t; box||[Car]|model = Lotus|", true},
    {"DeleteLastEntry", {"ini", "delete", "player.ini", "Car", "model", "--no-backup"}, 0,
     "; league setup|[Options]|Speed = 12 ; km|\tGears=5\t; box||[Car]|", false},
    {"DeleteSection", {"ini", "delete", "player.ini", "OPTIONS"}, 0, kOptionsGone, true},
    {"DeleteMissingEntry", {"ini", "delete", "player.ini", "Car", "Gear"}, 1, kSetup, false, "no entry"},
    {"DeleteMissingSection", {"ini", "delete", "player.ini", "Truck"}, 1, kSetup, false, "no section"},
    {"DeleteEmptySectionName", {"ini", "delete", "player.ini", ""}, 2, kSetup, false, "SECTION"},
    {"DeleteEmptyEntryName", {"ini", "delete", "player.ini", "Car", ""}, 2, kSetup, false, "ENTRY"},
};

INSTANTIATE_TEST_SUITE_P(Commands, IniEditCli, ::testing::Combine(::testing::ValuesIn(kEdits),
                                                                  ::testing::ValuesIn(kLineEndStyles)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// Files that do not exist yet: --add creates one (there is nothing to back up); a save that
// the engine cannot make fails and creates nothing.
TEST(IniEditCliNewFile, AddCreatesTheFileAndAFailedSaveCreatesNothing) {
  TempDir dir;
  const Captured created = Orvo({"ini", "set", "new.ini", "Truck", "Gear", "3", "--add"}, dir.path());
  EXPECT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(ReadBytes(dir / "new.ini"), "[ Truck ]\r\nGear = 3\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "new.ini.PreOrvo"));

  const Captured refused = Orvo({"ini", "set", "other.ini", "Truck", "Gear", "3"}, dir.path());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "other.ini"));

  const Captured failed = Orvo({"ini", "set", "no-such-folder/x.ini", "Truck", "Gear", "3", "--add"}, dir.path());
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("not saved"), std::string::npos) << failed.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

// --index saves the index file with the text, rebuilt for the text as saved.
TEST(IniEditCliIndex, SetWithIndexWritesAnIndexThatMatchesTheNewText) {
  TempDir dir;
  WriteBytes(dir / "player.ini", InStyle(kSetup, kLineEndStyles[0]));
  const Captured run = Orvo({"ini", "set", "player.ini", "Options", "Speed", "1234", "--index"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const Captured index = Orvo({"ini", "index", "player.ini"}, dir.path());
  const std::string printedIndex = index.out.substr(0, index.out.size() - platform::ConsoleLineEnd().size());
  EXPECT_EQ(ReadBytes(dir / "player.gix"), printedIndex + "\r\n");
}

}  // namespace
}  // namespace orvo::test
