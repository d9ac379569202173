#include "launcher/ProcessRoutines.h"

#include "vocabulary/Failure.h"
#include "platform/message_box.h"
#include "platform/process_close.h"
#include "platform/process_tree.h"

namespace orvo {

bool ShowFatalError(const std::string& message) { return platform::ShowMessageBox(message, kFatalErrorTitle); }

PROCESS_INFORMATION prCreateNewProcess(const std::string& commandLine, platform::NativeHandle* tree, bool closable) {
  PROCESS_INFORMATION info;
  failure::BoxThenReturn(" in prCreateNewProcess", [&] {
    if (commandLine.empty()) return;
    // A failed start raises nothing: the record simply stays all zero.
    if (tree == nullptr)
      platform::CreateNewProcess(commandLine, info, closable);
    else
      platform::CreateProcessTree(commandLine, info, *tree, closable);
  });
  return info;
}

void prKillprocess(PROCESS_INFORMATION& record, platform::NativeHandle tree) {
  failure::BoxThenReturn(" in prKillprocess", [&] {
    if (tree == 0)
      platform::TerminateWithExitCode(record.hProcess, 0);
    else
      platform::TerminateTree(tree);
    platform::CloseProcessHandle(record.hThread);
    platform::CloseProcessHandle(record.hProcess);
    platform::CloseTree(tree);
  });
}

void prAskToClose(const PROCESS_INFORMATION& record, platform::NativeHandle tree) {
  failure::BoxThenReturn(" in prAskToClose", [&] {
    if (tree == 0)
      platform::AskProcessToClose(record);
    else
      platform::AskTreeToClose(tree);
  });
}

bool prHasEnded(const PROCESS_INFORMATION& record, platform::NativeHandle tree) {
  return tree == 0 ? platform::ProcessHasEnded(record.hProcess) : platform::TreeHasEnded(tree);
}

}  // namespace orvo
