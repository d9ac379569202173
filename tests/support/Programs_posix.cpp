#include <signal.h>

#include <fstream>
#include <string>

#include "support/Programs.h"

namespace orvo::test {
bool ProcessIsRunning(unsigned processId) {
  if (::kill(static_cast<pid_t>(processId), 0) != 0) return false;
  // A zombie still answers kill(); its state letter in /proc tells.
  std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() || text[close + 2] != 'Z';
}
}  // namespace orvo::test
