// A kill -9 at one exact step of a save, loaded into orvo with LD_PRELOAD: ORVO_KILL_AT
// "<call> <n>" kills the process as it makes its n-th call of that name, before the call;
// "<call> <n> half" lets a write put down half of its bytes first.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whether this call of name is the one to die at; half tells how.
bool Due(const char* name, bool& half) {
  static const char* at = std::getenv("ORVO_KILL_AT");
  static unsigned seen = 0;
  char call[32] = {};
  unsigned n = 0;
  char how[8] = {};
  if (at == nullptr || std::sscanf(at, "%31s %u %7s", call, &n, how) < 2 || std::strcmp(call, name) != 0) return false;
  half = std::strcmp(how, "half") == 0;
  return ++seen == n;
}

void Die() { ::raise(SIGKILL); }

template <class Fn>
Fn Real(const char* name) {
  return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* bytes, size_t n) {
  static auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
  bool half = false;
  if (Due("write", half)) {
    if (half) real(fd, bytes, n / 2);
    Die();
  }
  return real(fd, bytes, n);
}

ssize_t pwrite64(int fd, const void* bytes, size_t n, off64_t at) {
  static auto real = Real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
  bool half = false;
  if (Due("pwrite", half)) {
    if (half) real(fd, bytes, n / 2, at);
    Die();
  }
  return real(fd, bytes, n, at);
}
ssize_t pwrite(int fd, const void* bytes, size_t n, off_t at) { return pwrite64(fd, bytes, n, at); }

#define ORVO_KILL_BEFORE(ret, name, params, args)                    \
  ret name params {                                                  \
    static auto real = Real<ret(*) params>(#name);                   \
    bool half = false;                                               \
    if (Due(#name, half)) Die();                                     \
    return real args;                                                \
  }
ORVO_KILL_BEFORE(int, fsync, (int fd), (fd))
ORVO_KILL_BEFORE(int, ftruncate, (int fd, off_t length), (fd, length))
ORVO_KILL_BEFORE(int, ftruncate64, (int fd, off64_t length), (fd, length))
ORVO_KILL_BEFORE(int, fallocate, (int fd, int mode, off_t at, off_t length), (fd, mode, at, length))
ORVO_KILL_BEFORE(int, fallocate64, (int fd, int mode, off64_t at, off64_t length), (fd, mode, at, length))
ORVO_KILL_BEFORE(int, unlink, (const char* name), (name))
ORVO_KILL_BEFORE(int, flock, (int fd, int operation), (fd, operation))
ORVO_KILL_BEFORE(int, fchmod, (int fd, mode_t mode), (fd, mode))
}
