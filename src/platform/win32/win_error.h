#pragma once
// Win32 only: a failed call's error code as the program's OrvoError, with the system's own
// message text as its description.
#include <windows.h>

#include <string>

namespace orvo::platform::win32 {

[[noreturn]] void ThrowWin32Error(DWORD code, const std::string& what = {});
[[noreturn]] inline void ThrowLastError(const std::string& what = {}) { ThrowWin32Error(GetLastError(), what); }

}  // namespace orvo::platform::win32
