#include "platform/win32/open_file.h"

#include <algorithm>

#include "platform/device_room.h"
#include "platform/win32/handle.h"
#include "platform/win32/win_error.h"
#include "platform/write_faults.h"

namespace orvo::platform::win32 {
namespace {

void MoveTo(HANDLE h, std::int64_t offset) {
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) ThrowLastError();
}

// Every byte at offset, over what the file holds or TakeRoom wrote.
void WriteAllAt(HANDLE h, const std::string& bytes, std::int64_t offset) {
  MoveTo(h, offset);
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD now = static_cast<DWORD>(BytesBeforeTheEnd(std::min<std::size_t>(bytes.size() - done, 1u << 30)));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, now, &written, nullptr)) ThrowLastError();
    done += written;
  }
}

class Win32File : public OpenFile {
 public:
  Win32File(HANDLE h, bool fresh, bool owned = true) : h_(h), fresh_(fresh), owned_(owned) {}
  ~Win32File() override {
    if (owned_) CloseHandle(h_);
  }
  HANDLE handle() const { return h_; }

  Node Facts() override;
  std::string ReadAt(std::int64_t offset, std::size_t count) override { return ReadFrom(h_, offset, count); }
  void WriteAt(std::int64_t offset, const std::string& bytes) override;
  void TakeRoom(std::int64_t oldSize, const std::string& tail) override;
  void Cut(std::int64_t length) override;
  void Flush() override;
  // A name a handle was opened by leads to it until the file is deleted through one.
  bool IsNamed(const std::string& name) override;
  bool RemoveName(const std::string& name) override;
  bool TryLock(bool exclusive) override;

 private:
  HANDLE h_;
  bool fresh_, owned_;
};

}  // namespace

std::unique_ptr<OpenFile> FileOf(HANDLE h, bool fresh) { return std::make_unique<Win32File>(h, fresh); }
std::unique_ptr<OpenFile> BorrowedFileOf(HANDLE h) { return std::make_unique<Win32File>(h, false, false); }
HANDLE HandleOf(OpenFile& file) { return static_cast<Win32File&>(file).handle(); }

std::optional<Node> NodeOf(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
  Node node;
  char text[32];
  wsprintfA(text, "%08lx%08lx", info.nFileIndexHigh, info.nFileIndexLow);
  node.number = text;
  wsprintfA(text, "%08lx-", info.dwVolumeSerialNumber);
  node.identity = text + node.number;
  node.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? NodeKind::Folder : NodeKind::PlainFile;
  node.links = info.nNumberOfLinks;
  node.size = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  node.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  const auto written = (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
  node.version = std::to_string(node.size) + "-" + std::to_string(written);
  return node;
}

Node Win32File::Facts() {
  const auto node = NodeOf(h_);
  if (!node) ThrowLastError();
  return *node;
}

void Win32File::WriteAt(std::int64_t offset, const std::string& bytes) {
  if (!fresh_) return WriteAllAt(h_, bytes, offset);
  MoveTo(h_, offset);
  WriteAll(h_, bytes);
}

void Win32File::TakeRoom(std::int64_t oldSize, const std::string& tail) {
  if (DeviceRoom(tail.size()) < tail.size()) ThrowWin32Error(ERROR_DISK_FULL);
  WriteAllAt(h_, tail, oldSize);
  SpendDeviceRoom(tail.size());
}

void Win32File::Cut(std::int64_t length) {
  MoveTo(h_, length);
  if (!SetEndOfFile(h_)) ThrowLastError();
}

void Win32File::Flush() {
  if (!FlushFileBuffers(h_)) ThrowLastError();
}

bool Win32File::IsNamed(const std::string&) {
  FILE_STANDARD_INFO standard;
  return GetFileInformationByHandleEx(h_, FileStandardInfo, &standard, sizeof standard) && !standard.DeletePending;
}

bool Win32File::RemoveName(const std::string&) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(h_, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// A lock on one byte far beyond any text, as locks on Windows keep every other handle from the
// bytes they cover: the game reads and writes the file's own bytes as ever.
bool Win32File::TryLock(bool exclusive) {
  OVERLAPPED at{};
  at.OffsetHigh = 0x40000000;
  const DWORD how = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  if (LockFileEx(h_, how, 0, 1, 0, &at)) return true;
  const DWORD error = GetLastError();
  return error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING;
}

}  // namespace orvo::platform::win32
