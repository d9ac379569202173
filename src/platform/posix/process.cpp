#include "platform/process.h"
#include "platform/process_close.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <vector>

#include "vocabulary/Failure.h"
#include "platform/posix/companion_start.h"
#include "platform/posix/posix_error.h"
#include "platform/posix/windows_command_line.h"

extern char** environ;

namespace orvo::platform {
namespace {

// A handle is a pidfd (never 0: descriptors 0 to 2 are moved up) or, where no pidfd can be
// had (a kernel without them, a container's system-call filter that refuses them, no
// descriptor left), the negated process id, which the wait and the kill serve as well. Only a
// process that no longer exists gets no handle, as OpenProcess gives none.
NativeHandle OpenPidfd(pid_t pid) {
  int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (fd < 0 && errno == ESRCH) return 0;
  if (fd >= 0 && fd <= STDERR_FILENO) {
    int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    fd = moved;
  }
  return fd < 0 ? -static_cast<NativeHandle>(pid) : fd;
}

// A killed process dies on its own time, as TerminateProcess lets it on Windows: the loader
// does not stand waiting for each one. What is left of a child (its zombie) is reaped when its
// handle is closed after it died, or else, all together, when the program ends, so that no
// zombie outlives the loader. Only children of ours are reaped; any other process is left to
// its parent.
class Reaper {
 public:
  ~Reaper() {
    for (pid_t pid : pending_) WaitFor(pid, 0);
  }
  void Remember(NativeHandle handle, pid_t pid) { pids_[handle] = pid; }
  pid_t PidOf(NativeHandle handle) const {
    if (handle < 0) return static_cast<pid_t>(-handle);
    auto it = pids_.find(handle);
    return it == pids_.end() ? 0 : it->second;
  }
  // Reaps now, without waiting; a child that has not ended yet waits for the program's end.
  void Release(NativeHandle handle) {
    const pid_t pid = PidOf(handle);
    pids_.erase(handle);
    if (pid > 0 && !WaitFor(pid, WNOHANG)) pending_.push_back(pid);
  }
  // Blocks until the child has ended and reaps it.
  static void ReapNow(pid_t pid) { WaitFor(pid, 0); }

 private:
  // True when the process was reaped now, or is not ours to reap.
  static bool WaitFor(pid_t pid, int flags) {
    siginfo_t info{};
    for (;;) {
      info.si_pid = 0;
      if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | flags) == 0) return info.si_pid != 0;
      if (errno != EINTR) return true;
    }
  }
  std::map<NativeHandle, pid_t> pids_;
  std::vector<pid_t> pending_;
};

Reaper& TheReaper() {
  static Reaper reaper;
  return reaper;
}

NativeHandle PidfdOrFallback(pid_t pid) {
  const NativeHandle handle = OpenPidfd(pid);
  if (handle != 0) TheReaper().Remember(handle, pid);
  return handle;
}

struct Spawned {
  pid_t pid = 0;
  int error = 0;
};

Spawned Spawn(const std::string& commandLine, bool ownSession, const char* extraEnvironment) {
  std::vector<std::string> args = posix::SplitWindowsCommandLine(commandLine);
  if (args.empty() || args[0].empty()) return {0, ENOENT};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The extra "NAME=value" stands in place of an inherited NAME.
  const std::size_t nameLength = extraEnvironment ? std::strchr(extraEnvironment, '=') - extraEnvironment + 1 : 0;
  std::vector<char*> envp;
  for (char** e = environ; *e != nullptr; ++e) {
    if (extraEnvironment == nullptr || std::strncmp(*e, extraEnvironment, nameLength) != 0) envp.push_back(*e);
  }
  std::string extra = extraEnvironment ? extraEnvironment : "";
  if (extraEnvironment) envp.push_back(extra.data());
  envp.push_back(nullptr);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attr, &none);
  short flags = POSIX_SPAWN_SETSIGMASK;
  if (ownSession) flags |= POSIX_SPAWN_SETSID;
  posix_spawnattr_setflags(&attr, flags);
  pid_t pid = 0;
  // posix_spawnp reports a program that cannot be executed as the call's own error.
  int rc = ::posix_spawnp(&pid, argv[0], nullptr, &attr, argv.data(), envp.data());
  posix_spawnattr_destroy(&attr);
  return rc == 0 ? Spawned{pid, 0} : Spawned{0, rc};
}

