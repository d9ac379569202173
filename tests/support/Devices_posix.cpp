#include <sys/stat.h>

#include <stdexcept>

#include "support/Devices.h"

namespace orvo::test {

std::vector<std::string> EmptyDevices() { return {PathText("/dev/null")}; }

TestPipe::TestPipe(const TempDir& dir) : name_(dir.Text("pipe.ini")) {
  if (::mkfifo((dir / "pipe.ini").c_str(), 0644) != 0) throw std::runtime_error("cannot make a FIFO");
}

TestPipe::~TestPipe() = default;  // the FIFO goes with its folder

}  // namespace orvo::test
