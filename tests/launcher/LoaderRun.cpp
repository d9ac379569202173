#include "launcher/LoaderRun.h"

#include <algorithm>
#include <regex>

namespace orvo::test {

std::vector<std::string> LogLines(const std::filesystem::path& file) {
  static const std::regex stamp(R"((^|\r\n)\d\d\D\d\d\D\d\d \d\d\D\d\d\D\d\d )");
  const std::string text = std::regex_replace(ReadBytes(file), stamp, "$1");
  std::vector<std::string> lines;
  for (std::size_t pos = 0, end = 0; pos < text.size(); pos = end + 2) {
    end = std::min(text.find("\r\n", pos), text.size());
    lines.push_back(text.substr(pos, end - pos));
  }
  return lines;
}

void AddSetEntries(std::vector<std::string>& lines, const std::string& folderText) {
  lines.push_back("Set Dir to " + folderText);
  if (folderText.size() >= 2 && folderText[1] == ':') lines.push_back(std::string("Set Drive to ") + folderText[0]);
}

void LaunchEndToEnd::SetUp() {
  std::filesystem::create_directories(dir / "loader");
  std::filesystem::create_directories(dir / "game");
  loader = InstallLoader(dir / "loader");
  // The game must be named *.exe on every platform: the loader takes its folder from there.
  std::filesystem::copy_file(HelperExe(), dir / "game" / "gpl.exe");
  game = dir.Text("game\\gpl.exe") + " record " + dir.Text("game.txt") + " 300";
  followUp = PathText(HelperExe()) + " record " + dir.Text("followup.txt");
}

}  // namespace orvo::test
