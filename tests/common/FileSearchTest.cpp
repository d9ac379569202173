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
using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

// ---- FindString ------------------------------------------------------------------------

struct FindCase {
  const char* name;
  std::string content;
  std::int32_t start;
  std::string search;
  std::optional<std::int32_t> result;  // nullopt: the box and no value
};

class FindStringTest : public testing::TestWithParam<FindCase> {};
TEST_P(FindStringTest, GivesThePositionBeforeTheMatch) {
  TempDir dir;
  WriteBytes(dir / "f.bin", GetParam().content);
  test::BoxRecorder boxes;
  EXPECT_EQ(Common().FindString(dir.Text("f.bin"), GetParam().start, GetParam().search), GetParam().result);
  if (GetParam().result) {
    EXPECT_TRUE(boxes.boxes().empty());
  } else {
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.texts()[0].ends_with(" in FindString")) << boxes.texts()[0];
  }
  EXPECT_EQ(ReadBytes(dir / "f.bin"), GetParam().content);  // nothing written
}
INSTANTIATE_TEST_SUITE_P(
    Windows, FindStringTest,
    testing::Values(FindCase{"MatchAfterStart", "xxabcx", 1, "abc", 2}, FindCase{"MatchStartsAfterStart", "xxabcx", 3, "abc", 2},
                    FindCase{"StartInsideTheMatch", "xxabcx", 4, "abc", 0},
                    FindCase{"OneCharacterNeverAtTheStart", "x", 1, "x", 0},
                    FindCase{"OneCharacterAfterTheStart", "yx", 1, "x", 1},
                    FindCase{"FirstOfTwoMatches", "abab", 1, "ab", 0}, FindCase{"SecondMatch", "abab", 2, "ab", 2},
                    FindCase{"MatchEndsAtTheLastByte", "12345", 1, "45", 3},
                    FindCase{"CaseSensitive", "xABC", 1, "abc", 0},
                    FindCase{"LeadingBlanksMatchTheFirstWindow", "ab", 1, " ab", -1},
                    FindCase{"BlanksReachBelowTheStart", "zzab", 3, "  ab", 0},
                    FindCase{"EmptyTextAfterTheStart", "abc", 1, "", 2}, FindCase{"EmptyTextAtTheLastByte", "abc", 3, "", 0},
                    FindCase{"StartBeyondTheEnd", "abc", 10, "c", 0}, FindCase{"EmptyFile", "", 1, "a", 0},
                    FindCase{"BinaryBytes", std::string("\0\x01\xFF\0", 4), 1, std::string("\xFF\0", 2), 2},
                    FindCase{"StartBelowOneFails", "abc", 0, "b", std::nullopt},
                    FindCase{"TextLongerThan16BitsFails", "abc", 1, std::string(32768, 'a'), std::nullopt},
                    FindCase{"Longest16BitText", std::string(32768, 'a'), 1, std::string(32767, 'a'), 0}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(FindString, MissingFileIsCreatedEmpty) {
  TempDir dir;
  EXPECT_EQ(Common().FindString(dir.Text("new.bin"), 1, "a"), 0);
  ASSERT_TRUE(fs::exists(dir / "new.bin"));
  EXPECT_EQ(fs::file_size(dir / "new.bin"), 0u);
}

// ---- ReadString ------------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::int32_t start;
  std::int32_t length;
  std::string expected;
};

class ReadStringTest : public testing::TestWithParam<ReadCase> {};
TEST_P(ReadStringTest, ReadsLengthBytesAtTheStart) {
  TempDir dir;
  WriteBytes(dir / "f.bin", "abcdef");
  EXPECT_EQ(Common().ReadString(dir.Text("f.bin"), GetParam().start, GetParam().length), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Positions, ReadStringTest,
    testing::Values(ReadCase{"Middle", 2, 3, "bcd"}, ReadCase{"ZeroLengthReadsOne", 2, 0, "b"},
                    ReadCase{"NegativeLengthReadsOne", 6, -4, "f"}, ReadCase{"Whole", 1, 6, "abcdef"},
                    ReadCase{"PastTheEndReadsCodeZero", 5, 4, std::string("ef\0\0", 4)},
                    ReadCase{"StartBeyondTheEnd", 9, 2, std::string(2, '\0')}, ReadCase{"StartBelowOneIsQuiet", 0, 2, ""}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- CopyFiles and NewestFile ------------------------------------------------------------

void SetTime(const fs::path& file, int secondsAgo) {
  fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
}

TEST(CopyFiles, CopiesThePlainFilesWithoutPointNamesOrSubdirectories) {
  TempDir dir;
  fs::create_directories(dir / "from" / "sub");
  fs::create_directory(dir / "to");
  WriteBytes(dir / "from" / "a.ini", "new a");
  WriteBytes(dir / "from" / "b", "b");
  WriteBytes(dir / "from" / ".profile", "p");
  WriteBytes(dir / "from" / "sub" / "c.ini", "c");
  WriteBytes(dir / "to" / "a.ini", "old a");
  test::BoxRecorder boxes;
  Common().CopyFiles(dir.Text("from") + "\\", dir.Text("to") + "\\");
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(ReadBytes(dir / "to" / "a.ini"), "new a");
  EXPECT_EQ(ReadBytes(dir / "to" / "b"), "b");
  EXPECT_FALSE(fs::exists(dir / "to" / ".profile"));
  EXPECT_FALSE(fs::exists(dir / "to" / "sub"));
}

TEST(CopyFiles, EmptySourceCopiesNothingAndAMissingTargetShowsTheBox) {
  TempDir dir;
  fs::create_directory(dir / "from");
  fs::create_directory(dir / "to");
  {
    test::BoxRecorder boxes;
    Common().CopyFiles(dir.Text("from") + "\\", dir.Text("to") + "\\");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(fs::is_empty(dir / "to"));
  }
  WriteBytes(dir / "from" / "a.ini", "a");
  test::BoxRecorder boxes;
  Common().CopyFiles(dir.Text("from") + "\\", dir.Text("missing") + "\\");
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_TRUE(boxes.texts()[0].ends_with(" in CopyFiles")) << boxes.texts()[0];
  EXPECT_EQ(boxes.boxes()[0].title, "Fatal Orvo+ Error");
}

struct NewestCase {
  const char* name;
  std::vector<std::pair<std::string, int>> files;  // name, seconds ago
  std::string wildcard;
  std::string expected;
};

class NewestFileTest : public testing::TestWithParam<NewestCase> {};
TEST_P(NewestFileTest, GivesTheBareNameOfTheNewestMatch) {
  TempDir dir;
  fs::create_directory(dir / "sub.ini");
  for (const auto& [name, ago] : GetParam().files) {
    WriteBytes(dir / name, name);
    SetTime(dir / name, ago);
  }
  // The directory is trimmed and completed with its backslash.
  EXPECT_EQ(Common().NewestFile("  " + dir.Text() + " ", GetParam().wildcard), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Directories, NewestFileTest,
    testing::Values(NewestCase{"NoFiles", {}, "*.*", ""},
                    NewestCase{"NewestWins", {{"a.ini", 300}, {"b.ini", 100}, {"c.ini", 200}}, "*.ini", "b.ini"},
                    NewestCase{"PatternFilters", {{"a.ini", 300}, {"b.txt", 100}}, "*.INI", "a.ini"},
                    NewestCase{"PointNamesSkipped", {{"a.ini", 300}, {".new.ini", 10}}, "*.ini", "a.ini"},
                    NewestCase{"QuestionMarkIsOneCharacter", {{"ab.ini", 300}, {"abc.ini", 100}}, "a?.ini", "ab.ini"},
                    NewestCase{"NoMatch", {{"a.txt", 300}}, "*.ini", ""}),
    [](const testing::TestParamInfo<NewestCase>& info) { return std::string(info.param.name); });

TEST(NewestFile, EqualTimesGoToTheNameListedFirst) {
  TempDir dir;
  for (const char* name : {"x.ini", "y.ini", "z.ini"}) {
    WriteBytes(dir / name, name);
    fs::last_write_time(dir / name, fs::last_write_time(dir / "x.ini"));
  }
  platform::StartListing(dir.Text() + "\\*.ini", false);
  const auto first = platform::NextListed();
  while (platform::NextListed()) {
  }
  ASSERT_TRUE(first);
  EXPECT_EQ(Common().NewestFile(dir.Text(), "*.ini"), first->name);
}

TEST(NewestFile, AMissingDirectoryBringsTheBoxBackUntilTheStepIsGivenUp) {
  TempDir dir;
  test::BoxRecorder boxes;
  EXPECT_EQ(Common().NewestFile(dir.Text("missing"), "*.*"), "");
  ASSERT_EQ(boxes.boxes().size(), 3u);
  for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(" in NewestFile")) << text;
}

}  // namespace
}  // namespace orvo
