#include "platform/files.h"

#include <windows.h>

#include "vocabulary/Failure.h"
#include "platform/device_room.h"
#include "platform/read_faults.h"
#include "platform/write_faults.h"
#include "platform/win32/handle.h"
#include "platform/win32/open_file.h"
#include "platform/win32/win_error.h"

namespace orvo::platform {
namespace win32 {

Handle OpenOrThrow(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE h = CreateFileA(path.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowLastError();
  return Handle(h);
}

void WriteAll(HANDLE h, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t room = DeviceRoom(BytesBeforeTheEnd(std::min<std::size_t>(bytes.size() - done, 1u << 30)));
    if (room == 0) ThrowWin32Error(ERROR_DISK_FULL);
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, static_cast<DWORD>(room), &written, nullptr)) ThrowLastError();
    SpendDeviceRoom(written);
    done += written;
  }
}

std::string ReadFrom(HANDLE h, std::int64_t offset, std::size_t count) {
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) ThrowLastError();
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(h, bytes.data() + done, chunk, &read, nullptr)) ThrowLastError();
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace win32

namespace {

using win32::Handle;
using win32::kShareAll;
using win32::OpenOrThrow;
using win32::ReadFrom;
using win32::WriteAll;

std::int64_t LengthOf(HANDLE h) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) win32::ThrowLastError();
  return size.QuadPart;
}

// The last-modified time in local time, as the file-system object reports it; nullopt when
// it cannot be converted.
std::optional<LocalDateTime> LocalTimeOf(const FILETIME& lastWrite) noexcept {
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(&lastWrite, &local) || !FileTimeToSystemTime(&local, &t)) return std::nullopt;
  return LocalDateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

bool CanOpenForReading(const std::string& path) noexcept {
  // Opening for reading fails for a directory, and for a file that another program holds
  // open without sharing it.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

std::string ReadFileBytes(const std::string& path) {
  Handle h = OpenOrThrow(path, GENERIC_READ, OPEN_EXISTING);
  return ReadFrom(h.get(), 0, static_cast<std::size_t>(LengthOf(h.get())));
}

std::optional<FileContent> ReadFileBytesIfReadable(const std::string& path, const AcceptOpened& accept,
                                                   const BeforeReading& before) {
  // Opened as CanOpenForReading opens it, so that it is readable exactly when that says so. A
  // named pipe without a free instance refuses the opening at once rather than waiting.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  Handle owned(h);
  // What the handle is, not what the name's attributes say: NUL and CON have none to ask for.
  const DWORD type = GetFileType(h);
  const OpenedKind kind = type == FILE_TYPE_DISK   ? OpenedKind::PlainFile
                          : type == FILE_TYPE_CHAR ? OpenedKind::Device
                                                   : OpenedKind::PipeOrSocket;
  std::int64_t size = kind == OpenedKind::PlainFile ? LengthOf(h) : 0;
  accept(kind, size);
  if (kind == OpenedKind::PlainFile && before && before(*win32::BorrowedFileOf(h))) size = LengthOf(h);
  if (ReadFails(path)) win32::ThrowWin32Error(ERROR_CRC);
  FileContent content;
  if (kind == OpenedKind::PlainFile) content.bytes = ReadFrom(h, 0, static_cast<std::size_t>(size));
  if (const auto node = win32::NodeOf(h); node && kind == OpenedKind::PlainFile) content.seen = SeenAs(*node);
  FILETIME lastWrite;
  if (GetFileTime(h, nullptr, nullptr, &lastWrite)) content.lastModified = LocalTimeOf(lastWrite);
  return content;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  // OPEN_ALWAYS and a cut at the start rather than CREATE_ALWAYS, which refuses files whose
  // hidden or system attribute is set.
  Handle h = OpenOrThrow(path, GENERIC_WRITE, OPEN_ALWAYS);
  if (!SetEndOfFile(h.get())) win32::ThrowLastError();
  WriteAll(h.get(), bytes);
}

void AppendFileBytes(const std::string& path, const std::string& bytes) {
  Handle h = OpenOrThrow(path, FILE_APPEND_DATA, OPEN_ALWAYS);
  WriteAll(h.get(), bytes);
}

BinaryFile::BinaryFile(const std::string& path) : fd_(0) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    // A read-only file is still opened for reading.
    h = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (h == INVALID_HANDLE_VALUE) win32::ThrowLastError();
  fd_ = reinterpret_cast<std::intptr_t>(h);
}

BinaryFile::~BinaryFile() { ::CloseHandle(reinterpret_cast<HANDLE>(fd_)); }

std::int64_t BinaryFile::Length() const { return LengthOf(reinterpret_cast<HANDLE>(fd_)); }

std::string BinaryFile::ReadAt(std::int64_t offset, std::size_t count) const {
  return ReadFrom(reinterpret_cast<HANDLE>(fd_), offset, count);
}

std::optional<FileFacts> InspectFile(const std::string& path) noexcept {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto lastModified = LocalTimeOf(data.ftLastWriteTime);
  if (!lastModified) return std::nullopt;
  FileFacts facts;
  facts.lastModified = *lastModified;
  facts.size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return facts;
}

namespace {
// The name itself opened for no access, a link not followed.
HANDLE OpenName(const std::string& path, DWORD flags) {
  return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}
}  // namespace

std::optional<NameKind> KindOfName(const std::string& path) noexcept {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return NameKind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return NameKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return NameKind::Other;
  // A device name (NUL, CON) may pass for a file in its attributes; its handle tells.
  HANDLE h = OpenName(path, FILE_FLAG_OPEN_REPARSE_POINT);
  if (h == INVALID_HANDLE_VALUE) return NameKind::PlainFile;
  const Handle owned(h);
  return GetFileType(h) == FILE_TYPE_DISK ? NameKind::PlainFile : NameKind::Other;
}

bool SameFile(const std::string& a, const std::string& b) noexcept {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* names[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    HANDLE h = OpenName(*names[i], 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    const Handle owned(h);
    if (!GetFileInformationByHandle(h, &info[i])) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

void SetReadOnly(const std::string& path, bool readOnly) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) win32::ThrowLastError();
  const DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!SetFileAttributesA(path.c_str(), wanted)) win32::ThrowLastError();
}

bool CanDelete(const std::string& path) noexcept {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY) && win32::OpensToDelete(path);
}

// A file made there and gone with its handle.
bool CanMakeFileIn(const std::string& folder) noexcept {
  const std::string probe = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + "orvo-probe-" +
                            std::to_string(GetCurrentProcessId()) + ".tmp";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) win32::ThrowLastError();
}

void RemoveFile(const std::string& path) {
  if (!DeleteFileA(path.c_str())) win32::ThrowLastError();
}

void MakeDirectory(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) win32::ThrowLastError();
}

void RemoveEmptyDirectory(const std::string& path) {
  if (!RemoveDirectoryA(path.c_str())) win32::ThrowLastError();
}

}  // namespace orvo::platform
