#include "platform/posix/posix_error.h"

#include <cstring>

#include "vocabulary/Failure.h"

namespace orvo::platform::posix {

void ThrowErrno(int err, const std::string& what) {
  OrvoError::Kind kind = OrvoError::Kind::System;
  if (err == ENOENT || err == ENOTDIR) kind = OrvoError::Kind::FileNotFound;
  if (err == EEXIST) kind = OrvoError::Kind::AlreadyExists;
  std::string description = std::strerror(err);
  if (!what.empty()) description += ": " + what;
  throw OrvoError(kind, description);
}

}  // namespace orvo::platform::posix
