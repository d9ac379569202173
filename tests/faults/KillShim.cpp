// A kill -9 at one step of a save, preloaded into orvo: ORVO_KILL_AT "<n> <call>" kills it at
// its n-th call of that name, before the call; "<n> <call> half" after half of a write's bytes.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// 0: the call goes on; 1: the process dies before it; 2: after half of its bytes.
int Due(const char* name) {
  static unsigned seen = 0;
  char call[32] = {}, how[8] = {};
  unsigned n = 0;
  const char* at = std::getenv("ORVO_KILL_AT");
  if (at == nullptr || std::sscanf(at, "%u %31s %7s", &n, call, how) < 2 || std::strcmp(call, name) != 0 || ++seen != n)
    return 0;
  return std::strcmp(how, "half") == 0 ? 2 : 1;
}

}  // namespace

#define ORVO_KILL_AT(ret, name, params, args, halfArgs)                               \
  extern "C" ret name params {                                                        \
    static const auto real = reinterpret_cast<ret(*) params>(::dlsym(RTLD_NEXT, #name)); \
    if (const int due = Due(#name)) {                                                 \
      if (due == 2) real halfArgs;                                                    \
      ::raise(SIGKILL);                                                               \
    }                                                                                 \
    return real args;                                                                 \
  }
ORVO_KILL_AT(ssize_t, write, (int fd, const void* b, size_t n), (fd, b, n), (fd, b, n / 2))
ORVO_KILL_AT(ssize_t, pwrite, (int fd, const void* b, size_t n, off_t at), (fd, b, n, at), (fd, b, n / 2, at))
ORVO_KILL_AT(int, fsync, (int fd), (fd), (fd))
ORVO_KILL_AT(int, ftruncate, (int fd, off_t length), (fd, length), (fd, length))
ORVO_KILL_AT(int, unlink, (const char* name), (name), (name))
ORVO_KILL_AT(int, rename, (const char* from, const char* to), (from, to), (from, to))
ORVO_KILL_AT(int, linkat, (int fromFolder, const char* from, int toFolder, const char* to, int flags),
             (fromFolder, from, toFolder, to, flags), (fromFolder, from, toFolder, to, flags))
