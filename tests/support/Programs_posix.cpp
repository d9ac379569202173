#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/posix/windows_command_line.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace orvo::test {
bool ProcessIsRunning(unsigned processId) {
  if (::kill(static_cast<pid_t>(processId), 0) != 0) return false;
  // A zombie still answers kill(); its state letter in /proc tells.
  std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() || text[close + 2] != 'Z';
}

void EndProcess(unsigned processId) { ::kill(static_cast<pid_t>(processId), SIGTERM); }

Captured RunCapturing(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder) {
  TempDir streams;
  const std::string out = (streams / "out").string(), err = (streams / "err").string();
  std::vector<std::string> argv{program.string()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (auto& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    const int in = open("/dev/null", O_RDONLY);
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || o < 0 || e < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(o, 1);
    dup2(e, 2);
    execv(pointers[0], pointers.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(streams / "out"), ReadBytes(streams / "err")};
}

Captured RunCapturingCommandLine(const std::string& commandLine, const std::filesystem::path& folder) {
  const std::vector<std::string> words = platform::posix::SplitWindowsCommandLine(commandLine);
  return RunCapturing(words.at(0), {words.begin() + 1, words.end()}, folder);
}
}  // namespace orvo::test
