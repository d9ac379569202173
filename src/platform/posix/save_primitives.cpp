// The save primitives on POSIX (Linux). A new file is made with no name (O_TMPFILE) where the
// file system allows it; a journal's writer holds an flock() on it, which the system lets go
// when the writer ends, however it ends; the edit lock is an flock() on the file itself.
#include "platform/save_primitives.h"

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <limits>

#include "platform/files.h"
#include "platform/posix/fd.h"
#include "platform/posix/file_attributes.h"
#include "platform/posix/open_file.h"
#include "platform/posix/posix_error.h"

namespace orvo::platform {
namespace {

using posix::FileOf;
using posix::FolderOf;
using posix::NodeOf;

std::unique_ptr<OpenFile> Opened(int fd, bool fresh) {
  if (fd < 0) posix::ThrowLastErrno();
  return FileOf(fd, fresh);
}

// Holds the new file while it is open; on failure the file goes and the failure is thrown.
std::unique_ptr<OpenFile> Held(int fd, const std::string& name) {
  if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
    const int error = errno;
    if (!name.empty()) ::unlink(name.c_str());
    ::close(fd);
    posix::ThrowErrno(error);
  }
  return Opened(fd, true);
}

// The edit lock held: the descriptor of the file (or folder) it stands on.
struct FlockHeld : HeldLock {
  explicit FlockHeld(int fd) : fd(fd) {}
  ~FlockHeld() override { ::close(fd); }
  int fd;
};

// What an edit lock stands on: the file, or the folder for a file that is not there (or cannot
// be opened for reading).
int OpenLockable(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 || (errno != ENOENT && errno != EACCES)) return fd;
  return ::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Whether the name still leads to what fd holds: the same file, or, for a folder, still no file.
// A save may give the name a new file while another editor waits on the old one.
bool StillLeadsTo(const std::string& name, int fd) {
  struct stat locked{}, named{};
  if (::fstat(fd, &locked) != 0) return false;
  const bool there = ::stat(name.c_str(), &named) == 0;
  if (S_ISDIR(locked.st_mode) && !S_ISDIR(named.st_mode)) return !there || ::access(name.c_str(), R_OK) != 0;
  return there && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino;
}

// Whether the user is a member of the group, by the user's own group or the lists of groups.
bool InGroup(std::uint32_t user, std::optional<std::uint32_t> group) {
  if (!group) return false;
  passwd entry{}, *found = nullptr;
  std::vector<char> buffer(16384);
  if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return false;
  if (entry.pw_gid == *group) return true;
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (::getgrouplist(entry.pw_name, entry.pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (::getgrouplist(entry.pw_name, entry.pw_gid, groups.data(), &count) < 0) return false;
  }
  groups.resize(static_cast<std::size_t>(count));
  return std::find(groups.begin(), groups.end(), *group) != groups.end();
}

class PosixPrimitives : public SavePrimitives {
 public:
  std::size_t LastSeparator(const std::string& name) override { return name.rfind('/'); }

  bool NameFits(const std::string& name) override {
    const auto cut = name.rfind('/');
    return name.size() < PATH_MAX && name.size() - (cut == std::string::npos ? 0 : cut + 1) <= NAME_MAX;
  }

  // A name that is no link leads to the same file, and into the same folder, as its resolved
  // path, and resolving asks the system about every folder of the path (four calls for a file
  // three folders deep), a good part of binding a game's file: it stands as it is.
  std::string ResolveLink(const std::string& name) override {
    struct stat st{};
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
    char resolved[PATH_MAX];
    if (::realpath(name.c_str(), resolved) != nullptr) return resolved;
    // A link to a file not there yet stands for the name it leads to, where the file is made,
    // as editors make it; as many links as the system itself follows before it gives up.
    std::string host = name;
    for (int links = 0; links < 40; ++links) {
      char target[PATH_MAX];
      const ssize_t length = ::readlink(host.c_str(), target, sizeof target);
      if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) return host;
      const std::string next(target, static_cast<std::size_t>(length));
      host = next.front() == '/' ? next : FolderOf(host) + "/" + next;
    }
    posix::ThrowErrno(ELOOP);
  }

  std::optional<Node> Look(const std::string& name) override {
    struct stat st{};
    if (::lstat(name.c_str(), &st) != 0) return std::nullopt;
    return NodeOf(st);
  }

  bool MayWrite(const std::string& name) override { return ::access(name.c_str(), W_OK) == 0; }
  bool MayReplace(const std::string&) override { return true; }

  std::vector<std::string> NamesBeginningWith(const std::string& folder, const std::string& prefix) override {
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing))
      if (std::string_view(entry->d_name).starts_with(prefix)) names.emplace_back(entry->d_name);
    ::closedir(listing);
    return names;
  }

  void RemoveName(const std::string& name) override {
    if (::unlink(name.c_str()) != 0) posix::ThrowLastErrno();
  }

  void Rename(const std::string& from, const std::string& to, bool replacing) override {
    if (replacing) {
      if (::rename(from.c_str(), to.c_str()) != 0) posix::ThrowLastErrno();
      return;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
    if (errno != EINVAL && errno != ENOSYS) posix::ThrowLastErrno();
    // No such rename here: a second name, then the first one goes.
    if (::link(from.c_str(), to.c_str()) != 0) posix::ThrowLastErrno();
    ::unlink(from.c_str());
  }

  bool ReplaceIsOneStep() override { return true; }

  void SyncFolderOf(const std::string& name) noexcept override {
    const int folder = ::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    ::fsync(folder);
    ::close(folder);
  }

  // Read-only means no write bit at all; writable gives the owner the write bit back.
  void SetReadOnly(const std::string& name, bool readOnly) override {
    struct stat st{};
    if (::lstat(name.c_str(), &st) != 0) posix::ThrowLastErrno();
    const mode_t mode = st.st_mode & 07777;
    if (::chmod(name.c_str(), readOnly ? (mode & ~static_cast<mode_t>(0222)) : (mode | S_IWUSR)) != 0)
      posix::ThrowLastErrno();
  }

  std::unique_ptr<OpenFile> OpenToWrite(const std::string& name) override {
    return Opened(::open(name.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC), false);
  }

  std::unique_ptr<OpenFile> OpenToRead(const std::string& name) override {
    return Opened(::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC), false);
  }

  std::unique_ptr<OpenFile> NewUnnamedFile(const std::string& beside, bool held) override {
    const int fd = ::open(FolderOf(beside).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    // File systems without unnamed files answer in several ways; each leads to a named one.
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) return nullptr;
    return held ? Held(fd, std::string()) : Opened(fd, true);
  }

  void NameNewFile(OpenFile& file, const std::string& name) override {
    const std::string self = "/proc/self/fd/" + std::to_string(posix::DescriptorOf(file));
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) posix::ThrowLastErrno();
  }

  std::unique_ptr<OpenFile> CreateNewFile(const std::string& name, bool held) override {
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    return held ? Held(fd, name) : Opened(fd, true);
  }

  bool CarryIdentity(const std::string& from, OpenFile& to, Carry use, bool writable) override {
    struct stat old{}, now{};
    if (::stat(from.c_str(), &old) != 0) posix::ThrowLastErrno();
    const int fd = posix::DescriptorOf(to);
    if (::fstat(fd, &now) != 0) posix::ThrowLastErrno();
    const bool owned = (now.st_uid == old.st_uid && now.st_gid == old.st_gid) || ::fchown(fd, old.st_uid, old.st_gid) == 0;
    mode_t mode = (old.st_mode & 07777) | (writable ? S_IWUSR : 0);
    if (use == Carry::Replacement) {
      // A saver that cannot see every attribute cannot tell that it carried them all.
      if (!owned || !posix::SeesEveryAttribute(fd) || !posix::TakeExtendedAttributes(from, fd) ||
          !posix::TakeInodeFlags(from, fd) || ::fchmod(fd, mode) != 0 || ::fstat(fd, &now) != 0)
        return false;
      return (now.st_mode & 07777) == mode;
    }
    // A copy that is the saver's keeps no reader of the file's group: the saver's own group is
    // other people. It never takes a folder's default ACL either.
    if (::fstat(fd, &now) != 0) posix::ThrowLastErrno();
    if (now.st_gid != old.st_gid) mode &= ~static_cast<mode_t>(S_IRWXG);
    if (!posix::TakeExtendedAttributes(from, fd) && !posix::DropAttributesNotOn(from, fd)) return false;
    if (::fchmod(fd, mode & 0777) != 0) posix::ThrowLastErrno();
    const timespec times[2] = {old.st_atim, old.st_mtim};
    if (::futimens(fd, times) != 0) posix::ThrowLastErrno();
    return true;
  }

  void GiveNewFileDefaults(OpenFile& file) override {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(posix::DescriptorOf(file), 0666 & ~mask) != 0) posix::ThrowLastErrno();
  }

  // The journal has the file's owner and group where this saver can give them; its readers are
  // then the file's, and otherwise the file's other readers alone (the saver's own group is
  // other people). A folder's default ACL is taken off it.
  void GiveReadersOf(const Node& file, OpenFile& journal) override {
    const int fd = posix::DescriptorOf(journal);
    (void)::fremovexattr(fd, "system.posix_acl_access");
    if (file.owner && file.group) (void)::fchown(fd, *file.owner, *file.group);
    struct stat now{};
    if (::fstat(fd, &now) != 0) posix::ThrowLastErrno();
    const mode_t readers = file.group && now.st_gid == *file.group ? 0044 : 0004;
    if (::fchmod(fd, 0600 | (file.mode & readers)) != 0) posix::ThrowLastErrno();
  }

  void WriteAsItStands(const std::string& name, const std::string& bytes) override { WriteFileBytes(name, bytes); }

  std::optional<FoundJournal> FindJournal(const std::string& name) override {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    FoundJournal found{FileOf(fd, false), false};
    found.held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    return found;
  }

  // $XDG_STATE_HOME/orvo, else ~/.local/state/orvo. Only a folder of this user that no one else
  // may write in counts: a journal planted there would be played into the user's files.
  std::optional<std::string> OwnJournalFolder(bool make) override {
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
    return folder + "/";
  }

  std::string OwnJournalFolderHint() override {
    return "set XDG_STATE_HOME (or HOME) to a folder of yours that no one else may write: the journal goes to its "
           "orvo folder (~/.local/state/orvo under HOME)";
  }

  LockTry TryEditLock(const std::string& name, std::unique_ptr<HeldLock>& held) override {
    const int fd = OpenLockable(name);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) return LockTry::NothingToLock;
    if (fd < 0) posix::ThrowLastErrno();
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillLeadsTo(name, fd)) {
      held = std::make_unique<FlockHeld>(fd);
      return LockTry::Taken;
    }
    ::close(fd);
    return LockTry::HeldByAnother;
  }

  std::uint64_t OwnProcess() override { return static_cast<std::uint64_t>(::getpid()); }

  bool ProcessIsGone(std::uint64_t process) override {
    if (process > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
  }

  std::optional<std::uint32_t> OwnUser() override { return ::geteuid(); }

  bool CouldWrite(std::uint32_t user, const Node& file) override {
    if (user == 0) return true;
    if (file.owner && user == *file.owner) return (file.mode & S_IWUSR) != 0;
    return ((file.mode & S_IWGRP) != 0 && InGroup(user, file.group)) || (file.mode & S_IWOTH) != 0;
  }
};

}  // namespace

SavePrimitives& SystemPrimitives() {
  static PosixPrimitives primitives;
  return primitives;
}

}  // namespace orvo::platform
