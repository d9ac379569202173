#include "platform/posix/posix_error.h"

#include <cstring>

#include "platform/save_primitives.h"

namespace orvo::platform::posix {
namespace {

// How the save policy reads the refusal: a folder that takes no new file (rights, a read-only
// device, a quota), a name that is taken or too long, a replace that leaves the file as it
// stands (a file that is a mount point, or on another device than its folder).
Refusal RefusalOf(int err) {
  switch (err) {
    case EEXIST: return Refusal::AlreadyExists;
    case ENAMETOOLONG: return Refusal::NameTooLong;
    case EACCES: case EPERM: case EROFS: case EDQUOT: return Refusal::NoNewFileHere;
    case EBUSY: case EXDEV: return Refusal::NotAsItStands;
    default: return Refusal::Other;
  }
}

}  // namespace

void ThrowErrno(int err) {
  OrvoError::Kind kind = OrvoError::Kind::System;
  if (err == ENOENT || err == ENOTDIR) kind = OrvoError::Kind::FileNotFound;
  if (err == EEXIST) kind = OrvoError::Kind::AlreadyExists;
  throw SaveRefusal(RefusalOf(err), kind, std::strerror(err));
}

}  // namespace orvo::platform::posix
