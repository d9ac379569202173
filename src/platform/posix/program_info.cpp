#include "platform/program_info.h"

#include <unistd.h>

#include <climits>
#include <fstream>
#include <iterator>

#include "platform/host_path.h"
#include "version.h"

namespace orvo::platform {

std::string CommandLine() {
  // /proc/self/cmdline holds the arguments, each ended by a NUL; the first is the program.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string line;
  std::size_t start = all.find('\0');
  if (start == std::string::npos) return line;
  for (std::size_t pos = start + 1; pos < all.size();) {
    std::size_t end = all.find('\0', pos);
    if (end == std::string::npos) end = all.size();
    if (!line.empty() || pos > start + 1) line += ' ';
    line.append(all, pos, end - pos);
    pos = end + 1;
  }
  return line;
}

// Asked once: every loader-log entry names a file in this folder, and the executable does
// not move while it runs.
std::string OwnFolder() {
  static const std::string folder = [] {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return FromHostPath(".");
    std::string exe(buffer, static_cast<std::size_t>(n));
    std::size_t slash = exe.rfind('/');
    return FromHostPath(slash == 0 ? "/" : exe.substr(0, slash));
  }();
  return folder;
}

std::string ProgramTitle() { return build::kProgramTitle; }

ProgramVersion Version() { return {build::kVersionMajor, build::kVersionMinor, build::kVersionRevision}; }

}  // namespace orvo::platform
