// The Win32 listing leaves out hidden and system files and keeps read-only ones.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/OrvoCommon.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

TEST(Win32Listing, CopyFilesSkipsHiddenAndSystemFiles) {
  test::TempDir dir;
  CreateDirectoryA(dir.Text("from").c_str(), nullptr);
  CreateDirectoryA(dir.Text("to").c_str(), nullptr);
  const std::pair<const char*, DWORD> files[] = {{"plain.ini", FILE_ATTRIBUTE_NORMAL},
                                                 {"hidden.ini", FILE_ATTRIBUTE_HIDDEN},
                                                 {"system.ini", FILE_ATTRIBUTE_SYSTEM},
                                                 {"readonly.ini", FILE_ATTRIBUTE_READONLY},
                                                 {"archived.ini", FILE_ATTRIBUTE_ARCHIVE}};
  for (const auto& [name, attributes] : files) {
    test::WriteBytes(dir / "from" / name, name);
    ASSERT_TRUE(SetFileAttributesA(dir.Text(std::string("from\\") + name).c_str(), attributes));
  }
  Common().CopyFiles(dir.Text("from") + "\\", dir.Text("to") + "\\");
  for (const auto& [name, attributes] : files) {
    const bool listed = !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(Common().FileExists(dir.Text(std::string("to\\") + name)), listed) << name;
    SetFileAttributesA(dir.Text(std::string("from\\") + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(dir.Text(std::string("to\\") + name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace orvo
