#include "platform/posix/windows_command_line.h"

#include "platform/host_path.h"

namespace orvo::platform::posix {

std::vector<std::string> SplitWindowsCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < commandLine.size(); ++i) {
    char c = commandLine[i];
    if (c == '"') {
      if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
        current += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) args.push_back(std::move(current));
  if (!args.empty()) args[0] = ToHostPath(args[0]);
  return args;
}

}  // namespace orvo::platform::posix
