#pragma once
// Win32 only: a failed call's error code as the program's OrvoError, with the system's own
// message text alone as its description: the member that reports it names where it failed.
#include <windows.h>

namespace orvo::platform::win32 {

[[noreturn]] void ThrowWin32Error(DWORD code);
[[noreturn]] inline void ThrowLastError() { ThrowWin32Error(GetLastError()); }

}  // namespace orvo::platform::win32
