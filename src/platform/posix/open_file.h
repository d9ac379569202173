#pragma once
// POSIX only: one open file of the save primitives, and what a look at a file reads as.
#include <sys/stat.h>

#include "platform/save_primitives.h"

namespace orvo::platform::posix {

Node NodeOf(const struct stat& st);

class PosixFile : public OpenFile {
 public:
  // fresh: a file this save made, whose bytes take new room on the device; an existing file
  // is written over blocks it holds, or that TakeRoom reserved.
  PosixFile(int fd, bool fresh) : fd_(fd), fresh_(fresh) {}
  ~PosixFile() override;
  int fd() const { return fd_; }

  Node Facts() override;
  std::string ReadAt(std::int64_t offset, std::size_t count) override;
  void WriteAt(std::int64_t offset, const std::string& bytes) override;
  void TakeRoom(std::int64_t oldSize, const std::string& tail) override;
  void Cut(std::int64_t length) override;
  void Flush() override;
  bool IsNamed(const std::string& name) override;
  bool RemoveName(const std::string& name) override;

 private:
  int fd_;
  bool fresh_;
};

}  // namespace orvo::platform::posix
