#include "platform/win32/new_file.h"

#include <windows.h>

#include <string_view>

#include "platform/new_file_name.h"
#include "platform/win32/handle.h"
#include "platform/win32/win_error.h"

namespace orvo::platform::win32 {
namespace {

constexpr const char* kMark = ".orvo-new-";
// The longest process and attempt numbers a new file's name carries, with the dash between.
constexpr std::size_t kLongestSuffix = 10 + 1 + 10;

std::string FolderOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool ProcessIsGone(DWORD id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool gone = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  CloseHandle(process);
  return gone;
}

void RemoveLeftoversOf(const std::string& stem) noexcept {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((stem + kMark + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::string folder = FolderOf(stem);
  const std::string ownStem = stem.substr(folder.size());
  do {
    const std::string name = found.cFileName;
    const auto maker = NewFileMaker(name, ownStem);
    if (maker && *maker <= MAXDWORD && ProcessIsGone(static_cast<DWORD>(*maker))) DeleteFileA((folder + name).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

NewFileBeside::NewFileBeside(const std::string& target) {
  for (unsigned attempt = 0;; ++attempt) {
    name_ = NewFileName(target, GetCurrentProcessId(), attempt);
    HANDLE h = CreateFileA(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) ThrowLastError();
  }
}

NewFileBeside::~NewFileBeside() {
  if (!published_) DeleteFileA(name_.c_str());
}

void NewFileBeside::Write(const std::string& bytes) {
  Handle h = OpenOrThrow(name_, GENERIC_WRITE, TRUNCATE_EXISTING);
  WriteAll(h.get(), bytes);
  if (!FlushFileBuffers(h.get())) ThrowLastError();
}

std::string ResolvedPath(const std::string& path) {
  // The attributes do not tell a link everywhere (Wine shows a Unix link as the file it leads
  // to), so the file is asked for the path it was opened by, which is the linked file's.
  HANDLE opened = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return path;
  const Handle h(opened);
  std::string full(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleA(h.get(), full.data(), static_cast<DWORD>(full.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return path;
    const bool fits = length < full.size();
    full.resize(length);
    if (fits) break;
  }
  // The long form of the path, \\?\C:\... or \\?\UNC\server\share\..., as the other calls take it;
  // one that they cannot take leaves the path as it was given.
  constexpr std::string_view kLong = "\\\\?\\", kLongShare = "\\\\?\\UNC\\";
  if (full.starts_with(kLongShare)) full = "\\\\" + full.substr(kLongShare.size());
  else if (full.starts_with(kLong)) full.erase(0, kLong.size());
  return full.size() < MAX_PATH ? full : path;
}

bool RoomForNewFileBeside(const std::string& target) { return target.size() + std::char_traits<char>::length(kMark) + kLongestSuffix < MAX_PATH; }

void RemoveLeftovers(const std::string& target) noexcept {
  RemoveLeftoversOf(target);
  RemoveLeftoversOf(target + ".PreOrvo");
}

}  // namespace orvo::platform::win32
