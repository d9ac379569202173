#include "launcher/ProcessRoutines.h"

#include "vocabulary/Failure.h"
#include "platform/message_box.h"

namespace orvo {

bool ShowFatalError(const std::string& message) { return platform::ShowMessageBox(message, kFatalErrorTitle); }

PROCESS_INFORMATION prCreateNewProcess(const std::string& commandLine) {
  PROCESS_INFORMATION info;
  failure::BoxThenReturn(" in prCreateNewProcess", [&] {
    if (commandLine.empty()) return;
    // A failed start raises nothing: the record simply stays all zero.
    platform::CreateNewProcess(commandLine, info);
  });
  return info;
}

void prKillprocess(PROCESS_INFORMATION& record) {
  failure::BoxThenReturn(" in prKillprocess", [&] {
    platform::TerminateWithExitCode(record.hProcess, 0);
    platform::CloseProcessHandle(record.hThread);
    platform::CloseProcessHandle(record.hProcess);
  });
}

}  // namespace orvo
