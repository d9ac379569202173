// Binding, loading and saving: byte-exact round trips, the backup, the read-only attribute,
// the journal of a write in place.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "IniTestSupport.h"
#include "common/OrvoCommon.h"
#include "support/Devices.h"
#include "platform/fault_switches.h"
#include "platform/host_path.h"
#include "storage/Journal.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Loads the bytes from a file, indexes them, saves (backup on) and returns what is on disk.
std::string SaveRoundTrip(const std::string& bytes) {
  TempDir dir;
  WriteBytes(dir / "t.ini", bytes);
  INIFile ini;
  ini.SetFilename(dir.Text("t.ini"));
  ini.BuildIndex();
  ini.SetChanged(true);
  ini.Save();
  EXPECT_EQ(ReadBytes(dir / "t.ini.PreOrvo"), bytes);
  return ReadBytes(dir / "t.ini");
}

TEST_F(IniTest, EveryLineEndStyleAndTheCorpusRoundTrip) {
  for (const std::string& bytes : {"[A]\r\nx = 1\r\n\r\n; c\r\n"s, "[A]\nx=1\n\n"s, "[A]\rx=1\r\r"s, "[A]\n\rx=1\r\n\ry = 2\n"s, "[A]\r\nx=1"s,
                                   ""s, "\t[A]  \r\n\tx =\t1   \t\r\n   \r\n"s, "[\xC4]\r\nx=\xFF\x80\0z\r\n"s})
    EXPECT_EQ(SaveRoundTrip(bytes), bytes);
  const fs::path corpus = ORVO_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no INI corpus at " << corpus;
  int files = 0;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    if (!item.is_regular_file() || item.path().filename() == "SOURCES.md") continue;
    const std::string original = ReadBytes(item.path());
    EXPECT_EQ(SaveRoundTrip(original), original) << item.path();
    ++files;
  }
  EXPECT_GT(files, 0);
  EXPECT_TRUE(boxes.boxes().empty());
}

