#include "platform/current_directory.h"

#include <unistd.h>

#include <climits>

#include "platform/host_path.h"
#include "platform/posix/posix_error.h"

namespace orvo::platform {

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) posix::ThrowLastErrno();
  return FromHostPath(buffer);
}

void ChangeDirectory(const std::string& path) {
  if (chdir(ToHostPath(path).c_str()) != 0) posix::ThrowLastErrno();
}

void ChangeDrive(char) {}

}  // namespace orvo::platform
