// A save that the device (the platform layer's device room) stops part-way: every file keeps its
// old bytes (a first backup that fitted is a copy of the old file), nothing new is left beside
// them, Changed stays true and the box says why; with room again the same object saves. And a
// save whose program is ended part-way, as a killed one is: every later reader sees the old
// bytes or the new ones, and the next save leaves nothing beside the file.
#include <map>

#include "ini/IniTestSupport.h"
#include "platform/fault_switches.h"
#include "platform/files.h"
#include "support/Programs.h"

namespace orvo::test {
namespace {

std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  return files;
}

// room: the bytes the device takes, when negative that many fewer than the new text; backup:
// Save(true); backupThere: a backup from an earlier save; backupFits: the device takes a first
// backup, and room bytes after it; readOnly: a read-only file, which the failed save leaves so.
TEST(SafeSave, AFullDeviceLeavesEveryFileWhole) {
  struct Case { const char* name; std::int64_t room; bool backup, backupThere, saveIndex, backupFits = false, readOnly = false; };
  const Case cases[] = {{"NothingFits", 0, false, false, false},
                        {"OneByteFits", 1, false, false, false},
                        {"AllButTheLastByteFit", -1, false, false, false},
                        {"TheIndexFileFailsFirst", 5, false, false, true},
                        {"TheFirstBackupDoesNotFit", 4000, true, false, false},
                        {"AfterTheFirstBackup", 4000, true, false, false, true},
                        {"AReadOnlyFile", -1, false, false, false, false, true},
                        {"WithAnEarlierBackup", 4000, true, true, false}};
  std::string old = "[A]\r\nx = 1 ; note\r\n";
  for (int k = 0; k < 500; ++k) old += "key" + std::to_string(k) + " = value\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxRecorder boxes;
    TempDir dir;
    std::map<std::string, std::string> before = {{"game.ini", old}, {"game.gix", "old index\r\n"}};
    if (c.backupThere) before["game.ini.PreOrvo"] = "earlier\r\n";
    for (const auto& [name, bytes] : before) WriteBytes(dir / name, bytes);

    if (c.readOnly) platform::SetReadOnly(dir.Text("game.ini"), true);
    INIFile ini;
    ini.SetFilename(dir.Text("game.ini"));
    ini.SetSaveIndex(c.saveIndex);
    ini.SetIniValue("A", "x", "a value longer than the old one");
    const std::int64_t newSize = static_cast<std::int64_t>(ini.IniString().size());
    const std::int64_t backupRoom = c.backupFits ? static_cast<std::int64_t>(old.size()) : 0;
    platform::LimitDeviceRoom(backupRoom + (c.room >= 0 ? c.room : newSize + c.room));
    ini.Save(c.backup);
    platform::LimitDeviceRoom(std::nullopt);

    if (c.backupFits) before["game.ini.PreOrvo"] = old;
    EXPECT_EQ(FilesIn(dir.path()), before);
    EXPECT_EQ(platform::InspectFile(dir.Text("game.ini"))->readOnly, c.readOnly);
    EXPECT_TRUE(ini.Changed());
    EXPECT_EQ(boxes.texts().size(), 1u);
    for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(" in Save " + dir.Text("game.ini"))) << text;

    ini.Save(c.backup);
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ReadBytes(dir / "game.ini"), ini.IniString());
    EXPECT_EQ(FilesIn(dir.path()).size(), before.size() + (c.backup && !before.count("game.ini.PreOrvo") ? 1 : 0));
  }
}

// The helper program's save ends after so many written bytes (the platform layer ends it there).
// The edit moves every byte after it, so a file written in part is neither text. A second link
// keeps a new file from taking the name, so the save writes in place under its journal (a short
// head, the old bytes and the new): half the old size ends it inside the journal, two and a half
// times inside the write in place.
TEST(SafeSave, AKilledSaveLeavesTheOldBytesOrTheNew) {
  struct Case { const char* name; bool secondLink; double ofOldSize; };
  const Case cases[] = {{"BeforeTheNewFile", false, 0},
                        {"InsideTheNewFile", false, 0.5},
                        {"InsideTheJournal", true, 0.5},
                        {"InsideTheWriteInPlace", true, 2.5}};
  std::string rest;
  for (int k = 0; k < 300; ++k) rest += "key" + std::to_string(k) + " = value\r\n";
  const std::string old = "[A]\r\nx = 1\r\n" + rest, edited = "[A]\r\nx = a longer value\r\n" + rest;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.Text("game.ini");
    WriteBytes(dir / "game.ini", old);
    if (c.secondLink) std::filesystem::create_hard_link(dir / "game.ini", dir / "other.ini");
    const auto end = static_cast<std::uint64_t>(c.ofOldSize * static_cast<double>(old.size()));
    const Captured run = RunCapturing(HelperExe(), {"killed-save", path, std::to_string(end), "a longer value"}, dir.path());
    EXPECT_EQ(run.exitCode, platform::kEndedAtAWrite) << run.err;

    INIFile later;
    later.SetFilename(path);
    const std::string fresh = later.IniString();
    EXPECT_TRUE(fresh == old || fresh == edited) << fresh.substr(0, 40);
    EXPECT_EQ(ReadBytes(dir / "game.ini"), fresh);
    later.SetIniValue("A", "x", "3");
    later.Save(false);
    std::map<std::string, std::string> after = {{"game.ini", later.IniString()}};
    if (c.secondLink) after["other.ini"] = later.IniString();
    EXPECT_EQ(FilesIn(dir.path()), after);
  }
}

// Between the reading and the save another program puts another file in the file's place (a
// rename over the name, as a link renamed there or the game's own new file comes): the save
// writes nothing, and that file is as it was.
TEST(SafeSave, AFileRenamedOverTheNameAfterTheReadIsNotWritten) {
  TempDir dir;
  WriteBytes(dir / "game.ini", "[A]\r\nx = 1\r\n");
  WriteBytes(dir / "other", "another's own\r\n");
  BoxRecorder boxes;
  LogCapture log;
  INIFile ini;
  ini.SetFilename(dir.Text("game.ini"));
  ini.SetIniValue("A", "x", "2");
  std::filesystem::rename(dir / "other", dir / "game.ini");
  ini.Save(false);
  EXPECT_EQ(ReadBytes(dir / "game.ini"), "another's own\r\n");
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_NE(boxes.texts()[0].find("no longer the one that was read"), std::string::npos) << boxes.texts()[0];
  EXPECT_TRUE(ini.Changed());
}

}  // namespace
}  // namespace orvo::test
