#include "platform/win32/win_error.h"

#include <algorithm>
#include <string>

#include "platform/save_primitives.h"

namespace orvo::platform::win32 {
namespace {

// Box texts name no path, so every insert of the system's text (%1, %2, also as %1!s!) is
// filled with words instead: "%1 is not a valid Win32 application." reads "The file is not a
// valid Win32 application.", a text that begins with an insert beginning with a capital.
std::string WithInsertsFilled(const std::string& message) {
  std::string filled;
  for (std::size_t i = 0; i < message.size(); ++i) {
    const bool insert = message[i] == '%' && i + 1 < message.size() && message[i + 1] >= '1' && message[i + 1] <= '9';
    if (!insert) {
      filled += message[i];
      continue;
    }
    while (i + 1 < message.size() && message[i + 1] >= '0' && message[i + 1] <= '9') ++i;
    if (i + 1 < message.size() && message[i + 1] == '!') i = std::min(message.find('!', i + 2), message.size() - 1);
    filled += filled.empty() ? "The file" : "the file";
  }
  return filled;
}

// How the save policy reads the refusal: a folder that takes no new file, a name that is taken
// or too long, a replace that leaves both files as they were (a program holding the file open
// without letting it be replaced or deleted, another device).
Refusal RefusalOf(DWORD code) {
  switch (code) {
    case ERROR_ALREADY_EXISTS: case ERROR_FILE_EXISTS: return Refusal::AlreadyExists;
    case ERROR_FILENAME_EXCED_RANGE: return Refusal::NameTooLong;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: return Refusal::NoNewFileHere;
    case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT: case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: case ERROR_NOT_SAME_DEVICE:
    case ERROR_BUSY: return Refusal::NotAsItStands;
    default: return Refusal::Other;
  }
}

}  // namespace

void ThrowWin32Error(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string description = length ? std::string(buffer, length) : "System error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r' || description.back() == ' '))
    description.pop_back();
  description = WithInsertsFilled(description);

  OrvoError::Kind kind = OrvoError::Kind::System;
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_BAD_PATHNAME ||
      code == ERROR_INVALID_NAME)
    kind = OrvoError::Kind::FileNotFound;
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) kind = OrvoError::Kind::AlreadyExists;
  throw SaveRefusal(RefusalOf(code), kind, description);
}

}  // namespace orvo::platform::win32
