// Bringing a directory tree up to date by copy mode, walking it depth-first, and moving it.
#include <gtest/gtest.h>

#include <filesystem>

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

enum class Target { Missing, Older, SameTime, Newer };

struct CopyCase {
  const char* name;
  std::int32_t mode;
  Target target;
  bool deleteSource;
  bool copies;
};

class UpdateIfNewerTest : public testing::TestWithParam<CopyCase> {};
TEST_P(UpdateIfNewerTest, CopiesByModeAndDeletesOnlyWhatItCopied) {
  TempDir dir;
  const auto now = fs::file_time_type::clock::now();
  WriteBytes(dir / "from.ini", "new");
  fs::last_write_time(dir / "from.ini", now - std::chrono::seconds(100));
  const Target target = GetParam().target;
  if (target != Target::Missing) {
    WriteBytes(dir / "to.ini", "old");
    const int ago = target == Target::Older ? 200 : target == Target::SameTime ? 100 : 10;
    fs::last_write_time(dir / "to.ini", now - std::chrono::seconds(ago));
    if (target == Target::SameTime) fs::last_write_time(dir / "to.ini", fs::last_write_time(dir / "from.ini"));
  }
  test::BoxRecorder boxes;
  Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text("to.ini"), GetParam().mode, GetParam().deleteSource, "ignored");
  EXPECT_TRUE(boxes.boxes().empty());
  const std::string before = target == Target::Missing ? "" : "old";
  EXPECT_EQ(fs::exists(dir / "to.ini") ? ReadBytes(dir / "to.ini") : "", GetParam().copies ? "new" : before);
  EXPECT_EQ(fs::exists(dir / "from.ini"), !(GetParam().copies && GetParam().deleteSource));
}
INSTANTIATE_TEST_SUITE_P(
    Modes, UpdateIfNewerTest,
    testing::Values(CopyCase{"Always", 0, Target::Newer, false, true},
                    CopyCase{"AlwaysFive", 5, Target::Newer, false, true},
                    CopyCase{"MissingOnlyCopiesMissing", 1, Target::Missing, false, true},
                    CopyCase{"MissingOnlyKeepsExisting", 1, Target::Older, false, false},
                    CopyCase{"NewerCopiesMissing", 2, Target::Missing, false, true},
                    CopyCase{"NewerReplacesOlder", 2, Target::Older, false, true},
                    CopyCase{"NewerKeepsSameTime", 2, Target::SameTime, false, false},
                    CopyCase{"NewerKeepsNewer", 2, Target::Newer, false, false},
                    CopyCase{"ExistingOnlyReplaces", 3, Target::Newer, false, true},
                    CopyCase{"ExistingOnlySkipsMissing", 3, Target::Missing, false, false},
                    CopyCase{"ProgressModeOff", 4, Target::Missing, false, false},
                    CopyCase{"UnknownMode", 7, Target::Missing, false, false},
                    CopyCase{"NegativeMode", -1, Target::Missing, false, false},
                    CopyCase{"MoveWhenCopied", 2, Target::Older, true, true},
                    CopyCase{"NoDeleteWithoutCopy", 2, Target::Newer, true, false},
                    CopyCase{"NoDeleteInUnknownMode", 9, Target::Missing, true, false}),
    [](const testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.name); });

TEST(UpdateIfNewer, ModeFourCopiesWhileTheProgressSwitchIsOn) {
  TempDir dir;
  WriteBytes(dir / "from.ini", "new");
  gProgressMode = true;
  Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text("to.ini"), 4);
  gProgressMode = false;
  EXPECT_EQ(ReadBytes(dir / "to.ini"), "new");
}

// Every status text set during a walk, and whether the top level's own file had reached the
// target by then.
class StatusLog {
 public:
  explicit StatusLog(fs::path watched)
      : watched_(std::move(watched)), previous_(SetStatusMessageObserver([this](const std::string& text) {
          messages.push_back(text);
          topFileBefore.push_back(fs::exists(watched_));
        })) {}
  ~StatusLog() { SetStatusMessageObserver(previous_); }
  std::vector<std::string> messages;
  std::vector<bool> topFileBefore;

 private:
  fs::path watched_;
  StatusMessageObserver previous_;
};

// The subdirectories of a folder without a point in their names, in the platform's order.
std::vector<std::string> Subdirectories(const fs::path& folder) {
  std::vector<std::string> names;
  platform::StartListing(test::PathText(folder) + "\\*.", true);
  while (auto listed = platform::NextListed())
    if (listed->isDirectory) names.push_back(listed->name);
  return names;
}

// The status texts of a pre-order walk of folder, as the walk must produce them.
void ExpectedMessages(const fs::path& folder, const std::string& base, std::vector<std::string>& out) {
  for (const std::string& d : Subdirectories(folder)) {
    out.push_back(base + "\r" + d);
    ExpectedMessages(folder / d, base, out);
  }
}

