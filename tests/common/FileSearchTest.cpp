// Byte search in real files; the newest file of a folder that is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/OrvoCommon.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

using test::ReadBytes;
using test::WriteBytes;
namespace fs = std::filesystem;

TEST(FindString, GivesThePositionBeforeTheMatchOrZero) {
  struct Case { std::string content; std::int32_t start; std::string search; std::optional<std::int32_t> result; };  // nullopt: box
  const Case cases[] = {
      {"xxabcx", 3, "abc", 2}, {"xxabcx", 4, "abc", 0}, {"yx", 1, "x", 1}, {"abxy", 3, "x", 0}, {"abab", 1, "ab", 0},
      {"abab", 2, "ab", 2}, {"12345", 1, "45", 3}, {"xABC", 1, "abc", 0},
      {"ab", 1, " ab", -1}, {"zzab", 3, "  ab", 0},  // the first window's blanks take part
      {"abc", 1, "", 2}, {"abc", 3, "", 0}, {"abc", 1, std::string("c\0", 2), 0}, {"abc", 10, "c", 0}, {"", 1, "a", 0},
      {std::string("\0\x01\xFF\0", 4), 1, std::string("\xFF\0", 2), 2},
      {"abc", 0, "b", std::nullopt}, {"abc", 1, std::string(32768, 'a'), std::nullopt},
      {std::string(32768, 'a'), 1, std::string(32767, 'a'), 0}};
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content.substr(0, 8) + " from " + std::to_string(c.start) + " for " + c.search.substr(0, 8));
    WriteBytes(dir / "f.bin", c.content);
    test::BoxRecorder boxes;
    EXPECT_EQ(Common().FindString(dir.Text("f.bin"), c.start, c.search), c.result);
    EXPECT_EQ(boxes.texts().size(), c.result ? 0u : 1u);
    for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(" in FindString")) << text;
    EXPECT_EQ(ReadBytes(dir / "f.bin"), c.content);  // nothing written
  }
  EXPECT_EQ(Common().ReadString(dir.Text("f.bin"), 2, 3), "aaa");
  EXPECT_EQ(Common().ReadString(dir.Text("f.bin"), 2, -2147483647 - 1), "");  // one less than the length overflows
  EXPECT_EQ(Common().FindString(dir.Text("new.bin"), 1, "a"), 0);
  EXPECT_TRUE(fs::exists(dir / "new.bin") && fs::file_size(dir / "new.bin") == 0);
}

// A folder that does not exist, or whose name is a file's, holds no files: no name, no box.
TEST(NewestFile, NoFolderNoName) {
  test::TempDir dir;
  WriteBytes(dir / "f.ini", "x");
  test::BoxRecorder boxes;
  for (const char* folder : {"missing", "f.ini"}) EXPECT_EQ(Common().NewestFile(dir.Text(folder), "*.ini"), "") << folder;
  EXPECT_EQ(Common().NewestFile(dir.Text(), "*.INI"), "f.ini");
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace orvo
