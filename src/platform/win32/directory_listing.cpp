#include "platform/directory_listing.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win_error.h"

namespace orvo::platform {
namespace {

// The one listing cursor of the program. Hidden and system files never come back; the
// wildcards, their case blindness and the "*." rule are Windows' own.
struct Cursor {
  HANDLE find = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA pending{};  // found but not yet handed out
  bool hasPending = false;
  bool includeDirectories = false;
  bool namesWithoutPoint = false;

  void Close() {
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    find = INVALID_HANDLE_VALUE;
    hasPending = false;
  }
  ~Cursor() { Close(); }
};

Cursor& TheCursor() {
  static Cursor cursor;
  return cursor;
}

bool Listable(const WIN32_FIND_DATAA& data, const Cursor& c) {
  const DWORD a = data.dwFileAttributes;
  if (c.namesWithoutPoint && std::strchr(data.cFileName, '.') != nullptr) return false;
  if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
  if (a & FILE_ATTRIBUTE_DIRECTORY) {
    const std::string name = data.cFileName;
    return c.includeDirectories && name != "." && name != "..";
  }
  return true;
}

}  // namespace

void StartListing(const std::string& pattern, bool includeDirectories) {
  Cursor& c = TheCursor();
  c.Close();
  c.includeDirectories = includeDirectories;
  // A pattern ending in "*." lists only names without a point. Windows matches it so
  // itself, but not every host that runs the program does (Wine lists 'Mod.old' for it),
  // so the rule is applied here as well.
  c.namesWithoutPoint = pattern.size() >= 2 && pattern.ends_with("*.");
  c.find = FindFirstFileA(pattern.c_str(), &c.pending);
  if (c.find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // No matching name, or a folder that does not exist, is an empty listing; so is a folder
    // name that is a file's, which Windows answers with ERROR_DIRECTORY and Wine with
    // ERROR_INVALID_NAME. A folder that exists but cannot be read is a failure.
    switch (error) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_NO_MORE_FILES:
      case ERROR_DIRECTORY:
      case ERROR_INVALID_NAME:
        return;
      default:
        win32::ThrowWin32Error(error);
    }
  }
  c.hasPending = true;
}

std::optional<ListedName> NextListed() {
  Cursor& c = TheCursor();
  while (c.hasPending) {
    const WIN32_FIND_DATAA data = c.pending;
    c.hasPending = FindNextFileA(c.find, &c.pending) != FALSE;
    if (!c.hasPending) c.Close();
    if (Listable(data, c))
      return ListedName{data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
  }
  return std::nullopt;
}

}  // namespace orvo::platform
