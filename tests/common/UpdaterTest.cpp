// Bringing a directory tree up to date by copy mode, walking it depth-first.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/OrvoCommon.h"
#include "common/ProgressMode.h"
#include "status/frmStatus.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

namespace orvo {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
namespace fs = std::filesystem;

// Every entry under folder in name order: "name/" for a folder, "name=bytes" for a file.
std::string Tree(const fs::path& folder) {
  std::vector<std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).generic_string();
    entries.push_back(e.is_directory() ? name + "/" : name + "=" + ReadBytes(e.path()));
  }
  std::sort(entries.begin(), entries.end());
  std::string all;
  for (const std::string& e : entries) all += e + " ";
  return all;
}

// Itself: a copy onto the source, which is refused with the file as it was; progress: the
// progress switch on, without which mode 4 copies nothing.
TEST(UpdateIfNewer, CopiesByModeAndDeletesOnlyWhatItCopied) {
  enum Target { Missing, Itself, Older, SameTime, Newer };
  struct Case { std::int32_t mode; Target target; bool deleteSource, copies, progress = false; };
  const Case cases[] = {{0, Newer, false, true},    {5, Newer, false, true},     {1, Missing, false, true},  {1, Older, false, false},
                        {2, Missing, false, true},  {2, SameTime, false, false}, {2, Newer, false, false},   {3, Newer, false, true},
                        {3, Missing, false, false}, {4, Missing, false, false},  {-1, Missing, false, false}, {2, Older, true, true},
                        {9, Missing, true, false},  {0, Itself, false, false},   {4, Missing, false, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " target " + std::to_string(c.target) + " delete " + std::to_string(c.deleteSource));
    TempDir dir;
    WriteBytes(dir / "from.ini", "new");
    if (c.target >= Older) {
      WriteBytes(dir / "to.ini", "old");
      const auto from = fs::last_write_time(dir / "from.ini");
      fs::last_write_time(dir / "to.ini", from + std::chrono::seconds(c.target == Older ? -100 : c.target == Newer ? 100 : 0));
    }
    test::BoxRecorder boxes;
    gProgressMode = c.progress;
    Common().UpdateIfNewer(dir.Text("from.ini"), dir.Text(c.target == Itself ? "from.ini" : "to.ini"), c.mode, c.deleteSource, "ignored");
    gProgressMode = false;
    EXPECT_EQ(boxes.texts().size(), c.target == Itself ? 3u : 0u);
    EXPECT_EQ(ReadBytes(dir / "to.ini"), c.copies ? "new" : c.target >= Older ? "old" : "");
    EXPECT_EQ(fs::exists(dir / "from.ini") ? ReadBytes(dir / "from.ini") : "gone", c.copies && c.deleteSource ? "gone" : "new");
  }
}

TEST(UpdateNewerVersions, WalksSubdirectoriesFirstAndAppliesThePatternToTheTopOnly) {
  TempDir dir;
  // The target holds Tracks already: outside the mode for new subdirectories only, it is walked all the same.
  for (const char* d : {"src/Cars/Deep", "src/Tracks", "src/Empty", "src/Mod.old", "dst/new/Tracks"}) fs::create_directories(dir / d);
  for (const char* f : {"src/a.ini", "src/b.txt", "src/.h.ini", "src/Cars/Deep/y", "src/Tracks/t.ini", "src/Mod.old/z.ini"})
    WriteBytes(dir / f, "1");
  test::BoxRecorder boxes;
  std::vector<std::string> messages;
  const fs::path to = dir / "dst" / "new";
  bool topFileBefore = false;  // whether the top level's own file had reached the target by a status text
  const auto previous = SetStatusMessageObserver([&](const std::string& text) {
    messages.push_back(text);
    topFileBefore |= fs::exists(to / "a.ini");
  });
  Common().UpdateNewerVersions(dir.Text("src") + "\\*.ini", " " + dir.Text("dst") + "\\new ", 2, false, "Updating");
  SetStatusMessageObserver(previous);
  EXPECT_TRUE(boxes.boxes().empty());
  // Pre-order, subdirectories without a point in their names, in the platform's listing order.
  std::vector<std::string> sorted = messages;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{"Updating\rCars", "Updating\rDeep", "Updating\rEmpty", "Updating\rTracks"}));
  EXPECT_EQ(std::find(messages.begin(), messages.end(), "Updating\rDeep") - messages.begin(),
            std::find(messages.begin(), messages.end(), "Updating\rCars") - messages.begin() + 1);
  EXPECT_FALSE(topFileBefore);
  EXPECT_EQ(Tree(to), "Cars/ Cars/Deep/ Cars/Deep/y=1 Empty/ Tracks/ Tracks/t.ini=1 a.ini=1 ");
  EXPECT_EQ(StatusWindow().Message(), messages.back());  // left as the last subdirectory set it
}

}  // namespace
}  // namespace orvo
