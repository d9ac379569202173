// A save that the device stops part-way. The files keep their old bytes under their names
// (a first backup, when it fitted, is a copy of the old file), nothing new is left beside them, Changed stays true and the box says why; once there is room again the same
// object saves. The device runs full through the platform layer's device room.
#include <map>

#include "ini/IniTestSupport.h"
#include "platform/fault_switches.h"
#include "platform/files.h"

namespace orvo::test {
namespace {

std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  return files;
}

struct FullDevice {
  std::string name;
  std::int64_t room;  // bytes the device takes; negative: that many fewer than the new text
  bool backup;        // Save(true)
  bool backupThere;   // a backup from an earlier save
  bool saveIndex;
  bool backupFits = false;  // the device takes a first backup, and room bytes after it
  bool readOnly = false;    // a read-only file, which the failed save leaves read-only
  friend void PrintTo(const FullDevice& c, std::ostream* os) { *os << c.name; }
};

class SafeSave : public IniCases<FullDevice> {
 protected:
  void TearDown() override { platform::LimitDeviceRoom(std::nullopt); }
};

TEST_P(SafeSave, AFullDeviceLeavesEveryFileWhole) {
  const FullDevice& c = GetParam();
  TempDir dir;
  std::string old = "[A]\r\nx = 1 ; note\r\n";
  for (int k = 0; k < 500; ++k) old += "key" + std::to_string(k) + " = value\r\n";
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
  ASSERT_EQ(boxes.texts().size(), 1u);
  const std::string suffix = " in Save " + dir.Text("game.ini");
  EXPECT_TRUE(boxes.texts()[0].ends_with(suffix)) << boxes.texts()[0];

  ini.Save(c.backup);
  EXPECT_FALSE(ini.Changed());
  EXPECT_EQ(ReadBytes(dir / "game.ini"), ini.IniString());
  EXPECT_EQ(FilesIn(dir.path()).size(), before.size() + (c.backup && !before.count("game.ini.PreOrvo") ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SafeSave,
    testing::Values(FullDevice{"NothingFits", 0, false, false, false},
                    FullDevice{"OneByteFits", 1, false, false, false},
                    FullDevice{"AllButTheLastByteFit", -1, false, false, false},
                    FullDevice{"TheIndexFileFailsFirst", 5, false, false, true},
                    FullDevice{"TheFirstBackupDoesNotFit", 4000, true, false, false},
                    FullDevice{"AfterTheFirstBackup", 4000, true, false, false, true},
                    FullDevice{"AReadOnlyFile", -1, false, false, false, false, true},
                    FullDevice{"WithAnEarlierBackup", 4000, true, true, false}),
    ByName());

}  // namespace
}  // namespace orvo::test
