// Saving an INI file when the disk says no: a file that vanished after binding, a read-only
// file, a full device, a folder where the file should be, a file where its folder should be,
// a read-only folder. A failed save shows the box, keeps Changed so that a later save tries
// again, and loses nothing that was on disk; a save that can succeed does. Either way no
// descriptor stays open.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include <optional>

#include "ini/IniTestSupport.h"

namespace orvo::test {
namespace {

const std::string kOnDisk = "[A]\r\nx = 1 ; note\r\n";
const std::string kEdited = "[A]\r\nx = 2 ; note\r\n";

struct SaveFault {
  std::string name;
  friend void PrintTo(const SaveFault& f, std::ostream* os) { *os << f.name; }
  void (*arrange)(TempDir&);             // after the object was bound to <dir>/game.ini, holding kOnDisk
  bool backup;                           // Save(true) or Save(false)
  bool fails;                            // a box, Changed stays true
  std::optional<std::string> fileAfter;  // game.ini afterwards; nullopt: absent
  const char* boundTo = nullptr;         // the name in <dir> the object is bound to then, if another
  bool permissionBased = false;
};

class SaveFaults : public IniCases<SaveFault> {};

std::ptrdiff_t OpenDescriptors() { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); }

TEST_P(SaveFaults, FailsLoudlyOrWritesAndLosesNothing) {
  const SaveFault& c = GetParam();
  if (c.permissionBased && ::geteuid() == 0)
    GTEST_SKIP() << "running as root: permissions do not stop root, so this fault cannot happen";
  TempDir dir;
  WriteBytes(dir / "game.ini", kOnDisk);
  INIFile ini;
  ini.SetFilename(dir.Text("game.ini"));
  ASSERT_EQ(ini.IniString(), kOnDisk);
  c.arrange(dir);
  if (c.boundTo) {
    ini.SetFilename(dir.Text(c.boundTo));
    ini.SetIniString(kOnDisk);
  }
  ini.SetIniValue("A", "x", "2");
  ASSERT_TRUE(ini.Changed());

  const auto descriptors = OpenDescriptors();
  ini.Save(c.backup);
  EXPECT_EQ(OpenDescriptors(), descriptors) << "a save, failed or not, leaves no descriptor open";
  EXPECT_EQ(!boxes.boxes().empty(), c.fails) << testing::PrintToString(boxes.boxes());
  EXPECT_EQ(ini.Changed(), c.fails);
  EXPECT_EQ(ini.IniString(), kEdited) << "a failed save must keep the edits in memory";
  const auto file = dir / "game.ini";
  EXPECT_EQ(std::filesystem::is_regular_file(file) ? std::optional(ReadBytes(file)) : std::nullopt, c.fileAfter);
  // A backup, when one was made, is the file as it was.
  if (std::filesystem::exists(dir / "game.ini.PreOrvo")) {
    EXPECT_EQ(ReadBytes(dir / "game.ini.PreOrvo"), kOnDisk);
  }
}

// The faults, made after the object was bound to game.ini.
void Vanish(TempDir& d) { std::filesystem::remove(d / "game.ini"); }
void ReadOnly(TempDir& d) { ::chmod((d / "game.ini").c_str(), 0444); }
void ReadOnlyFolder(TempDir& d) { ::chmod(d.Text().c_str(), 0555); }
void FullDevice(TempDir& d) { std::filesystem::create_symlink("/dev/full", d / "full.ini"); }  // opens, takes no bytes
void FolderInPlaceOfFile(TempDir& d) { std::filesystem::create_directory(d / "folder.ini"); }
void FileInPlaceOfFolder(TempDir& d) { WriteBytes(d / "plain", "x"); }

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFaults,
    testing::Values(
        // Nothing to set aside as the backup: the save fails before writing.
        SaveFault{"VanishedWithBackup", Vanish, true, true, std::nullopt},
        SaveFault{"VanishedWithoutBackup", Vanish, false, false, kEdited},
        SaveFault{"ReadOnlyFile", ReadOnly, false, false, kEdited},
        SaveFault{"ReadOnlyFileWithBackup", ReadOnly, true, false, kEdited},
        SaveFault{"FullDevice", FullDevice, false, true, kOnDisk, "full.ini"},
        SaveFault{"FolderWhereTheFileShouldBe", FolderInPlaceOfFile, false, true, kOnDisk, "folder.ini"},
        SaveFault{"FileWhereTheFolderShouldBe", FileInPlaceOfFolder, true, true, kOnDisk, "plain\\game.ini"},
        SaveFault{"ReadOnlyFolder", ReadOnlyFolder, true, true, kOnDisk, nullptr, true}),
    ByName());

// The new text replaces the file as a new file: the mode carries over, less read-only.
TEST(SaveModes, ASavedFileKeepsItsModeAndLosesOnlyReadOnly) {
  for (const auto& [before, after] : {std::pair<mode_t, mode_t>{0640, 0640}, {0755, 0755}, {0444, 0644}}) {
    LogCapture log;
    TempDir dir;
    WriteBytes(dir / "game.ini", kOnDisk);
    ::chmod((dir / "game.ini").c_str(), before);
    INIFile ini;
    ini.SetFilename(dir.Text("game.ini"));
    ini.SetIniValue("A", "x", "2");
    ini.Save(false);
    struct stat st{};
    ASSERT_EQ(::stat((dir / "game.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, after) << std::oct << before;
    EXPECT_EQ(ReadBytes(dir / "game.ini"), kEdited);
  }
}

// A real device that runs full: a small memory file system of 64 KB, where the machine lets
// the test mount one. With 40 KB of the INI file and 16 KB of another, the new text of 49 KB
// fits neither beside the old file nor in its place.
TEST(RealFullDevice, ASaveThatDoesNotFitLeavesTheFileAsItWas) {
  TempDir dir;
  const auto device = dir / "small";
  std::filesystem::create_directory(device);
  if (::mount("tmpfs", device.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "this machine does not let the test mount a small device: " << std::strerror(errno);
  struct Unmount {
    std::filesystem::path at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{device};
  LogCapture log;
  BoxRecorder boxes;
  const std::string old = "[A]\r\nx = 1\r\n" + std::string(40 * 1024, ';') + "\r\n";
  WriteBytes(device / "game.ini", old);
  WriteBytes(device / "other", std::string(16 * 1024, 'o'));
  INIFile ini;
  ini.SetFilename(PathText(device / "game.ini"));
  ini.SetIniValue("A", "x", std::string(9 * 1024, 'v'));
  ini.Save(false);
  EXPECT_EQ(boxes.texts().size(), 1u);
  EXPECT_TRUE(ini.Changed());
  EXPECT_TRUE(ReadBytes(device / "game.ini") == old) << "the file is no longer as it was";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(device), {}), 2) << "a new file was left behind";
}

}  // namespace
}  // namespace orvo::test
