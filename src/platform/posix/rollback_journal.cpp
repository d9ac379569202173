// The rollback journal on POSIX. Its writer holds an flock() on it for as long as it writes,
// which the system lets go when the writer ends, however it ends: a journal that a reader can
// lock has no writer left. The journal is readable by those who may read the file and written
// by its writer alone; a folder's default ACL is taken off it, so it shows the old bytes to no
// one the file would not show them to.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <initializer_list>

#include "platform/journal.h"
#include "platform/posix/fd.h"
#include "platform/posix/new_file.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/write_in_place.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

using posix::Fd;

std::string Identity(const struct stat& st) { return std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino); }

// The user's own folder for the journals of files whose folder takes no new file:
// $XDG_STATE_HOME/orvo, else ~/.local/state/orvo; made when asked to. Only a folder of this
// user that no one else may write in counts: a journal planted there would be played into the
// user's files. nullopt when there is none.
std::optional<std::string> OwnJournalFolder(bool make) {
  const char* state = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  std::string base;
  if (state != nullptr && state[0] == '/') base = state;
  else if (home != nullptr && home[0] == '/') base = std::string(home) + "/.local/state";
  else return std::nullopt;
  const std::string folder = base + "/orvo";
  if (make) {
    for (std::size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
      ::mkdir(folder.substr(0, cut).c_str(), 0700);
      if (cut == std::string::npos) break;
    }
  }
  struct stat st{};
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 022) != 0)
    return std::nullopt;
  return folder;
}

std::string BesideName(const std::string& target) { return target + std::string(kJournalSuffix); }
std::string OwnName(const std::string& folder, const std::string& identity) {
  return folder + "/" + identity + std::string(kJournalSuffix);
}

// A new journal under name, readable as mode allows and by no one else.
int CreateJournal(const std::string& name, mode_t mode) {
  const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return fd;
  // A folder's default ACL may have given the journal readers of its own; it fails only where
  // none was inherited or the file system has no ACLs, and either way the mode alone counts.
  (void)::fremovexattr(fd, "system.posix_acl_access");
  if (::fchmod(fd, mode) != 0 || ::flock(fd, LOCK_EX) != 0) {
    const int error = errno;
    ::unlink(name.c_str());
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// The failures that mean a folder takes no new file (or no name that long).
bool TakesNoNewFile(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG || error == EDQUOT;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether the name still leads to the file open as fd.
bool StillNamed(const std::string& name, int fd) {
  struct stat named{}, open{};
  return ::stat(name.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && SameFile(named, open);
}

// Puts the old bytes back into the file; false when this reader may not or cannot.
bool PutBack(const std::string& target, const struct stat& file, const std::string& old) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  Fd owned(fd);
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !SameFile(st, file)) return false;
  return failure::QuietDefault(false, [&] {
    posix::WriteAtAndCut(fd, old);
    return true;
  });
}

// A journal this reader may play into the file: the user's own, root's, that of the file's
// owner, or any for a file that everyone may write. Another user's journal beside a file in a
// shared folder would write that user's bytes into a file they could not write.
bool Trusted(const struct stat& journal, const struct stat& file) {
  return journal.st_uid == 0 || journal.st_uid == ::geteuid() || journal.st_uid == file.st_uid ||
         (file.st_mode & S_IWOTH) != 0;
}

// Whether a journal is the file's. A journal beside the file is tied to its device by the
// folder, and a device's number may change when the machine starts again (after the power
// cut that a journal is for), so there the file number alone must match.
bool JournalOf(const std::string& identity, const struct stat& file, bool beside) {
  return beside ? identity.substr(identity.find('-') + 1) == std::to_string(file.st_ino) : identity == Identity(file);
}

// The file a journal is played into: a plain file, as it stands now.
std::optional<struct stat> PlainFile(const std::string& target) {
  struct stat file{};
  if (::stat(target.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return std::nullopt;
  return file;
}

// What the reader takes from one journal of the file (see RollBackUnfinishedWrite). The file
// is looked at once a journal has opened: a load finds none, and spares that look.
std::optional<std::string> PlayBack(const std::string& name, const std::string& target, bool beside) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Fd owned(fd);
  const auto file = PlainFile(target);
  if (!file) return std::nullopt;
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !Trusted(st, *file)) return std::nullopt;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  // A journal that went while this reader waited for it was a write made final.
  if (!held && !StillNamed(name, fd)) return std::nullopt;
  const auto content = ReadJournalText(posix::ReadFrom(fd, 0, static_cast<std::size_t>(st.st_size)));
  if (content && !JournalOf(content->identity, *file, beside)) return std::nullopt;  // another file's
  if (held) return content ? std::optional(content->oldBytes) : std::nullopt;
  // Cut short, it was written before the file's first byte changed: the file is as it was.
  if (content && !PutBack(target, *file, content->oldBytes)) return content->oldBytes;
  ::unlink(name.c_str());
  return std::nullopt;
}

}  // namespace

RollbackJournal::RollbackJournal(const std::string& hostTarget, const std::string& oldBytes) : handle_(-1) {
  struct stat file{};
  if (::stat(hostTarget.c_str(), &file) != 0) posix::ThrowLastErrno();
  const std::string identity = Identity(file);
  name_ = BesideName(hostTarget);
  int fd = CreateJournal(name_, (file.st_mode & 0644) | 0600);
  if (fd < 0 && TakesNoNewFile(errno)) {
    const auto folder = OwnJournalFolder(true);
    if (!folder) throw OrvoError(OrvoError::Kind::System, "No folder takes the journal of a write in place");
    name_ = OwnName(*folder, identity);
    fd = CreateJournal(name_, 0600);
  }
  // A journal there already is one that a running write holds, or one for another file.
  if (fd < 0) posix::ThrowErrno(errno == EEXIST ? EBUSY : errno);
  handle_ = fd;
  failure::Guarded([&] {
    posix::WriteAll(fd, JournalText({identity, oldBytes}));
    if (::fsync(fd) != 0) posix::ThrowLastErrno();
    // A reader that found it empty, before the lock, takes it for one cut short.
    if (!StillNamed(name_, fd)) posix::ThrowErrno(EBUSY);
    posix::SyncFolderOf(name_);
  }, [&](const Failure& f) {
    if (StillNamed(name_, fd)) ::unlink(name_.c_str());
    ::close(fd);
    handle_ = -1;
    throw OrvoError(f.kind, f.description);
  });
}

RollbackJournal::~RollbackJournal() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void RollbackJournal::Commit() {
  if (::unlink(name_.c_str()) == 0) return;
  // A journal that cannot go is emptied: one cut short is never played back.
  const int fd = static_cast<int>(handle_);
  if (::ftruncate(fd, 0) != 0 || ::fsync(fd) != 0) posix::ThrowLastErrno();
}

std::optional<std::string> RollBackUnfinishedWrite(const std::string& path) noexcept {
  return failure::QuietDefault(std::optional<std::string>(),
                               [&] { return posix::RollBackUnfinishedWriteOf(posix::ResolvedHostPath(path)); });
}

std::optional<std::string> posix::RollBackUnfinishedWriteOf(const std::string& target) noexcept {
  return failure::QuietDefault(std::optional<std::string>(), [&]() -> std::optional<std::string> {
    if (auto old = PlayBack(BesideName(target), target, true)) return old;
    // A journal in the user's own folder is named after the file's identity.
    const auto folder = OwnJournalFolder(false);
    const auto file = folder ? PlainFile(target) : std::nullopt;
    return file ? PlayBack(OwnName(*folder, Identity(*file)), target, false) : std::nullopt;
  });
}

}  // namespace orvo::platform
