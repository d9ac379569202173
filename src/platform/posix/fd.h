#pragma once
// POSIX only: one open descriptor and the whole-buffer write shared by the file services.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace orvo::platform::posix {

// Owns one descriptor; close errors are ignored here (a retry of close is unsafe). Code that
// must know whether the bytes reached the device syncs before it lets the descriptor go.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Opens a path text; throws the system's failure.
Fd OpenOrThrow(const std::string& path, int flags, mode_t mode = 0666);
// Writes every byte or throws; a device that runs full throws ENOSPC.
void WriteAll(int fd, const std::string& bytes);
// The folder of a host path ("." for a bare name, "/" for one at the root).
std::string FolderOf(const std::string& hostPath);
// Up to count bytes at offset; fewer at the end of the file.
std::string ReadFrom(int fd, std::int64_t offset, std::size_t count);

}  // namespace orvo::platform::posix
