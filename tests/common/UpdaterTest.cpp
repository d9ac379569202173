// Bringing a directory tree up to date by copy mode, walking it depth-first, and moving it.
#include <gtest/gtest.h>

#include <filesystem>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "common/ProgressMode.h"
#include "platform/directory_listing.h"
#include "status/frmStatus.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

TEST(UpdateIfNewer, CopiesByModeAndDeletesOnlyWhatItCopied) {
  enum Target { Missing, Older, SameTime, Newer };
  struct Case { std::int32_t mode; Target target; bool deleteSource, copies; };
  const Case cases[] = {{0, Newer, false, true},    {5, Newer, false, true},     {1, Missing, false, true},  {1, Older, false, false},
                        {2, Missing, false, true},  {2, Older, false, true},     {2, SameTime, false, false}, {2, Newer, false, false},
                        {3, Newer, false, true},    {3, Missing, false, false},  {4, Missing, false, false}, {7, Missing, false, false},
                        {-1, Missing, false, false}, {2, Older, true, true},     {9, Missing, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " target " + std::to_string(c.target) + " delete " + std::to_string(c.deleteSource));
    TempDir dir;
    WriteBytes(dir / "from.ini", "new");
    if (c.target != Missing) {
      WriteBytes(dir / "to.ini", "old");
      const auto from = fs::last_write_time(dir / "from.ini");
      fs::last_write_time(dir / "to.ini", from + std::chrono::seconds(c.target == Older ? -100 : c.target == Newer ? 100 : 0));
    }
    test::BoxRecorder boxes;
    Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text("to.ini"), c.mode, c.deleteSource, "ignored");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(ReadBytes(dir / "to.ini"), c.copies ? "new" : c.target == Missing ? "" : "old");
    EXPECT_EQ(fs::exists(dir / "from.ini"), !(c.copies && c.deleteSource));
  }
  TempDir dir;
  WriteBytes(dir / "from.ini", "new");
  {  // a copy onto the file itself is refused, with the file as it was
    test::BoxRecorder boxes;
    Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text("from.ini"), 0);
    EXPECT_EQ(boxes.texts().size(), 3u);
    EXPECT_EQ(ReadBytes(dir / "from.ini"), "new");
  }
  gProgressMode = true;  // mode 4 copies only while the switch is on
  Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text("to.ini"), 4);
  gProgressMode = false;
  EXPECT_EQ(ReadBytes(dir / "to.ini"), "new");
}

class SourceTree : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"src/Cars/Deep", "src/Tracks", "src/Empty", "src/Mod.old", "dst"}) fs::create_directories(dir / d);
    for (const char* f : {"src/a.ini", "src/b.txt", "src/.h.ini", "src/Cars/Deep/y", "src/Tracks/t.ini", "src/Mod.old/z.ini"}) WriteBytes(dir / f, f);
  }
  std::string Src(const std::string& tail) const { return dir.Text("src") + "\\" + tail; }
  void ExpectCopied(const fs::path& to, std::initializer_list<const char*> files) {
    for (const char* f : files) EXPECT_EQ(ReadBytes(to / f), std::string("src/") + f);
  }
  TempDir dir;
  test::BoxRecorder boxes;
};

// The status texts of a pre-order walk of folder (subdirectories without a point in their
// names, in the platform's listing order), as the walk must produce them.
void ExpectedMessages(const fs::path& folder, std::vector<std::string>& out) {
  std::vector<std::string> names;
  platform::StartListing(test::PathText(folder) + "\\*.", true);
  while (auto listed = platform::NextListed()) if (listed->isDirectory) names.push_back(listed->name);
  for (const std::string& d : names) {
    out.push_back("Updating\r" + d);
    ExpectedMessages(folder / d, out);
  }
}

