// Replacing a file's content so that it is never lost and stays the file it was: a complete
// new file beside it takes its place with ReplaceFile, which gives it the old one's
// attributes and security. A file with a second link, a name too long for a new one beside
// it, a folder that takes no new file, or a file that another program holds open without
// letting it be replaced, is written in place, under a rollback journal (write_in_place.cpp).
// Through a symbolic link, the file it leads to is the one replaced, and the link stays.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/journal.h"
#include "platform/win32/handle.h"
#include "platform/win32/new_file.h"
#include "platform/win32/win_error.h"
#include "platform/win32/write_in_place.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

using win32::NewFileBeside;

// Whether a new file may take the place of the file: one link, and the right to delete it
// now (a program holding it open without delete sharing refuses that; asking first spares a
// refused ReplaceFile, which under some systems leaves a file of its own behind).
bool MayTakeThePlaceOf(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), DELETE, win32::kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool one = !GetFileInformationByHandle(h, &info) || info.nNumberOfLinks <= 1;
  CloseHandle(h);
  return one;
}

// Refusals that leave both files as they were and that a write in place may get past.
bool RefusedAsItStands(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
         error == ERROR_NOT_SAME_DEVICE || error == ERROR_FILENAME_EXCED_RANGE || error == ERROR_BUSY;
}

// False, with nothing changed, when the file cannot be replaced as it stands.
bool ReplaceByNewFile(const std::string& path, const std::string& bytes, bool exists) {
  std::optional<NewFileBeside> file;
  if (exists) {
    const bool made = failure::QuietDefault(false, [&] {
      file.emplace(path);
      return true;
    });
    if (!made) return false;
  } else {
    file.emplace(path);
  }
  file->Write(bytes);
  if (!exists) {
    if (!MoveFileExA(file->name().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) win32::ThrowLastError();
  } else if (!ReplaceFileA(path.c_str(), file->name().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                           nullptr)) {
    const DWORD error = GetLastError();
    if (RefusedAsItStands(error)) return false;
    win32::ThrowWin32Error(error);
  }
  file->Published();
  return true;
}

}  // namespace

void ReplaceFileBytes(const std::string& name, const std::string& bytes) {
  const std::string path = win32::ResolvedPath(name);
  // A write in place that did not finish is undone first: its journal holds the file's bytes.
  win32::RollBackUnfinishedWriteOf(path);
  const DWORD old = GetFileAttributesA(path.c_str());
  const bool exists = old != INVALID_FILE_ATTRIBUTES;
  // A folder, or a file that a write in place could not open, is refused the same way.
  if (exists && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    win32::ThrowWin32Error(ERROR_ACCESS_DENIED);
  win32::RemoveLeftovers(path);
  if (!exists && !win32::RoomForNewFileBeside(path)) {
    // A new file with no room for another name beside it: made under its own name, and
    // removed again when it cannot be completed.
    return failure::Guarded([&] { WriteFileBytes(path, bytes); }, [&](const Failure& f) {
      DeleteFileA(path.c_str());
      throw OrvoError(f.kind, f.description);
    });
  }
  const bool replaceable = win32::RoomForNewFileBeside(path) && (!exists || MayTakeThePlaceOf(path));
  if (!replaceable || !ReplaceByNewFile(path, bytes, exists)) win32::WriteInPlace(path, bytes);
}

void CopyToNewFile(const std::string& from, const std::string& to) {
  win32::Handle in = win32::OpenOrThrow(from, GENERIC_READ, OPEN_EXISTING);
  LARGE_INTEGER size;
  FILETIME created, accessed, written;
  if (!GetFileSizeEx(in.get(), &size) || !GetFileTime(in.get(), &created, &accessed, &written))
    win32::ThrowLastError();
  const std::string bytes = win32::ReadFrom(in.get(), 0, static_cast<std::size_t>(size.QuadPart));
  win32::RemoveLeftovers(from);
  if (!win32::RoomForNewFileBeside(to)) {
    // No room for a new file's name beside it: the system's copy, which keeps the dates and
    // attributes too.
    if (!CopyFileA(from.c_str(), to.c_str(), TRUE)) win32::ThrowLastError();
    return;
  }
  NewFileBeside file(to);
  file.Write(bytes);
  {
    win32::Handle out = win32::OpenOrThrow(file.name(), FILE_WRITE_ATTRIBUTES, OPEN_EXISTING);
    if (!SetFileTime(out.get(), &created, &accessed, &written)) win32::ThrowLastError();
  }
  const DWORD attributes = GetFileAttributesA(from.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(file.name().c_str(), attributes);
  if (!MoveFileExA(file.name().c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) win32::ThrowLastError();
  file.Published();
}

}  // namespace orvo::platform
