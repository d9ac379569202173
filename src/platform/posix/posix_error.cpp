#include "platform/posix/posix_error.h"

#include <cstring>

#include "vocabulary/Failure.h"

namespace orvo::platform::posix {

void ThrowErrno(int err) {
  OrvoError::Kind kind = OrvoError::Kind::System;
  if (err == ENOENT || err == ENOTDIR) kind = OrvoError::Kind::FileNotFound;
  if (err == EEXIST) kind = OrvoError::Kind::AlreadyExists;
  throw OrvoError(kind, std::strerror(err));
}

}  // namespace orvo::platform::posix
