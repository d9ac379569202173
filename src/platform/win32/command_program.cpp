#include "platform/command_program.h"

#include "platform/process.h"

namespace orvo::platform {

std::string ProgramOfCommandLine(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::string program = commandLine.substr(1, commandLine.find('"', 1) - 1);
    return ProgramExists(program) ? program : std::string();
  }
  // CreateProcess without an application name tries the text up to each blank in turn.
  for (std::size_t blank = commandLine.find_first_of(" \t");; blank = commandLine.find_first_of(" \t", blank + 1)) {
    const std::string program = commandLine.substr(0, blank);
    if (ProgramExists(program)) return program;
    if (blank == std::string::npos) return {};
  }
}

}  // namespace orvo::platform
