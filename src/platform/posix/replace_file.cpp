// The file replacement that never loses a file: a new file beside the old one, flushed, then
// renamed over it in one step.
#include <fcntl.h>
#include <libgen.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/posix/fd.h"
#include "platform/posix/posix_error.h"

namespace orvo::platform {
namespace {

// The file a name stands for: a link is followed to the file it names, so that the link
// stays. A name that does not resolve (a file not there yet) stands for itself.
std::string ResolvedHostPath(const std::string& path) {
  const std::string host = ToHostPath(path);
  char resolved[PATH_MAX];
  return ::realpath(host.c_str(), resolved) != nullptr ? std::string(resolved) : host;
}

std::string FolderOf(const std::string& hostPath) {
  std::string copy = hostPath;
  return ::dirname(copy.data());
}

// The new file beside the target, removed again unless it took the target's name.
class NewFileBeside {
 public:
  explicit NewFileBeside(const std::string& target) {
    for (unsigned attempt = 0; fd_ < 0; ++attempt) {
      name_ = target + ".orvo-new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
      fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) posix::ThrowLastErrno();
    }
  }
  ~NewFileBeside() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(name_.c_str());
  }
  NewFileBeside(const NewFileBeside&) = delete;
  NewFileBeside& operator=(const NewFileBeside&) = delete;

  int fd() const { return fd_; }
  // Flushes the bytes to the device and closes; a failure of either means they may not be there.
  void Sync() {
    if (::fsync(fd_) != 0) posix::ThrowLastErrno();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) posix::ThrowLastErrno();
  }
  void RenameOver(const std::string& target) {
    if (::rename(name_.c_str(), target.c_str()) != 0) posix::ThrowLastErrno();
    renamed_ = true;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool renamed_ = false;
};

}  // namespace

void ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedHostPath(path);
  struct stat old{};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) posix::ThrowErrno(EISDIR);
  if (exists && !S_ISREG(old.st_mode)) {
    // A device or a pipe has no content to lose: it takes the bytes as it stands.
    WriteFileBytes(path, bytes);
    return;
  }
  // What a write in place could not open is not replaced either.
  if (exists && ::access(target.c_str(), W_OK) != 0) posix::ThrowLastErrno();

  NewFileBeside file(target);
  if (exists) {
    // The mode always carries over; the owner only where the system allows it (for root),
    // elsewhere the new file is the saver's, as a file the saver creates would be.
    if (::fchown(file.fd(), old.st_uid, old.st_gid) != 0) {
    }
    if (::fchmod(file.fd(), old.st_mode & 07777) != 0) posix::ThrowLastErrno();
  }
  posix::WriteAll(file.fd(), bytes);
  file.Sync();
  file.RenameOver(target);
  // The rename itself reaches the device with the folder; a folder that cannot be synced
  // leaves the new file in place all the same.
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace orvo::platform
