// Replacing a file's content so that it is never lost and stays the file it was. Where a new
// file can take the old one's place unchanged in kind (one link, the same owner, group, mode,
// extended attributes and inode flags, a folder that takes a new file, a rename the system
// allows), the complete new file replaces it in one step. Anything else is written in place,
// under a rollback journal (write_in_place.cpp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/journal.h"
#include "platform/posix/fd.h"
#include "platform/posix/file_attributes.h"
#include "platform/posix/new_file.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/write_in_place.h"
#include "vocabulary/Failure.h"

namespace orvo::platform {
namespace {

using posix::NewFile;

// Gives the new file what the old one was: its owner and group (which only a privileged
// saver can give away), its extended attributes and inode flags, then its mode, which a
// change of owner may have cut. A saver that cannot see every attribute cannot tell that it
// carried them all, so its new file never takes the name.
bool TakeIdentity(int fd, const struct stat& old, const std::string& oldName) {
  struct stat now{};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  if (!posix::SeesEveryAttribute(fd) || !posix::TakeExtendedAttributes(oldName, fd) ||
      !posix::TakeInodeFlags(oldName, fd) || ::fchmod(fd, old.st_mode & 07777) != 0 || ::fstat(fd, &now) != 0)
    return false;
  return (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Refusals of a new file or of its rename that leave the old file as it was, and that a write
// in place gets past: a folder that takes no new file, a name with no room for the new file's
// longer one, a file that is a mount point (bound there) or on another device than its folder.
bool RefusedAsItStands(int error) {
  return error == EACCES || error == EPERM || error == ENAMETOOLONG || error == EBUSY || error == EXDEV;
}

// The new text as a complete new file that then takes the name. False, with nothing changed,
// when the file cannot be replaced as the same file it was.
bool ReplaceByNewFile(const std::string& target, const std::string& bytes, const struct stat* old) {
  NewFile file(target, 0666);
  if (!file.ok()) {
    if (old != nullptr && RefusedAsItStands(file.error())) return false;
    posix::ThrowErrno(file.error());
  }
  if (old != nullptr && !TakeIdentity(file.fd(), *old, target)) return false;
  posix::WriteAll(file.fd(), bytes);
  const bool published = failure::Guarded([&] {
    file.Publish(target, true);
    return true;
  }, [&](const Failure& f) {
    if (old != nullptr && RefusedAsItStands(file.error())) return false;
    throw OrvoError(f.kind, f.description);
  });
  // The new name itself reaches the device with the folder.
  if (published) posix::SyncFolderOf(target);
  return published;
}

}  // namespace

void ReplaceFileBytes(const std::string& path, const std::string& bytes) {
  const std::string target = posix::ResolvedHostPath(path);
  // A write in place that did not finish is undone first: its journal holds the file's bytes.
  posix::RollBackUnfinishedWriteOf(target);
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
  if (exists && old.st_nlink != 1) return posix::WriteInPlace(target, bytes);
  if (!ReplaceByNewFile(target, bytes, exists ? &old : nullptr)) posix::WriteInPlace(target, bytes);
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
  // The copy is the saver's where the owner cannot be given away, and keeps the mode and
  // the attributes it can, and never a folder's default ACL, so that it is no easier to read
  // than the file.
  if (::fchown(file.fd(), st.st_uid, st.st_gid) != 0) {
  }
  const std::string host = ToHostPath(from);
  if (!posix::TakeExtendedAttributes(host, file.fd()) && !posix::DropAttributesNotOn(host, file.fd()))
    posix::ThrowErrno(EPERM);
  if (::fchmod(file.fd(), st.st_mode & 0777) != 0) posix::ThrowLastErrno();
  posix::WriteAll(file.fd(), posix::ReadFrom(in.get(), 0, static_cast<std::size_t>(st.st_size)));
  const timespec times[2] = {st.st_atim, st.st_mtim};
  if (::futimens(file.fd(), times) != 0) posix::ThrowLastErrno();
  file.Publish(name, false);
}

}  // namespace orvo::platform