class SourceTree : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* d : {"src/Cars/Deep", "src/Tracks", "src/Empty", "src/Mod.old", "dst"})
      fs::create_directories(dir / d);
    for (const char* f : {"src/a.ini", "src/b.txt", "src/.hidden.ini", "src/Cars/x.txt", "src/Cars/Deep/y",
                          "src/Tracks/t.ini", "src/Mod.old/z.ini"})
      WriteBytes(dir / f, f);
  }
  std::string Src(const std::string& tail = {}) const { return dir.Text("src") + "\\" + tail; }
  TempDir dir;
};

TEST_F(SourceTree, WalksSubdirectoriesFirstAndAppliesThePatternToTheTopOnly) {
  std::vector<std::string> expected;
  ExpectedMessages(dir / "src", "Updating", expected);
  StatusLog status(dir / "dst" / "new" / "a.ini");
  test::BoxRecorder boxes;
  Common().UpdateNewerVersions(Src("*.ini"), " " + dir.Text("dst") + "\\new ", 2, false, "Updating");
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(status.messages, expected);
  EXPECT_EQ(status.messages.size(), 4u);  // Cars, Deep, Tracks, Empty in some order
  for (bool before : status.topFileBefore) EXPECT_FALSE(before);
  const fs::path to = dir / "dst" / "new";
  for (const char* f : {"a.ini", "Cars/x.txt", "Cars/Deep/y", "Tracks/t.ini"}) EXPECT_EQ(ReadBytes(to / f), std::string("src/") + f);
  for (const char* absent : {"b.txt", ".hidden.ini", "Mod.old"}) EXPECT_FALSE(fs::exists(to / absent)) << absent;
  EXPECT_TRUE(fs::is_directory(to / "Empty"));
  EXPECT_EQ(StatusWindow().Message(), expected.back());  // left as the last subdirectory set it
}

TEST_F(SourceTree, ModeFiveSkipsSubdirectoriesTheTargetHasAlready) {
  fs::create_directories(dir / "dst" / "Cars");
  WriteBytes(dir / "dst" / "a.ini", "old");
  StatusLog status(dir / "unused");
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 5, false, "B");
  EXPECT_FALSE(fs::exists(dir / "dst" / "Cars" / "x.txt"));
  EXPECT_FALSE(fs::exists(dir / "dst" / "Cars" / "Deep"));
  EXPECT_EQ(ReadBytes(dir / "dst" / "a.ini"), "src/a.ini");
  EXPECT_EQ(ReadBytes(dir / "dst" / "Tracks" / "t.ini"), "src/Tracks/t.ini");
  for (const std::string& m : status.messages) EXPECT_NE(m, "B\rCars");
  EXPECT_EQ(status.messages.size(), 2u);  // Tracks and Empty
}

TEST_F(SourceTree, DeletingMovesTheTree) {
  fs::remove_all(dir / "src" / "Mod.old");
  fs::remove(dir / "src" / ".hidden.ini");
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 0, true);
  EXPECT_FALSE(fs::exists(dir / "src"));
  for (const char* f : {"a.ini", "b.txt", "Cars/x.txt", "Cars/Deep/y", "Tracks/t.ini"})
    EXPECT_EQ(ReadBytes(dir / "dst" / f), std::string("src/") + f);
  EXPECT_TRUE(fs::is_directory(dir / "dst" / "Empty"));
}

TEST_F(SourceTree, AStepThatKeepsFailingIsGivenUpAfterThreeBoxesAndTheWalkGoesOn) {
  // Mode 1 leaves Tracks/t.ini in the source, so Tracks cannot be removed; the rest moves.
  fs::create_directories(dir / "dst" / "Tracks");
  WriteBytes(dir / "dst" / "Tracks" / "t.ini", "kept");
  fs::remove_all(dir / "src" / "Mod.old");
  test::BoxRecorder boxes;
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("dst"), 1, true);
  // Three boxes for Tracks, three more for the top folder, which still holds Tracks.
  ASSERT_EQ(boxes.boxes().size(), 6u);
  for (const std::string& text : boxes.texts()) EXPECT_TRUE(text.ends_with(" in UpdateNewerVersions")) << text;
  EXPECT_EQ(ReadBytes(dir / "dst" / "Tracks" / "t.ini"), "kept");
  EXPECT_TRUE(fs::exists(dir / "src" / "Tracks" / "t.ini"));
  EXPECT_FALSE(fs::exists(dir / "src" / "Cars"));
  EXPECT_EQ(ReadBytes(dir / "dst" / "Cars" / "Deep" / "y"), "src/Cars/Deep/y");
}

TEST_F(SourceTree, ATargetWhoseParentIsMissingIsGivenUp) {
  test::BoxRecorder boxes;
  Common().UpdateNewerVersions(Src("*.*"), dir.Text("no") + "\\such\\dst");
  EXPECT_EQ(boxes.boxes().size(), 3u);
  EXPECT_FALSE(fs::exists(dir / "no"));
}

}  // namespace
}  // namespace orvo
