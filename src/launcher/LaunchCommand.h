#pragma once
// The loader's command line: game command;follow-up command;profile name.
#include <optional>
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

// The folder the loader makes current for a program path: the text before its first ".EXE"
// (in any case) up to the last backslash there. nullopt when the path holds no ".EXE" after
// its first character, or no backslash before it. The drive is the path's first character
// when its second is ':'.
std::optional<std::string> WorkingFolderOf(const std::string& path);

}  // namespace orvo