// Each case saves one file of its own; "" as the backup means that none may be made.
TEST_F(IniTest, SaveWritesOnlyAChangeAndBacksUpOnlyOnce) {
  const std::string before = "[A]\r\nx=1\r\n", two = "[A]\r\nx=2\r\n", added = "x=1\r\n\r\n[ A ]\r\ny = 2\r\n";
  auto setTwo = [](INIFile& ini) { ini.SetIniValue("A", "x", "2"); };
  auto addY = [](INIFile& ini) { ini.SetIniValue("A", "y", "2", true); };
  struct Case { const char* name; std::string file, content, existing; std::function<void(INIFile&)> edit; bool backup; std::string after, saved, box = {}; };
  const Case cases[] = {
      {"NoBackupUnlessAsked", "core.ini", before, "", setTwo, false, two, ""},
      {"BackupOfTheFileAsItWas", "core.ini", before, "", setTwo, true, two, before},
      {"AnEarlierBackupStays", "core.ini", before, "earlier", setTwo, true, two, "earlier"},
      {"BackupNameTakenByAFolder", "b.ini", "x=1", "<folder>", addY, true, added, "<folder>"},
      {"ReadOnlyCleared", "ro.ini", "x=1", "<read-only>", addY, false, added, ""},
      {"RefreshDropsTheEdit", "core.ini", before, "", [](INIFile& ini) { ini.SetIniValue("A", "x", "5"); ini.Refresh(); }, true, before, ""},
      {"NoChangeNothingWritten", "ro.ini", "x=1", "", [](INIFile& ini) { ini.SetSaveIndex(true); ini.SetIniString("changed"); }, true, "x=1", ""},
      {"NamelessReportedAndWritten", ".ini", "", "", [](INIFile& ini) { ini.SetIniString("x=1"); ini.SetChanged(true); }, false, "x=1", "",
       "Invalid filename in SaveIniFile"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteBytes(dir / c.file, c.content);
    const fs::path backup = dir / (c.file + ".PreOrvo");
    if (c.existing == "<folder>") fs::create_directory(backup);
    else if (c.existing == "<read-only>") fs::permissions(dir / c.file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    else if (!c.existing.empty()) WriteBytes(backup, c.existing);
    LogCapture log;
    BoxRecorder boxes;
    INIFile ini;
    ini.SetFilename(dir.Text(c.file));
    c.edit(ini);
    ini.Save(c.backup);
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ReadBytes(dir / c.file), c.after);
    EXPECT_NE(fs::status(dir / c.file).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(fs::is_directory(backup) ? "<folder>" : ReadBytes(backup), c.saved);
    EXPECT_FALSE(fs::exists(dir / "ro.gix"));
    EXPECT_EQ(boxes.texts(), c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
    EXPECT_EQ(std::count(log.entries().begin(), log.entries().end(), "NFE:Ini File Dump:"), c.box.empty() ? 0 : 1);
  }
}

// A binding that cannot load the new file leaves nothing of the earlier one: not its text,
// whose later save would overwrite the new file, and not its Changed flag. A device reads as
// the empty text. A pipe is never waited on: its reading is refused with Refresh's box, tried
// again as every reading is, and the binding then leaves the object empty.
TEST_F(IniTest, ABindingThatGivesUpOrReadsADeviceLeavesTheObjectEmpty) {
  TempDir dir;
  const fs::path file = dir / "new.ini";
  struct Case { const char* name; std::function<std::string()> arrange; std::string box; std::size_t boxes; std::optional<bool> opens = {}; };
  const Case cases[] = {
      {"EveryReadFails", [&] {
         WriteBytes(file, "[B]\r\ny=1\r\n");
         platform::FailReadsOf(PathText(file));
         return PathText(file);
       }, " in inifile.Refresh", 3},
      // Sparse on the test's file system, so it costs no room.
      {"TooLargeForItsPositions", [&] {
         WriteBytes(file, "");
         fs::resize_file(file, 2147483648u);
         return PathText(file);
       }, "File too large in inifile.Refresh", 3},
      {"NullDevice", NullDevice, "", 0, true},
      {"Console", Console, "", 0},
      {"Pipe", [&] { return MakePipe(dir); }, "Not a plain file in inifile.Refresh", 3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(file);
    WriteBytes(dir / "old.ini", "[A]\r\nx=1\r\n");
    INIFile ini;
    ini.SetFilename(dir.Text("old.ini"));
    ini.SetIniValue("A", "x", "2");
    BoxRecorder boxes;
    const std::string name = c.arrange();
    ini.SetFilename(name);
    platform::FailReadsOf(std::nullopt);
    EXPECT_EQ(ini.IniString(), "");
    EXPECT_EQ(ini.GetIniValue("A", "x"), "");
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(boxes.texts().size(), c.boxes);
    for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(c.box)) << text;
    if (c.opens) {
      EXPECT_EQ(Common().FileExists(name), *c.opens);
    }
  }
}

// A write in place half done: while its writer lives, a binding takes the old bytes from the
// journal and leaves the file to the writer; once the writer has gone, the next binding puts
// the old bytes back and removes the journal.
TEST_F(IniTest, ABindingTakesTheOldBytesOfAnUnfinishedWriteInPlace) {
  TempDir dir;
  const std::string old = "[A]\r\nx = 1\r\n", half = "[A]\r\nx = 2\r\n\r\n";
  WriteBytes(dir / "game.ini", old);
  INIFile ini;
  {
    auto& system = platform::SystemPrimitives();
    const std::string target = platform::ToHostPath(dir.Text("game.ini"));
    const platform::Node file = *system.Look(target);
    const storage::RollbackJournal writing(system, target, file, old, half);
    WriteBytes(dir / "game.ini", half);
    ini.SetFilename(dir.Text("game.ini"));
    EXPECT_EQ(ini.IniString() + ReadBytes(dir / "game.ini"), old + half) << "the writer's file taken or changed";
    try { storage::RollbackJournal(system, target, file, half, old); ADD_FAILURE() << "a second journal"; }
    catch (const OrvoError& e) { EXPECT_EQ(e.kind(), OrvoError::Kind::System) << "a second write in place is busy"; }
  }
  ini.SetFilename(dir.Text("game.ini"));
  EXPECT_EQ(ini.IniString() + ReadBytes(dir / "game.ini"), old + old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "the journal was left";
}

}  // namespace
}  // namespace orvo::test
