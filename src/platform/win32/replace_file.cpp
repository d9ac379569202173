// The file replacement that never loses a file: a new file beside the old one, flushed, then
// moved over it in one step with the move written through to the device.
#include <windows.h>

#include <string>

#include "platform/files.h"
#include "platform/win32/handle.h"
#include "platform/win32/win_error.h"

namespace orvo::platform {
namespace {

std::string FolderOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return ".";
  return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

// The new file beside the target (a unique name the system makes), deleted again unless it
// took the target's name.
class NewFileBeside {
 public:
  explicit NewFileBeside(const std::string& target) {
    char name[MAX_PATH];
    if (GetTempFileNameA(FolderOf(target).c_str(), "orv", 0, name) == 0) win32::ThrowLastError();
    name_ = name;
  }
  ~NewFileBeside() {
    if (!moved_) ::DeleteFileA(name_.c_str());
  }
  NewFileBeside(const NewFileBeside&) = delete;
  NewFileBeside& operator=(const NewFileBeside&) = delete;

  // Writes the bytes and flushes them to the device before the handle goes.
  void Write(const std::string& bytes) {
    win32::Handle h = win32::OpenOrThrow(name_, GENERIC_WRITE, TRUNCATE_EXISTING);
    win32::WriteAll(h.get(), bytes);
    if (!FlushFileBuffers(h.get())) win32::ThrowLastError();
  }
  void TakeAttributes(DWORD attributes) {
    if (!SetFileAttributesA(name_.c_str(), attributes)) win32::ThrowLastError();
  }
  void MoveOver(const std::string& target) {
    if (!MoveFileExA(name_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      win32::ThrowLastError();
    moved_ = true;
  }

 private:
  std::string name_;
  bool moved_ = false;
};

}  // namespace

void ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  const DWORD old = GetFileAttributesA(path.c_str());
  const bool exists = old != INVALID_FILE_ATTRIBUTES;
  // A folder, or a file that a write in place could not open, is refused the same way.
  if (exists && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    win32::ThrowWin32Error(ERROR_ACCESS_DENIED);
  NewFileBeside file(path);
  file.Write(bytes);
  if (exists) file.TakeAttributes(old);
  file.MoveOver(path);
}

}  // namespace orvo::platform
