#include "launcher/ProfileFile.h"

#include "ini/INIFile.h"

namespace orvo {

std::string ProfileFilePath(const std::string& ownFolder, const std::string& profileName) {
  return ownFolder + "\\Profiles\\" + profileName + ".bst";
}

void ForEachProfileSection(INIFile& profile,
                           const std::function<void(std::size_t index, const std::string& section)>& visit) {
  for (std::size_t index = 0;; ++index) {
    const std::string section = std::to_string(index);
    if (profile.dbGetSection(section).empty()) return;
    visit(index, section);
  }
}

}  // namespace orvo
