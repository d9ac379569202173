// The profile programs: started before the game from Profiles\<profile name>.bst, terminated
// after it in the order they were started; a section with "tree" in its "kill" entry has its
// program's whole tree ended in its place, and one with "close" asks its program to close
// first and ends it only when it has not closed within the profile's close wait.
#include <algorithm>
#include <thread>

#include "vocabulary/Failure.h"
#include "ini/INIFile.h"
#include "launcher/CloseWait.h"
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
    bool anyClose = false;
    ForEachProfileSection(profile, [&](std::size_t index, const std::string& section) {
      const std::size_t k = index + 1;
      processList_.resize(k + 1);  // slot 0 stays empty
      endings_.resize(k + 1);
      const KillMode mode = ReadKillMode(profile.GetIniValue(section, "kill"));
      endings_[k].close = mode.close;
      anyClose = anyClose || mode.close;
      processList_[k] = prCreateNewProcess(profile.GetIniValue(section, "path"),
                                           mode.tree ? &endings_[k].tree : nullptr, mode.close);
      WriteLoaderLog("Started: " + profile.GetIniValue(section, "path") + " as " +
                     std::to_string(processList_[k].dwProcessId));
    });
    // Only a profile that asks a program to close has its close wait looked up.
    if (anyClose) closeWait_ = ReadCloseWait(profile.GetIniValue(kLoaderSection, kCloseWaitEntry)).wait;
  });
}

void frmIcon::KillProfilePrograms() {
  // A list without slots means no profile program was started: nothing to do, no entry.
  failure::Quietly([&] {
    // First every program that closes as a player closes it is asked to, then all of them are
    // given the one wait together, then each program is ended in start order.
    std::vector<std::size_t> asked;
    for (std::size_t k = 1; k < processList_.size(); ++k) {
      // A slot left at zero has no program to ask: it is ended as any other.
      if (!endings_[k].close || processList_[k].hProcess == 0) continue;
      prAskToClose(processList_[k], endings_[k].tree);
      asked.push_back(k);
    }
    WaitForClosing(asked);
    for (std::size_t k = 1; k < processList_.size(); ++k) {
      if (std::find(asked.begin(), asked.end(), k) != asked.end())
        EndAskedProgram(k);
      else
        KillProfileProgram(processList_[k], endings_[k].tree);
    }
  });
}

void frmIcon::WaitForClosing(const std::vector<std::size_t>& asked) const {
  const auto stillThere = [&](std::size_t k) { return !prHasEnded(processList_[k], endings_[k].tree); };
  const auto end = std::chrono::steady_clock::now() + closeWait_;
  while (std::any_of(asked.begin(), asked.end(), stillThere) && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void frmIcon::EndAskedProgram(std::size_t k) {
  PROCESS_INFORMATION& record = processList_[k];
  if (!prHasEnded(record, endings_[k].tree)) {
    KillProfileProgram(record, endings_[k].tree, " after the wait of " + SecondsText(closeWait_) + " s");
    return;
  }
  // Nothing is left to end: the kill only releases the handles.
  prKillprocess(record, endings_[k].tree);
  WriteLoaderLog("Closed Process" + std::to_string(record.dwProcessId) + " by itself");
}

void frmIcon::KillProfileProgram(PROCESS_INFORMATION& record, platform::NativeHandle tree, const std::string& note) {
  if (!DebugSettings().GetIniValue("Debug", "TestMode").empty())
    platform::ShowMessageBox("Kill process " + std::to_string(record.hProcess), platform::ProgramTitle());
  prKillprocess(record, tree);
  WriteLoaderLog("Killed Process" + std::to_string(record.dwProcessId) + note);
}

}  // namespace orvo
