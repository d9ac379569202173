#include "storage/ReadersAndWriters.h"

#include <chrono>
#include <thread>

#include "platform/host_path.h"
#include "storage/Journal.h"

namespace orvo::storage {

bool WaitForTheLock(platform::OpenFile& file, bool exclusive) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLockWaitMs);
  while (!file.TryLock(exclusive)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::optional<std::string> ReadWithNoWriteUnderWay(const std::string& path, const std::function<void()>& read,
                                                   platform::SavePrimitives& system) {
  std::unique_ptr<platform::OpenFile> held;
  std::string target;
  // A name that does not open as a plain file has no write in place to wait for.
  failure::Quietly([&] {
    target = system.ResolveLink(platform::ToHostPath(path));
    held = system.OpenToRead(target);
    if (held->Facts().kind != platform::NodeKind::PlainFile || !WaitForTheLock(*held, false)) held.reset();
  });
  const auto unfinished = target.empty() ? std::nullopt : RollBackUnfinishedWrite(system, target, held != nullptr);
  read();
  return unfinished;
}

}  // namespace orvo::storage
