// A name that exists but cannot be read as asked: a folder whose listing fails until the
// person at the box removes the cause.
#include <chrono>

#include "common/OrvoCommon.h"
#include "ini/IniTestSupport.h"

namespace orvo::test {
namespace {

namespace fs = std::filesystem;

TEST(Unreadable, NewestFileAsksAgainForAsLongAsSomeoneDismissesTheBox) {
  TempDir dir;
  fs::create_directory_symlink(dir / "loop", dir / "loop");  // its listing fails: a loop of links
  {
    BoxRecorder nobody([](std::size_t) { return false; });  // a box that waits for no one ends the asking
    EXPECT_EQ(Common().NewestFile(dir.Text("loop"), "*.ini"), "");
    EXPECT_EQ(nobody.texts().size(), 3u);
  }
  BoxRecorder person([&](std::size_t shown) {
    if (shown == 5) {
      fs::remove(dir / "loop");
      fs::create_directory(dir / "loop");
      for (const char* name : {"old.ini", "new.ini"}) WriteBytes(dir / "loop" / name, name);
      fs::last_write_time(dir / "loop" / "old.ini", fs::last_write_time(dir / "loop" / "new.ini") - std::chrono::hours(1));
    }
    return true;
  });
  EXPECT_EQ(Common().NewestFile(dir.Text("loop"), "*.ini"), "new.ini");
  EXPECT_EQ(person.texts().size(), 5u);
  for (const std::string& text : person.texts()) EXPECT_TRUE(text.ends_with(" in NewestFile")) << text;
}

}  // namespace
}  // namespace orvo::test
