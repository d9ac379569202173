// Replacing a file's content so that it is never lost and stays the file it was. Where a new
// file can take the old one's place unchanged in kind (one link, the same owner, group, mode
// and extended attributes, a folder that takes a new file), the complete new file replaces it
// in one step. Anything else is written in place, safely (write_in_place.cpp).
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/posix/fd.h"
#include "platform/posix/new_file.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/write_in_place.h"

namespace orvo::platform {
namespace {

using posix::NewFile;

// The file a name stands for: a link is followed to the file it names, so that the link
// stays. A link to a file not there yet stands for the name it leads to, where the file is
// made, as editors make it; any other name that does not resolve stands for itself.
std::string ResolvedHostPath(const std::string& path) {
  std::string host = ToHostPath(path);
  char resolved[PATH_MAX];
  if (::realpath(host.c_str(), resolved) != nullptr) return resolved;
  // As many links as the system itself follows before it gives up with ELOOP.
  for (int links = 0; links < 40; ++links) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(host.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) return host;
    const std::string next(target, static_cast<std::size_t>(length));
    host = next.front() == '/' ? next : posix::FolderOf(host) + "/" + next;
  }
  posix::ThrowErrno(ELOOP);
}

// Extended attributes (ACLs, security labels) carried over; false when one cannot be.
bool TakeExtendedAttributes(const std::string& from, int to) {
  const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return size == 0 || errno == ENOTSUP;
  std::string names(static_cast<std::size_t>(size), '\0');
  const ssize_t got = ::listxattr(from.c_str(), names.data(), names.size());
  if (got < 0) return false;
  names.resize(static_cast<std::size_t>(got));
  for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) return false;
    std::vector<char> value(static_cast<std::size_t>(length));
    if (::getxattr(from.c_str(), name, value.data(), value.size()) != length ||
        ::fsetxattr(to, name, value.data(), value.size(), 0) != 0)
      return false;
  }
  return true;
}

// Gives the new file what the old one was: its owner and group (which only a privileged
// saver can give away), then its mode, which a change of owner may have cut.
bool TakeIdentity(int fd, const struct stat& old, const std::string& oldName) {
  struct stat now{};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  return ::fchmod(fd, old.st_mode & 07777) == 0 && TakeExtendedAttributes(oldName, fd);
}

// The new text as a complete new file that then takes the name. False, with nothing changed,
// when the file cannot be replaced as the same file it was: its folder takes no new file,
// or the new one cannot be given the old one's owner, mode or attributes.
bool ReplaceByNewFile(const std::string& target, const std::string& bytes, const struct stat* old) {
  NewFile file(target, 0666);
  if (!file.ok()) {
    if (old != nullptr && (file.error() == EACCES || file.error() == EPERM)) return false;
    posix::ThrowErrno(file.error());
  }
  if (old != nullptr && !TakeIdentity(file.fd(), *old, target)) return false;
  posix::WriteAll(file.fd(), bytes);
  file.Publish(target, true);
  // The new name itself reaches the device with the folder; a folder that cannot be synced
  // leaves the new file in place all the same.
  const int folder = ::open(posix::FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace

void ReplaceFileBytes(const std::string& path, const std::string& bytes, const std::string& oldBytesKeptIn) {
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
  posix::RemoveLeftovers(target);
  // A second link would lose the edit if the name took a new file.
  if (exists && old.st_nlink != 1) return posix::WriteInPlace(target, bytes, oldBytesKeptIn);
  if (!ReplaceByNewFile(target, bytes, exists ? &old : nullptr))
    posix::WriteInPlace(target, bytes, oldBytesKeptIn);
}

void CopyToNewFile(const std::string& from, const std::string& to) {
  posix::Fd in = posix::OpenOrThrow(from, O_RDONLY);
  struct stat st{};
  if (::fstat(in.get(), &st) != 0) posix::ThrowLastErrno();
  if (!S_ISREG(st.st_mode)) posix::ThrowErrno(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  const std::string name = ToHostPath(to);
  posix::RemoveLeftovers(name);
  NewFile file(name, st.st_mode & 0777);
  if (!file.ok()) posix::ThrowErrno(file.error());
  // The copy is the saver's where the owner cannot be given away, and keeps the mode
  // either way, so that it is no easier to read than the file.
  if (::fchown(file.fd(), st.st_uid, st.st_gid) != 0) {
  }
  if (::fchmod(file.fd(), st.st_mode & 0777) != 0) posix::ThrowLastErrno();
  posix::WriteAll(file.fd(), posix::ReadFrom(in.get(), 0, static_cast<std::size_t>(st.st_size)));
  const timespec times[2] = {st.st_atim, st.st_mtim};
  if (::futimens(file.fd(), times) != 0) posix::ThrowLastErrno();
  file.Publish(name, false);
}

}  // namespace orvo::platform
