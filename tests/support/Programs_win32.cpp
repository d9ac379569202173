#include <windows.h>

#include "support/Programs.h"

namespace orvo::test {
bool ProcessIsRunning(unsigned processId) {
  HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId);
  if (h == nullptr) return false;
  const bool running = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}
}  // namespace orvo::test
