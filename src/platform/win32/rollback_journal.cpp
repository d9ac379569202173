// The rollback journal on Windows. Its writer holds it open sharing nothing but reading, so
// that a reader asking for the right to delete it is refused for as long as the writer lives;
// the system closes that handle however the writer ends. The writer deletes it through that
// same handle, so no reader ever finds it complete and unheld after the write was made final.
#include <windows.h>

#include "platform/journal.h"
#include "platform/win32/handle.h"
#include "platform/win32/new_file.h"
#include "platform/win32/win_error.h"
#include "platform/win32/write_in_place.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

using win32::Handle;

std::string Identity(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) win32::ThrowLastError();
  char text[32];
  wsprintfA(text, "%08lx-%08lx%08lx", info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
  return text;
}

std::string IdentityOf(const std::string& path) {
  Handle file = win32::OpenOrThrow(path, FILE_READ_ATTRIBUTES, OPEN_EXISTING);
  return Identity(file.get());
}

std::string BesideName(const std::string& target) { return target + std::string(kJournalSuffix); }

// The user's own folder for the journals of files whose folder takes no new file:
// %LOCALAPPDATA%\Orvo, made when asked to; "" when there is none.
std::string OwnJournalFolder(bool make) {
  char base[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
  if (length == 0 || length >= sizeof base) return {};
  const std::string folder = std::string(base) + "\\Orvo";
  if (make) CreateDirectoryA(folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : std::string();
}

std::string OwnName(const std::string& folder, const std::string& identity) {
  return folder + "\\" + identity + std::string(kJournalSuffix);
}

// Marks an open journal for deletion; it goes when its last handle closes.
bool Delete(HANDLE h) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool PutBack(const std::string& target, const std::string& identity, const std::string& old) {
  return failure::QuietDefault(false, [&] {
    Handle h = win32::OpenOrThrow(target, GENERIC_WRITE | FILE_READ_ATTRIBUTES, OPEN_EXISTING);
    if (Identity(h.get()) != identity) return false;
    win32::WriteAtAndCut(h.get(), old);
    return true;
  });
}

// The identity of the file a journal is played into, a file and not a folder; "" for none.
std::string PlainFileIdentity(const std::string& target) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return IdentityOf(target);
}

// What the reader takes from one journal of the file (see RollBackUnfinishedWrite). The file
// is looked at once a journal has opened: a load finds none, and spares that look.
std::optional<std::string> PlayBack(const std::string& name, const std::string& target) {
  HANDLE opened = CreateFileA(name.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool held = opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
  if (held) opened = CreateFileA(name.c_str(), GENERIC_READ, win32::kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  Handle h(opened);
  const std::string identity = PlainFileIdentity(target);
  if (identity.empty()) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h.get(), &size)) return std::nullopt;
  const auto content = ReadJournalText(win32::ReadFrom(h.get(), 0, static_cast<std::size_t>(size.QuadPart)));
  if (content && content->identity != identity) return std::nullopt;  // another file's: not to play here
  if (held) return content ? std::optional(content->oldBytes) : std::nullopt;
  // Cut short, it was written before the file's first byte changed: the file is as it was.
  if (content && !PutBack(target, identity, content->oldBytes)) return content->oldBytes;
  Delete(h.get());
  return std::nullopt;
}

}  // namespace

RollbackJournal::RollbackJournal(const std::string& hostTarget, const std::string& oldBytes)
    : handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
  const std::string identity = IdentityOf(hostTarget);
  const auto create = [](const std::string& name) {
    return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  name_ = BesideName(hostTarget);
  HANDLE h = name_.size() < MAX_PATH ? create(name_) : INVALID_HANDLE_VALUE;
  DWORD error = name_.size() < MAX_PATH ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
  if (h == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS) {
    const std::string folder = OwnJournalFolder(true);
    if (folder.empty()) throw OrvoError(OrvoError::Kind::System, "No folder takes the journal of a write in place");
    name_ = OwnName(folder, identity);
    h = create(name_);
    error = GetLastError();
  }
  // A journal there already is one that a running write holds, or one for another file.
  if (h == INVALID_HANDLE_VALUE) win32::ThrowWin32Error(error == ERROR_FILE_EXISTS ? ERROR_BUSY : error);
  handle_ = reinterpret_cast<std::intptr_t>(h);
  failure::Guarded([&] {
    win32::WriteAll(h, JournalText({identity, oldBytes}));
    if (!FlushFileBuffers(h)) win32::ThrowLastError();
  }, [&](const Failure& f) {
    Delete(h);
    CloseHandle(h);
    handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    throw OrvoError(f.kind, f.description);
  });
}

RollbackJournal::~RollbackJournal() {
  if (reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void RollbackJournal::Commit() {
  const HANDLE h = reinterpret_cast<HANDLE>(handle_);
  if (Delete(h)) return;
  // A journal that cannot go is emptied: one cut short is never played back.
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(h, start, nullptr, FILE_BEGIN) || !SetEndOfFile(h) || !FlushFileBuffers(h))
    win32::ThrowLastError();
}

std::optional<std::string> RollBackUnfinishedWrite(const std::string& name) noexcept {
  // A journal stands beside the file a link leads to.
  return win32::RollBackUnfinishedWriteOf(win32::ResolvedPath(name));
}

std::optional<std::string> win32::RollBackUnfinishedWriteOf(const std::string& path) noexcept {
  return failure::QuietDefault(std::optional<std::string>(), [&]() -> std::optional<std::string> {
    if (auto old = PlayBack(BesideName(path), path)) return old;
    // A journal in the user's own folder is named after the file's identity.
    const std::string folder = OwnJournalFolder(false);
    const std::string identity = folder.empty() ? std::string() : PlainFileIdentity(path);
    return identity.empty() ? std::nullopt : PlayBack(OwnName(folder, identity), path);
  });
}

}  // namespace orvo::platform
