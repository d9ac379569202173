#pragma once
// Names that are no plain file, as the program's path texts: devices that read as empty, and a
// pipe that a test makes and removes again.
#include <cstdint>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace orvo::test {

// NUL and CON on Windows, /dev/null on POSIX.
std::vector<std::string> EmptyDevices();

// A pipe nobody writes into (a FIFO in dir on POSIX; on Windows a named pipe whose server has
// an instance free for every opening a test makes), gone with the object.
class TestPipe {
 public:
  explicit TestPipe(const TempDir& dir);
  ~TestPipe();
  TestPipe(const TestPipe&) = delete;
  TestPipe& operator=(const TestPipe&) = delete;
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::vector<std::intptr_t> handles_;
};

}  // namespace orvo::test
