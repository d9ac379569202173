#include "platform/process.h"

namespace orvo::platform {

void ShellStartAndWait(const std::string& commandLine, int windowStyle) {
  const std::uint32_t processId = ShellStart(commandLine, windowStyle);
  if (processId == 0) return;
  const NativeHandle handle = OpenProcessForWait(processId);
  if (handle == 0) return;
  WaitForProcess(handle);
  CloseProcessHandle(handle);
}

}  // namespace orvo::platform
