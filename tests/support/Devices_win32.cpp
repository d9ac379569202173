#include <windows.h>

#include <stdexcept>

#include "support/Devices.h"

namespace orvo::test {
namespace {
// A client that closes its end leaves the instance unusable until the server disconnects it,
// so the server offers one instance per opening: a binding tries its reading three times.
constexpr int kInstances = 8;
}  // namespace

std::vector<std::string> EmptyDevices() { return {"NUL", "CON"}; }

TestPipe::TestPipe(const TempDir& dir) : name_("\\\\.\\pipe\\" + dir.path().filename().string()) {
  for (int i = 0; i < kInstances; ++i) {
    HANDLE h = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, kInstances, 4096, 4096, 0,
                                nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make a named pipe");
    handles_.push_back(reinterpret_cast<std::intptr_t>(h));
  }
}

TestPipe::~TestPipe() {
  for (std::intptr_t h : handles_) CloseHandle(reinterpret_cast<HANDLE>(h));
}

}  // namespace orvo::test
