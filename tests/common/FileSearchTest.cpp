// Copying a directory's files, the newest file, byte search and byte reads in real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "common/OrvoCommon.h"
#include "platform/directory_listing.h"
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
  EXPECT_EQ(Common().FindString(dir.Text("new.bin"), 1, "a"), 0);
  EXPECT_TRUE(fs::exists(dir / "new.bin") && fs::file_size(dir / "new.bin") == 0);
}

TEST(ReadString, LengthBytesFromTheStartAndAtLeastOne) {
  struct Case { std::int32_t start, length; std::string expected; };
  const Case cases[] = {{2, 3, "bcd"}, {2, 0, "b"}, {6, -4, "f"}, {5, 4, std::string("ef\0\0", 4)}, {9, 2, std::string(2, '\0')}, {0, 2, ""}};
  test::TempDir dir;
  WriteBytes(dir / "f.bin", "abcdef");
  for (const auto& c : cases) EXPECT_EQ(Common().ReadString(dir.Text("f.bin"), c.start, c.length), c.expected) << c.start << " " << c.length;
}

TEST(CopyFiles, CopiesThePlainFilesWithoutPointNamesOrSubdirectories) {
  test::TempDir dir;
  for (const char* d : {"from/sub", "to", "empty"}) fs::create_directories(dir / d);
  for (const char* f : {"from/a.ini", "from/b", "from/.profile", "from/sub/c.ini"}) WriteBytes(dir / f, f);
  WriteBytes(dir / "to" / "a.ini", "old");
  test::BoxRecorder boxes;
  // A source folder that does not exist holds no files: nothing to copy and nothing to report.
  for (const char* from : {"empty", "missing", "from"}) Common().CopyFiles(dir.Text(from) + "\\", dir.Text("to") + "\\");
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(ReadBytes(dir / "to" / "a.ini") + ReadBytes(dir / "to" / "b"), "from/a.inifrom/b");
  EXPECT_FALSE(fs::exists(dir / "to" / ".profile") || fs::exists(dir / "to" / "sub"));
  // A missing target folder, and a copy of each file onto itself, are refused with one box
  // each; the box names the member, not the path, and the files stay as they were.
  for (const std::string& to : {dir.Text("missing") + "\\", dir.Text("from") + "\\", dir.Text("from") + "\\.\\"})
    Common().CopyFiles(dir.Text("from") + "\\", to);
  ASSERT_EQ(boxes.boxes().size(), 3u);
  for (const std::string& text : boxes.texts())
    EXPECT_TRUE(text.ends_with(" in CopyFiles") && text.find(dir.Text()) == std::string::npos) << text;
  EXPECT_EQ(boxes.boxes()[0].title, "Fatal Orvo+ Error");
  EXPECT_EQ(ReadBytes(dir / "from" / "a.ini"), "from/a.ini");
}

// Equal times go to the name listed first; a missing folder has none, without a box.
TEST(NewestFile, BareNameOfTheNewestMatch) {
  struct Case { std::vector<std::pair<std::string, int>> files; std::string wildcard, expected; };  // name, seconds ago
  const Case cases[] = {{{}, "*.*", ""}, {{{"a.ini", 300}, {"b.ini", 100}, {"c.ini", 200}}, "*.ini", "b.ini"},
                        {{{"a.ini", 300}, {"b.txt", 100}}, "*.INI", "a.ini"}, {{{"a.ini", 300}, {".new.ini", 10}}, "*.ini", "a.ini"},
                        {{{"ab.ini", 300}, {"abc.ini", 100}}, "a?.ini", "ab.ini"}, {{{"x", 9}, {"y", 9}, {"z", 9}}, "*", "first"}};
  for (const auto& c : cases) {
    test::TempDir dir;
    fs::create_directory(dir / "sub.ini");  // directories are never candidates
    const auto now = fs::file_time_type::clock::now();
    for (const auto& [name, ago] : c.files) {
      WriteBytes(dir / name, name);
      fs::last_write_time(dir / name, now - std::chrono::seconds(ago));
    }
    platform::StartListing(dir.Text() + "\\*", false);
    const auto first = platform::NextListed();
    while (platform::NextListed()) {
    }
    const std::string expected = c.expected == "first" ? first->name : c.expected;
    EXPECT_EQ(Common().NewestFile("  " + dir.Text() + " ", c.wildcard), expected) << c.wildcard;
  }
  test::BoxRecorder boxes;
  EXPECT_EQ(Common().NewestFile(test::TempDir().Text("missing"), "*.*"), "");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace orvo
