#include "launcher/LoaderRun.h"

#include <regex>

namespace orvo::test {

std::vector<std::string> LogLines(const std::filesystem::path& file) {
  const std::string bytes = ReadBytes(file);
  std::vector<std::string> lines;
  static const std::regex stamp(R"(^\d\d\D\d\d\D\d\d \d\d\D\d\d\D\d\d )");
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(std::regex_replace(bytes.substr(pos, end - pos), stamp, "", std::regex_constants::format_first_only));
    pos = end + 2;
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
