#include <windows.h>

#include <stdexcept>

#include "support/Devices.h"

namespace orvo::test {

std::string NullDevice() { return "NUL"; }
std::string Console() { return "CON"; }

std::string MakePipe(const TempDir& dir) {
  // A client that closes its end leaves its instance taken until the server disconnects it.
  const std::string name = "\\\\.\\pipe\\" + dir.path().filename().string();
  for (int i = 0; i < 8; ++i)
    if (CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 8, 4096, 4096, 0, nullptr) == INVALID_HANDLE_VALUE)
      throw std::runtime_error("cannot make a named pipe");
  return name;
}

}  // namespace orvo::test
