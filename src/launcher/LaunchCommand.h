#pragma once
// The loader's command line: game command;follow-up command;profile name.
#include <string>

namespace orvo {

struct LaunchCommand {
  std::string gameCommand;
  std::string followUpCommand;
  std::string profileName;
};

// Cuts at the first two ";" only: the profile name keeps any further ";". Fields are not
// trimmed and may be empty. With fewer than two ";" it throws OrvoError (invalid argument)
// after storing what is known by then (the game command of a one-separator line).
void SplitCommandLine(const std::string& commandLine, LaunchCommand& fields);

}  // namespace orvo
