// The save primitives on Windows. New files are always named; ReplaceFile gives a new file the
// old one's attributes and security as it takes its place, but is not one step (there is a
// moment with neither file at the name). A journal's writer holds it open sharing nothing but
// reading, so that a reader asking for the right to delete it is refused for as long as the
// writer lives; the system closes that handle however the writer ends. The edit lock is a
// file "<name>.lock" that the system deletes when its handle goes.
#include "platform/save_primitives.h"

#include <windows.h>

#include <string_view>

#include "platform/files.h"
#include "platform/win32/handle.h"
#include "platform/win32/open_file.h"
#include "platform/win32/win_error.h"

namespace orvo::platform {
namespace {

using win32::Handle;
using win32::kShareAll;
using win32::FileOf;

std::unique_ptr<OpenFile> Opened(HANDLE h, bool fresh) {
  if (h == INVALID_HANDLE_VALUE) win32::ThrowLastError();
  return FileOf(h, fresh);
}

HANDLE Open(const std::string& name, DWORD access, DWORD sharing, DWORD disposition, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileA(name.c_str(), access, sharing, nullptr, disposition, flags, nullptr);
}

// A symbolic link or a junction; other reparse points (a cloud file, a deduplicated one) are
// the file itself.
bool IsLink(HANDLE h) {
  FILE_ATTRIBUTE_TAG_INFO tag;
  return GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) &&
         (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         (tag.ReparseTag == IO_REPARSE_TAG_SYMLINK || tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

struct LockFileHeld : HeldLock {
  explicit LockFileHeld(HANDLE h) : h(h) {}
  ~LockFileHeld() override { CloseHandle(h); }
  HANDLE h;
};

class Win32Primitives : public SavePrimitives {
 public:
  std::size_t LastSeparator(const std::string& name) override { return name.find_last_of("\\/"); }
  bool NameFits(const std::string& name) override { return name.size() < MAX_PATH; }

  // The attributes do not tell a link everywhere (Wine shows a Unix link as the file it leads
  // to), so the file is asked for the path it was opened by, which is the linked file's. A link
  // that leads to nothing stands as it is (a save then fails, as one of a name that does not open).
  std::string ResolveLink(const std::string& name) override {
    HANDLE opened = Open(name, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (opened == INVALID_HANDLE_VALUE) return name;
    const Handle h(opened);
    std::string full(MAX_PATH, '\0');
    for (;;) {
      const DWORD length = GetFinalPathNameByHandleA(h.get(), full.data(), static_cast<DWORD>(full.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (length == 0) return name;
      const bool fits = length < full.size();
      full.resize(length);
      if (fits) break;
    }
    // The long form of the path, \\?\C:\... or \\?\UNC\server\share\..., as the other calls
    // take it; one that they cannot take leaves the name as it was given.
    constexpr std::string_view kLong = "\\\\?\\", kLongShare = "\\\\?\\UNC\\";
    if (full.starts_with(kLongShare)) full = "\\\\" + full.substr(kLongShare.size());
    else if (full.starts_with(kLong)) full.erase(0, kLong.size());
    return full.size() < MAX_PATH ? full : name;
  }

  std::optional<Node> Look(const std::string& name) override {
    // The attributes first: a name that has none is not opened, so a named pipe keeps its
    // instances for the program that reads it.
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    HANDLE opened = Open(name, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
    if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
    const Handle h(opened);
    // A device name (NUL, CON) may pass for a file in its attributes; its handle tells.
    if (GetFileType(h.get()) != FILE_TYPE_DISK) {
      Node device;
      device.kind = NodeKind::Other;
      return device;
    }
    auto node = win32::NodeOf(h.get());
    if (node && IsLink(h.get())) node->kind = NodeKind::Link;
    return node;
  }

  bool MayWrite(const std::string& name) override {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
  }

  // Asking first spares a refused ReplaceFile, which under some systems leaves a file of its
  // own behind.
  bool MayReplace(const std::string& name) override { return win32::OpensToDelete(name); }

  std::vector<std::string> NamesBeginningWith(const std::string& folder, const std::string& prefix) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (std::string_view(found.cFileName).starts_with(prefix)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

  void RemoveName(const std::string& name) override {
    if (!DeleteFileA(name.c_str())) win32::ThrowLastError();
  }

  void Rename(const std::string& from, const std::string& to, bool replacing) override {
    const BOOL done = replacing ? ReplaceFileA(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                               nullptr)
                                : MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!done) win32::ThrowLastError();
  }

  bool ReplaceIsOneStep() override { return false; }
  // A move is written through to the device by itself (MOVEFILE_WRITE_THROUGH).
  void SyncFolderOf(const std::string&) noexcept override {}

  void SetReadOnly(const std::string& name, bool readOnly) override { platform::SetReadOnly(name, readOnly); }

  std::unique_ptr<OpenFile> OpenToWrite(const std::string& name) override {
    return Opened(Open(name, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_EXISTING), false);
  }

  // A name that has no attributes (a named pipe) is not opened, so that it keeps its instances
  // for the program that reads it.
  std::unique_ptr<OpenFile> OpenToRead(const std::string& name) override {
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) win32::ThrowLastError();
    return Opened(Open(name, GENERIC_READ, kShareAll, OPEN_EXISTING), false);
  }

  std::unique_ptr<OpenFile> NewUnnamedFile(const std::string&, bool) override { return nullptr; }

  void NameNewFile(OpenFile&, const std::string&) override { win32::ThrowWin32Error(ERROR_NOT_SUPPORTED); }

  std::unique_ptr<OpenFile> CreateNewFile(const std::string& name, bool held) override {
    return Opened(Open(name, GENERIC_READ | GENERIC_WRITE | DELETE, held ? FILE_SHARE_READ : kShareAll, CREATE_NEW), true);
  }

  // ReplaceFile itself gives a replacement the old file's attributes and security. A copy gets
  // the file's dates and attributes here.
  bool CarryIdentity(const std::string& from, OpenFile& to, Carry use, bool) override {
    if (use == Carry::Replacement) return true;
    Handle in(Open(from, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING));
    FILE_BASIC_INFO basic;
    if (in.get() == INVALID_HANDLE_VALUE || !GetFileInformationByHandleEx(in.get(), FileBasicInfo, &basic, sizeof basic))
      win32::ThrowLastError();
    if (!SetFileInformationByHandle(win32::HandleOf(to), FileBasicInfo, &basic, sizeof basic))
      win32::ThrowLastError();
    return true;
  }

  // A new file and a journal take the folder's own readers, as every file made there does.
  void GiveNewFileDefaults(OpenFile&) override {}
  void GiveReadersOf(const Node&, OpenFile&) override {}

  void WriteAsItStands(const std::string& name, const std::string& bytes) override { WriteFileBytes(name, bytes); }

  std::optional<FoundJournal> FindJournal(const std::string& name) override {
    HANDLE h = Open(name, GENERIC_READ | DELETE, FILE_SHARE_READ, OPEN_EXISTING);
    const bool held = h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    if (held) h = Open(name, GENERIC_READ, kShareAll, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    return FoundJournal{FileOf(h, false), held};
  }

  // %LOCALAPPDATA%\Orvo.
  std::optional<std::string> OwnJournalFolder(bool make) override {
    char base[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
    if (length == 0 || length >= sizeof base) return std::nullopt;
    const std::string folder = std::string(base) + "\\Orvo";
    if (make) CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    return folder + "\\";
  }

  std::string OwnJournalFolderHint() override {
    return "set LOCALAPPDATA to a folder of yours: the journal goes to its Orvo folder";
  }

  LockTry TryEditLock(const std::string& name, std::unique_ptr<HeldLock>& held) override {
    HANDLE h = Open(name + ".lock", GENERIC_WRITE | DELETE, 0, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
    if (h != INVALID_HANDLE_VALUE) {
      held = std::make_unique<LockFileHeld>(h);
      return LockTry::Taken;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return LockTry::NothingToLock;
    // Another holder's lock, or one that is being deleted.
    if (error == ERROR_FILE_EXISTS || error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
      return LockTry::HeldByAnother;
    win32::ThrowWin32Error(error);
  }

  std::uint64_t OwnProcess() override { return GetCurrentProcessId(); }

  bool ProcessIsGone(std::uint64_t process) override {
    if (process > MAXDWORD) return false;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (h == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool gone = GetExitCodeProcess(h, &code) && code != STILL_ACTIVE;
    CloseHandle(h);
    return gone;
  }

  std::optional<std::uint32_t> OwnUser() override { return std::nullopt; }
  // Files here have no owner that a journal could be told by.
  bool CouldWrite(std::uint32_t, const Node&) override { return false; }
};

}  // namespace

SavePrimitives& SystemPrimitives() {
  static Win32Primitives primitives;
  return primitives;
}

}  // namespace orvo::platform
