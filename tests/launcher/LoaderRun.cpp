#include "launcher/LoaderRun.h"

namespace orvo::test {

void LaunchEndToEnd::SetUp() {
  std::filesystem::create_directories(dir / "loader");
  std::filesystem::create_directories(dir / "game");
  loader = InstallLoader(dir / "loader");
  // The game must be named *.exe on every platform: the loader takes its folder from there.
  std::filesystem::copy_file(HelperExe(), dir / "game" / "gpl.exe");
  game = dir.Text("game\\gpl.exe") + " record " + dir.Text("game.txt") + " 300";
  followUp = Helper("record", "followup");
}

}  // namespace orvo::test
