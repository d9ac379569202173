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

}  // namespace

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
  return node;
}

Win32File::~Win32File() { CloseHandle(h_); }

Node Win32File::Facts() {
  const auto node = NodeOf(h_);
  if (!node) ThrowLastError();
  return *node;
}

std::string Win32File::ReadAt(std::int64_t offset, std::size_t count) { return ReadFrom(h_, offset, count); }

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

}  // namespace orvo::platform::win32
