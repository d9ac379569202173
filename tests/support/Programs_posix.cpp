#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
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
  std::vector<std::string> argv{program.string()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (auto& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, (streams / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (streams / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  const int failed = posix_spawn(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(failed));
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(streams / "out"), ReadBytes(streams / "err")};
}

Captured RunCapturingCommandLine(const std::string& commandLine, const std::filesystem::path& folder) {
  const std::vector<std::string> words = platform::posix::SplitWindowsCommandLine(commandLine);
  return RunCapturing(words.at(0), {words.begin() + 1, words.end()}, folder);
}
std::string AsAnOrdinaryUser() { return ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : ""; }

}  // namespace orvo::test
