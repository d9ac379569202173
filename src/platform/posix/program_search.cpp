#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/host_path.h"
#include "platform/process.h"

namespace orvo::platform {
namespace {

bool IsRunnableFile(const std::string& hostPath) {
  struct stat st{};
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(hostPath.c_str(), X_OK) == 0;
}

}  // namespace

bool ProgramExists(const std::string& program) noexcept {
  const std::string host = ToHostPath(program);
  if (host.empty()) return false;
  if (host.find('/') != std::string::npos) return IsRunnableFile(host);
  // The folders of PATH, as posix_spawnp searches them; an empty field is the current folder.
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  for (std::size_t start = 0;;) {
    const std::size_t end = folders.find(':', start);
    const std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (IsRunnableFile((folder.empty() ? "." : folder) + "/" + host)) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

// A found program is one that may be executed: the system starts it (a script by its first line).
ProgramStart HowItStarts(const std::string&) noexcept { return ProgramStart::Starts; }

}  // namespace orvo::platform
