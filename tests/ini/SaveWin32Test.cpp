// Saves that Windows alone can refuse: a file that another program holds open without letting
// it be deleted or replaced, and a folder whose path leaves no room for a new file's name
// beside the file. Each is written where it stands, as the same file.
#include <windows.h>

#include "ini/IniTestSupport.h"

namespace orvo::test {
namespace {

const std::string kOnDisk = "[A]\r\nx = 1 ; note\r\n";

// Sets x to 2 in file (adding it where add) and saves, with no box and nothing left unsaved.
void SetsX(const std::string& file, bool add = false) {
  BoxRecorder boxes;
  INIFile ini;
  ini.SetFilename(file);
  ini.SetIniValue("A", "x", "2", add);
  ini.Save(false);
  EXPECT_FALSE(ini.Changed());
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{});
}

TEST(Win32Saves, AFileHeldOpenWithoutDeleteSharingIsWrittenWhereItStands) {
  TempDir dir;
  WriteBytes(dir / "game.ini", kOnDisk);
  HANDLE held = CreateFileA(dir.Text("game.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SetsX(dir.Text("game.ini"));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(dir / "game.ini"), "[A]\r\nx = 2 ; note\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "a file left beside it";
}

TEST(Win32Saves, AFolderPathWithNoRoomForATemporaryNameSaves) {
  TempDir dir;
  // The folder's path a few characters short of MAX_PATH, the file's name short enough to fit.
  const std::size_t length = MAX_PATH - 12;
  auto folder = dir.path();
  while (folder.string().size() + 1 < length)
    folder /= std::string(std::min<std::size_t>(40, length - folder.string().size() - 1), 'f');
  std::filesystem::create_directories(folder);
  WriteBytes(folder / "g.ini", kOnDisk);
  SetsX(PathText(folder / "g.ini"));
  EXPECT_EQ(ReadBytes(folder / "g.ini"), "[A]\r\nx = 2 ; note\r\n");
  SetsX(PathText(folder / "h.ini"), true);  // and a file not there yet
}

}  // namespace
}  // namespace orvo::test
