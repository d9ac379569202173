#include "platform/current_directory.h"

#include <windows.h>

#include "platform/win32/win_error.h"

namespace orvo::platform {

std::string CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string buffer(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, buffer.data());
  if (length == 0) win32::ThrowLastError();
  buffer.resize(length);
  return buffer;
}

void ChangeDirectory(const std::string& path) {
  if (!SetCurrentDirectoryA(path.c_str())) win32::ThrowLastError();
}

void ChangeDrive(char driveLetter) {
  // "X:" alone makes drive X current, in the directory that the process last used there.
  const char drive[3] = {driveLetter, ':', '\0'};
  if (!SetCurrentDirectoryA(drive)) win32::ThrowLastError();
}

}  // namespace orvo::platform
