#include "platform/process_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <ctime>

#include "platform/posix/companion_start.h"

namespace orvo::platform {
namespace {

// One tree: its leader (the program started, whose process group the session is; 0 once the
// tree is released) and the mark its processes carry in their environment.
struct Tree {
  std::atomic<pid_t> leader{0};
  char mark[48] = {};  // "ORVO_TREE=<loader id>.<number>"
  Tree* next = nullptr;
};

// The trees, newest first. A signal handler walks this list, so a node is published only when
// it is complete and is never freed (one per tree-mode program of a run).
std::atomic<Tree*> gTrees{nullptr};

// From here to EndTreesAndGo everything may run inside a signal handler: system calls and
// plain loops only, no allocation.

// The decimal number at p, moving p past it.
long ReadNumber(const char*& p) {
  long n = 0;
  while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
  return n;
}

// "/proc/<pid>/<leaf>" into path, which holds 64 bytes.
void ProcPath(char* path, const char* pid, const char* leaf) {
  char* at = path;
  for (const char* part : {"/proc/", pid, "/", leaf})
    while (*part != '\0' && at < path + 63) *at++ = *part++;
  *at = '\0';
}

// The state, parent and process group of a process, from /proc/<pid>/stat.
struct ProcessState {
  char state = 0;
  long parent = 0, group = 0;
};

bool ReadState(const char* pid, ProcessState& out) {
  char path[64];
  ProcPath(path, pid, "stat");
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char text[512];
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (n <= 0) return false;
  text[n] = '\0';
  // "pid (name) S parent group ...": the name may hold blanks and parentheses; the last ')' ends it.
  const char* p = nullptr;
  for (const char* c = text; *c != '\0'; ++c)
    if (*c == ')') p = c;
  if (p == nullptr || p[1] != ' ' || p[2] == '\0' || p[3] != ' ') return false;
  out.state = p[2];
  p += 4;
  out.parent = ReadNumber(p);
  if (*p++ != ' ') return false;
  out.group = ReadNumber(p);
  return true;
}

// Whether the process's environment holds the mark as one whole variable.
bool CarriesMark(const char* pid, const char* mark) {
  char path[64];
  ProcPath(path, pid, "environ");
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // The variables are NUL-ended; the mark matches from a variable's start up to its end. A
  // mismatch starts over, at the next variable's start when it was the NUL.
  std::size_t matched = 0;
  bool atStart = true, found = false;
  char chunk[4096];
  for (ssize_t n; !found && (n = ::read(fd, chunk, sizeof chunk)) > 0;) {
    for (ssize_t i = 0; i < n && !found; ++i) {
      const char c = chunk[i];
      if (atStart && mark[matched] == '\0') {
        found = c == '\0';
      } else if (atStart && c == mark[matched]) {
        ++matched;
        continue;
      }
      atStart = c == '\0';
      matched = 0;
    }
  }
  ::close(fd);
  return found;
}

// Sends the signal to every live process of the tree but its leader, which is left to its
// handle; true when one was found alive. Signal 0 only looks. Members that became the
// loader's children are reaped once dead, and at once when killed.
bool SignalPass(pid_t leader, const char* mark, int signal) {
  const int dir = ::open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const long self = ::getpid();
  bool alive = false;
  alignas(dirent64) char entries[4096];
  for (ssize_t n; (n = ::getdents64(dir, entries, sizeof entries)) > 0;) {
    for (ssize_t at = 0; at < n;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      const char* end = name;
      const pid_t pid = static_cast<pid_t>(ReadNumber(end));
      ProcessState s;
      if (*end != '\0' || pid <= 0 || pid == leader || !ReadState(name, s)) continue;
      const bool adopted = s.parent == self;
      if (s.state == 'Z') {
        // A dead member handed to the loader: reaped here, since nobody else will.
        if (adopted && s.group == leader) ::waitpid(pid, nullptr, WNOHANG);
        continue;
      }
      if (s.group == leader || (adopted && CarriesMark(name, mark))) {
        if (signal != 0) ::kill(pid, signal);
        alive = true;
        // Reaped at once when it is the loader's child: a killed process dies within moments.
        if (adopted && signal == SIGKILL) ::waitpid(pid, nullptr, 0);
      }
    }
  }
  ::close(dir);
  return alive;
}

void KillTree(const Tree& tree) {
  const pid_t leader = tree.leader.load();
  if (leader <= 0) return;
  ::kill(-leader, SIGKILL);
  // A process that dies hands its children to the loader; they are ended on a later pass.
  // The passes are bounded, so that a tree that forks faster than it is killed cannot hold
  // the loader forever.
  for (int pass = 0; pass < 100 && SignalPass(leader, tree.mark, SIGKILL); ++pass) {
    const timespec pause{0, 5'000'000};
    ::nanosleep(&pause, nullptr);
  }
}

// The signals that end a loader politely: its trees end first, then it goes as the signal
// would have ended it.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

void EndTreesAndGo(int signal) {
  for (const Tree* t = gTrees.load(); t != nullptr; t = t->next) KillTree(*t);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Once per loader, before its first tree: orphans of the trees come to the loader, and the
// ending signals end the trees (a signal ignored on purpose stays ignored).
void PrepareLoader() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  ::prctl(PR_SET_CHILD_SUBREAPER, 1);
  for (int signal : kEndingSignals) {
    struct sigaction action{}, before{};
    action.sa_handler = EndTreesAndGo;
    sigemptyset(&action.sa_mask);
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

bool CreateProcessTree(const std::string& commandLine, ProcessInformation& info, NativeHandle& tree, bool) {
  tree = 0;
  PrepareLoader();
  static unsigned count = 0;
  auto* node = new Tree;
  std::snprintf(node->mark, sizeof node->mark, "ORVO_TREE=%ld.%u", static_cast<long>(::getpid()), ++count);
  if (!posix::StartCompanion(commandLine, node->mark, info)) {
    delete node;
    return false;
  }
  node->leader = static_cast<pid_t>(info.dwProcessId);
  node->next = gTrees.load();
  gTrees.store(node);
  tree = reinterpret_cast<NativeHandle>(node);
  return true;
}

void TerminateTree(NativeHandle tree) {
  if (tree != 0) KillTree(*reinterpret_cast<const Tree*>(tree));
}

void AskTreeToClose(NativeHandle tree) {
  if (tree == 0) return;
  const Tree& t = *reinterpret_cast<const Tree*>(tree);
  // The leader is a child of ours, not reaped while its tree is open: its id is still its own.
  if (const pid_t leader = t.leader.load(); leader > 0) {
    ::kill(leader, SIGTERM);
    SignalPass(leader, t.mark, SIGTERM);
  }
}

bool TreeHasEnded(NativeHandle tree) {
  if (tree == 0) return true;
  const Tree& t = *reinterpret_cast<const Tree*>(tree);
  const pid_t leader = t.leader.load();
  if (leader <= 0) return true;
  char id[16];
  std::snprintf(id, sizeof id, "%ld", static_cast<long>(leader));
  ProcessState s;
  return (!ReadState(id, s) || s.state == 'Z') && !SignalPass(leader, t.mark, 0);
}

void CloseTree(NativeHandle tree) {
  if (tree != 0) reinterpret_cast<Tree*>(tree)->leader = 0;
}

}  // namespace orvo::platform