TEST_F(SourceTree, WalksSubdirectoriesFirstAndAppliesThePatternToTheTopOnly) {
  std::vector<std::string> expected, messages;
  ExpectedMessages(dir / "src", expected);
  ASSERT_EQ(expected.size(), 4u);  // Cars, Deep, Tracks, Empty in some order
  const fs::path to = dir / "dst" / "new";
  bool topFileBefore = false;  // whether the top level's own file had reached the target by a status text
  const auto previous = SetStatusMessageObserver([&](const std::string& text) {
    messages.push_back(text);
    topFileBefore |= fs::exists(to / "a.ini");
  });
  Common().UpdateNewerVersions(Src("*.ini"), " " + dir.Text("dst") + "\\new ", 2, false, "Updating");
  SetStatusMessageObserver(previous);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(messages, expected);
  EXPECT_FALSE(topFileBefore);
  ExpectCopied(to, {"a.ini", "Cars/Deep/y", "Tracks/t.ini"});
  for (const char* absent : {"b.txt", ".h.ini", "Mod.old"}) EXPECT_FALSE(fs::exists(to / absent)) << absent;
  EXPECT_TRUE(fs::is_directory(to / "Empty"));
  EXPECT_EQ(StatusWindow().Message(), expected.back());  // left as the last subdirectory set it
}

TEST_F(SourceTree, ModeFiveSkipsSubdirectoriesTheTargetHasAndDeletingMovesTheTree) {
  fs::remove_all(dir / "src" / "Mod.old");
  fs::remove(dir / "src" / ".h.ini");
  fs::create_directories(dir / "dst" / "Cars");
  WriteBytes(dir / "dst" / "a.ini", "old");
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 5);
  EXPECT_FALSE(fs::exists(dir / "dst" / "Cars" / "Deep"));
  ExpectCopied(dir / "dst", {"a.ini", "Tracks/t.ini"});
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 0, true);
  EXPECT_FALSE(fs::exists(dir / "src"));
  ExpectCopied(dir / "dst", {"a.ini", "b.txt", "Cars/Deep/y", "Tracks/t.ini"});
  EXPECT_TRUE(fs::is_directory(dir / "dst" / "Empty"));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(SourceTree, AStatusWindowThatFailsOnceIsBoxedAndTheWalkGoesOn) {
  int failures = 1;
  const auto previous = SetStatusMessageObserver([&](const std::string&) {
    if (failures-- > 0) throw OrvoError(OrvoError::Kind::System, "No window");
  });
  Common().UpdateNewerVersions(Src("*.ini"), dir.Text("dst"));
  SetStatusMessageObserver(previous);
  EXPECT_EQ(boxes.texts(), std::vector<std::string>{"No window in UpdateNewerVersions"});
  ExpectCopied(dir / "dst", {"a.ini", "Cars/Deep/y", "Tracks/t.ini"});
}

TEST_F(SourceTree, AStepThatKeepsFailingIsGivenUpAfterThreeBoxesAndTheWalkGoesOn) {
  // Mode 1 leaves Tracks/t.ini in the source, so Tracks cannot be removed; the rest moves.
  fs::create_directories(dir / "dst" / "Tracks");
  WriteBytes(dir / "dst" / "Tracks" / "t.ini", "kept");
  fs::remove_all(dir / "src" / "Mod.old");
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 1, true);
  // Three boxes for Tracks, three more for the top folder, which still holds Tracks.
  ASSERT_EQ(boxes.boxes().size(), 6u);
  for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(" in UpdateNewerVersions")) << text;
  EXPECT_EQ(ReadBytes(dir / "dst" / "Tracks" / "t.ini") + ReadBytes(dir / "src" / "Tracks" / "t.ini"), "keptsrc/Tracks/t.ini");
  EXPECT_FALSE(fs::exists(dir / "src" / "Cars"));
  ExpectCopied(dir / "dst", {"Cars/Deep/y"});
  // A target whose parent is missing is not made with it.
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("no") + "\\such\\dst");
  EXPECT_EQ(boxes.boxes().size(), 9u);
  EXPECT_FALSE(fs::exists(dir / "no"));
}

}  // namespace
}  // namespace orvo
