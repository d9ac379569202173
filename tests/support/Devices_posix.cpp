#include <sys/stat.h>

#include <stdexcept>

#include "support/Devices.h"

namespace orvo::test {

std::string NullDevice() { return PathText("/dev/null"); }
std::string Console() { return PathText("/dev/tty"); }

std::string MakePipe(const TempDir& dir) {
  if (::mkfifo((dir / "pipe.ini").c_str(), 0644) != 0) throw std::runtime_error("cannot make a FIFO");
  return dir.Text("pipe.ini");
}

}  // namespace orvo::test
