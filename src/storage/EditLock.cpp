#include "storage/EditLock.h"

#include <chrono>
#include <thread>

#include "platform/host_path.h"

namespace orvo::storage {

EditLock::EditLock(const std::string& path, int waitMs, platform::SavePrimitives& system) {
  const std::string name = platform::ToHostPath(path);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    // Without a folder there is nothing that an editor could change: the edit fails by itself.
    if (system.TryEditLock(name, held_) != platform::LockTry::HeldByAnother) return;
    if (std::chrono::steady_clock::now() >= deadline)
      throw OrvoError(OrvoError::Kind::System, "another program is changing the file");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace orvo::storage
