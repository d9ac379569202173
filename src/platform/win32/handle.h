#pragma once
// Win32 only: one open handle and the whole-buffer write shared by the file services.
#include <windows.h>

#include <cstdint>
#include <string>

namespace orvo::platform::win32 {

// Other programs may read, write, rename and delete a file while this program has it open.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// Whether the file opens with the right to delete it now: a program that holds it open without
// letting it be deleted refuses that.
inline bool OpensToDelete(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// Opens a path text for access with disposition, sharing everything; throws the system's failure.
Handle OpenOrThrow(const std::string& path, DWORD access, DWORD disposition);
// Writes every byte or throws; a device that runs full throws ERROR_DISK_FULL.
void WriteAll(HANDLE h, const std::string& bytes);
// Up to count bytes at offset; fewer at the end of the file.
std::string ReadFrom(HANDLE h, std::int64_t offset, std::size_t count);

}  // namespace orvo::platform::win32
