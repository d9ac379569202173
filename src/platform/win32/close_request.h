#pragma once
// Win32 only: the request to close, shared by the plain and the tree mode.
#include <windows.h>

#include <vector>

namespace orvo::platform::win32 {

// Posts WM_CLOSE to each top-level window of the processes and, for those with a console of
// their own, to that console's window. Nothing waits for an answer; an id of 0 passes.
void AskToClose(const std::vector<DWORD>& processIds);

}  // namespace orvo::platform::win32
