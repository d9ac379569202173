#include "platform/win32/win_error.h"

#include <string>

#include "vocabulary/Failure.h"

namespace orvo::platform::win32 {

void ThrowWin32Error(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string description = length ? std::string(buffer, length) : "System error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r' || description.back() == ' '))
    description.pop_back();

  OrvoError::Kind kind = OrvoError::Kind::System;
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_BAD_PATHNAME ||
      code == ERROR_INVALID_NAME)
    kind = OrvoError::Kind::FileNotFound;
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) kind = OrvoError::Kind::AlreadyExists;
  throw OrvoError(kind, description);
}

}  // namespace orvo::platform::win32
