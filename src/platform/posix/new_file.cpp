#include "platform/posix/new_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/host_path.h"
#include "platform/new_file_name.h"
#include "platform/posix/posix_error.h"

namespace orvo::platform::posix {
namespace {

// A free name for the file beside target, of this process; the attempt number tells apart the
// names one process takes.
std::string NameBeside(const std::string& target, unsigned attempt) {
  return NewFileName(target, static_cast<std::uint64_t>(::getpid()), attempt);
}

// Makes a name for an open file with link(); EEXIST tells the caller the name is taken.
int LinkUnnamed(int fd, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
}

std::string OwnName(const std::string& hostPath) {
  const auto cut = hostPath.rfind('/');
  return cut == std::string::npos ? hostPath : hostPath.substr(cut + 1);
}

}  // namespace

std::string FolderOf(const std::string& hostPath) {
  const auto cut = hostPath.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : hostPath.substr(0, cut);
}

void SyncFolderOf(const std::string& hostPath) noexcept {
  const int folder = ::open(FolderOf(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// A link is followed to the file it names, so that the link stays. A link to a file not there
// yet stands for the name it leads to, where the file is made, as editors make it; any other
// name that does not resolve stands for itself. So does a name that is no link: it leads to the
// same file, and into the same folder, as its resolved path, and resolving asks the system
// about every folder of the path (four calls for a file three folders deep), a good part of
// binding a game's file.
std::string ResolvedHostPath(const std::string& path) {
  std::string host = ToHostPath(path);
  struct stat st{};
  if (::lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return host;
  char resolved[PATH_MAX];
  if (::realpath(host.c_str(), resolved) != nullptr) return resolved;
  // As many links as the system itself follows before it gives up with ELOOP.
  for (int links = 0; links < 40; ++links) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(host.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) return host;
    const std::string next(target, static_cast<std::size_t>(length));
    host = next.front() == '/' ? next : FolderOf(host) + "/" + next;
  }
  ThrowErrno(ELOOP);
}

NewFile::NewFile(const std::string& beside, mode_t mode) {
  fd_ = ::open(FolderOf(beside).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  // File systems without unnamed files answer in several ways; each leads to a named one.
  if (fd_ >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
    error_ = fd_ < 0 ? errno : 0;
    return;
  }
  for (unsigned attempt = 0; fd_ < 0; ++attempt) {
    named_ = NameBeside(beside, attempt);
    fd_ = ::open(named_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ < 0 && errno != EEXIST) {
      error_ = errno;
      named_.clear();
      return;
    }
  }
}

NewFile::~NewFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!published_ && !named_.empty()) ::unlink(named_.c_str());
}

void NewFile::Publish(const std::string& name, bool replacing) {
  const auto fail = [this] {
    error_ = errno;
    ThrowLastErrno();
  };
  if (::fsync(fd_) != 0) fail();
  if (named_.empty()) {
    if (!replacing) {
      if (LinkUnnamed(fd_, name) != 0) fail();
      published_ = true;
      return;
    }
    // A link cannot replace a name: the complete file takes a free name first, for as long
    // as the rename below takes.
    for (unsigned attempt = 0; named_.empty(); ++attempt) {
      const std::string candidate = NameBeside(name, attempt);
      if (LinkUnnamed(fd_, candidate) == 0) named_ = candidate;
      else if (errno != EEXIST) fail();
    }
  }
  if (replacing) {
    if (::rename(named_.c_str(), name.c_str()) != 0) fail();
  } else if (::renameat2(AT_FDCWD, named_.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) != 0) {
    if (errno != EINVAL && errno != ENOSYS) fail();
    // No such rename here: a second name, then the first one goes.
    if (::link(named_.c_str(), name.c_str()) != 0) fail();
    ::unlink(named_.c_str());
  }
  published_ = true;
}

void RemoveLeftovers(const std::string& file) noexcept {
  DIR* folder = ::opendir(FolderOf(file).c_str());
  if (folder == nullptr) return;
  const std::string own = OwnName(file);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    auto maker = NewFileMaker(name, own);
    if (!maker) maker = NewFileMaker(name, own + ".PreOrvo");
    if (!maker || *maker > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) continue;
    if (::kill(static_cast<pid_t>(*maker), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(folder), name.c_str(), 0);
  }
  ::closedir(folder);
}

}  // namespace orvo::platform::posix
