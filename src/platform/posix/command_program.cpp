#include "platform/command_program.h"

#include "platform/process.h"

namespace orvo::platform {

std::string ProgramOfCommandLine(const std::string& commandLine) {
  std::string program;
  if (!commandLine.empty() && commandLine[0] == '"')
    program = commandLine.substr(1, commandLine.find('"', 1) - 1);
  else
    program = commandLine.substr(0, commandLine.find_first_of(" \t"));
  return ProgramExists(program) ? program : std::string();
}

}  // namespace orvo::platform
