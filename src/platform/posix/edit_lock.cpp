// The lock is an flock() on the file itself, so that nothing is made in its folder and the
// system lets it go when its holder ends. A save may give the name a new file while another
// editor waits on the old one; the waiter checks, once it holds the lock, that the name still
// leads to the file it locked, and starts again where it does not.
#include "platform/edit_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/host_path.h"
#include "platform/posix/new_file.h"
#include "platform/posix/posix_error.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

// What a lock stands on: the file, or the folder for a file that is not there (or cannot be
// opened for reading).
int OpenLockable(const std::string& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 || (errno != ENOENT && errno != EACCES)) return fd;
  return ::open(posix::FolderOf(host).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Whether the name still leads to what fd holds: the same file, or, for a folder, still no file.
bool StillLeadsTo(const std::string& host, int fd) {
  struct stat locked{}, named{};
  if (::fstat(fd, &locked) != 0) return false;
  const bool there = ::stat(host.c_str(), &named) == 0;
  if (S_ISDIR(locked.st_mode) && !S_ISDIR(named.st_mode)) return !there || ::access(host.c_str(), R_OK) != 0;
  return there && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino;
}

}  // namespace

EditLock::EditLock(const std::string& path, int waitMs) : handle_(-1) {
  const std::string host = ToHostPath(path);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const int fd = OpenLockable(host);
    // Without a folder there is nothing that an editor could change: the edit fails by itself.
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) return;
    if (fd < 0) posix::ThrowLastErrno();
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillLeadsTo(host, fd)) {
      handle_ = fd;
      return;
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline)
      throw OrvoError(OrvoError::Kind::System, "another program is changing the file");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

EditLock::~EditLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace orvo::platform
