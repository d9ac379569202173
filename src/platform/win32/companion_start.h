#pragma once
// Win32 only: the start of a profile program, shared by the plain and the tree mode.
#include <windows.h>

#include <string>

#include "platform/process.h"

namespace orvo::platform::win32 {

// CreateProcessA for a profile program: handles inherited, normal priority and the extra
// creation flags, the caller's environment and current directory, a STARTUPINFO holding only
// its size. False when the start fails; info stays as it was then.
bool StartCompanion(const std::string& commandLine, DWORD extraFlags, ProcessInformation& info);

}  // namespace orvo::platform::win32