// The signal to the process behind the handle; a handle of an ended process or 0 passes.
void SendSignal(NativeHandle process, int signal) {
  if (process == 0) return;
  if (process > 0) {
    if (::syscall(SYS_pidfd_send_signal, static_cast<int>(process), signal, nullptr, 0) == 0) return;
    // Ended already: its id may belong to another process by now.
    if (errno == ESRCH) return;
  }
  // No pidfd, or one that may not be signalled: the id still names the process, since a child
  // of ours keeps it until it is reaped.
  if (const pid_t pid = TheReaper().PidOf(process); pid > 0) ::kill(pid, signal);
}

}  // namespace

std::uint32_t ShellStart(const std::string& commandLine, int windowStyle) {
  std::string style = "ORVO_SHOW_WINDOW=" + std::to_string(windowStyle);
  Spawned s = Spawn(commandLine, false, style.c_str());
  if (s.error != 0) posix::ThrowErrno(s.error);
  return static_cast<std::uint32_t>(s.pid);
}

bool CreateNewProcess(const std::string& commandLine, ProcessInformation& info, bool) {
  return posix::StartCompanion(commandLine, nullptr, info);
}

bool posix::StartCompanion(const std::string& commandLine, const char* extraEnvironment, ProcessInformation& info) {
  Spawned s = Spawn(commandLine, true, extraEnvironment);
  if (s.error != 0) return false;
  info.hProcess = PidfdOrFallback(s.pid);
  info.hThread = 0;  // a POSIX process has no separate thread handle
  info.dwProcessId = static_cast<std::uint32_t>(s.pid);
  info.dwThreadId = static_cast<std::uint32_t>(s.pid);
  return true;
}

NativeHandle OpenProcessForWait(std::uint32_t processId) {
  if (processId == 0) return 0;
  return PidfdOrFallback(static_cast<pid_t>(processId));
}

void WaitForProcess(NativeHandle handle) {
  if (handle > 0) {
    pollfd p{static_cast<int>(handle), POLLIN, 0};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
  }
  // A child of ours is only over once reaped; the wait ends with that.
  if (const pid_t pid = TheReaper().PidOf(handle); pid > 0) Reaper::ReapNow(pid);
}

void TerminateWithExitCode(NativeHandle process, std::uint32_t) {
  // POSIX has no exit code for a killed process: SIGKILL ends it at once and for good.
  SendSignal(process, SIGKILL);
}

void AskProcessToClose(const ProcessInformation& info) { SendSignal(info.hProcess, SIGTERM); }

bool ProcessHasEnded(NativeHandle process) {
  if (process == 0) return true;
  if (process > 0) {
    pollfd p{static_cast<int>(process), POLLIN, 0};
    while (::poll(&p, 1, 0) < 0 && errno == EINTR) {
    }
    return (p.revents & POLLIN) != 0;
  }
  // No pidfd: a child of ours that has ended waits to be reaped, which is left to its handle.
  siginfo_t info{};
  const pid_t pid = TheReaper().PidOf(process);
  while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) < 0)
    if (errno != EINTR) return ::kill(pid, 0) != 0 && errno == ESRCH;
  return info.si_pid != 0;
}

void CloseProcessHandle(NativeHandle handle) {
  if (handle == 0) return;
  TheReaper().Release(handle);
  if (handle > 0) ::close(static_cast<int>(handle));
}

}  // namespace orvo::platform
