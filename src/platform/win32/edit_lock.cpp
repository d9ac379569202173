// The lock is a file "<name>.lock" beside the file, made only when no other is there and
// opened so that the system deletes it when the handle goes, also when its holder is killed.
// A lock on the file itself would stop this program's own save, which replaces the file.
#include "platform/edit_lock.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/win32/win_error.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {

EditLock::EditLock(const std::string& path, int waitMs) : handle_(0) {
  const std::string name = path + ".lock";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      return;
    }
    const DWORD error = GetLastError();
    // Without a folder there is nothing that an editor could change: the edit fails by itself.
    if (error == ERROR_PATH_NOT_FOUND) return;
    // Another holder's lock, or one that is being deleted.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
      win32::ThrowWin32Error(error);
    if (std::chrono::steady_clock::now() >= deadline)
      throw OrvoError(OrvoError::Kind::System, "another program is changing the file");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

EditLock::~EditLock() {
  if (handle_ != 0) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace orvo::platform
