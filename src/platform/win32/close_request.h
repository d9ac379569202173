#pragma once
// Win32 only: the request to close one process, shared by the plain and the tree mode.
#include <windows.h>

namespace orvo::platform::win32 {

// Posts WM_CLOSE to each top-level window of the process and, when it has a console of its
// own, sends that console the Ctrl-Break event. Nothing waits for an answer; 0 passes.
void AskToClose(DWORD processId);

}  // namespace orvo::platform::win32
