#include "launcher/LaunchCommand.h"

#include "vocabulary/Failure.h"

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

}  // namespace orvo
