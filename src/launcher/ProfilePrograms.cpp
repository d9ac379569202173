// The profile programs: started before the game from Profiles\<profile name>.bst, terminated
// after it in the order they were started; a section with "kill = tree" has its program's
// whole tree ended in its place.
#include "vocabulary/Failure.h"
#include "ini/INIFile.h"
#include "launcher/CommonDefinitions.h"
#include "launcher/DebugSettings.h"
#include "launcher/KillMode.h"
#include "launcher/ProfileFile.h"
#include "launcher/frmIcon.h"
#include "platform/message_box.h"
#include "platform/program_info.h"

namespace orvo {

void frmIcon::StartProfilePrograms(const std::string& profileName) {
  // Any failure ends the routine quietly: programs started so far stay running and recorded.
  failure::Quietly([&] {
    if (profileName.empty()) return;
    INIFile profile;
    profile.SetFilename(ProfileFilePath(platform::OwnFolder(), profileName));
    ForEachProfileSection(profile, [&](std::size_t index, const std::string& section) {
      const std::size_t k = index + 1;
      processList_.resize(k + 1);  // slot 0 stays empty
      trees_.resize(k + 1);
      const bool tree = ReadKillMode(profile.GetIniValue(section, "kill")) == KillMode::Tree;
      processList_[k] = prCreateNewProcess(profile.GetIniValue(section, "path"), tree ? &trees_[k] : nullptr);
      WriteLoaderLog("Started: " + profile.GetIniValue(section, "path") + " as " +
                     std::to_string(processList_[k].dwProcessId));
    });
  });
}

void frmIcon::KillProfilePrograms() {
  // A list without slots means no profile program was started: nothing to do, no entry.
  failure::Quietly([&] {
    for (std::size_t k = 1; k < processList_.size(); ++k) KillProfileProgram(processList_[k], trees_[k]);
  });
}

void frmIcon::KillProfileProgram(PROCESS_INFORMATION& record, platform::NativeHandle tree) {
  if (!DebugSettings().GetIniValue("Debug", "TestMode").empty())
    platform::ShowMessageBox("Kill process " + std::to_string(record.hProcess), platform::ProgramTitle());
  prKillprocess(record, tree);
  WriteLoaderLog("Killed Process" + std::to_string(record.dwProcessId));
}

}  // namespace orvo
