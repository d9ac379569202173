#include "launcher/LaunchCommand.h"

#include "vocabulary/Failure.h"
#include "vocabulary/TextOps.h"

namespace orvo {

void SplitCommandLine(const std::string& commandLine, LaunchCommand& fields) {
  const std::size_t p1 = commandLine.find(';');
  if (p1 == std::string::npos) throw OrvoError::InvalidArgument();
  fields.gameCommand = commandLine.substr(0, p1);
  const std::size_t p2 = commandLine.find(';', p1 + 1);
  if (p2 == std::string::npos) throw OrvoError::InvalidArgument();
  fields.followUpCommand = commandLine.substr(p1 + 1, p2 - p1 - 1);
  fields.profileName = commandLine.substr(p2 + 1);
}

std::optional<std::string> WorkingFolderOf(const std::string& path) {
  const std::size_t exe = text::Upper(path).find(".EXE");
  if (exe == std::string::npos || exe == 0) return std::nullopt;
  const std::size_t slash = path.rfind('\\', exe - 1);
  if (slash == std::string::npos) return std::nullopt;
  return path.substr(0, slash);
}

}  // namespace orvo
