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

platform::BeforeReading PutRightBeforeReading(const std::string& path, std::optional<std::string>& unfinished,
                                              platform::SavePrimitives& system) {
  return [path, &unfinished, &system](platform::OpenFile& file) {
    // A reader that waited in vain for a hung writer still reads: the journal that writer holds
    // gives it the old bytes.
    const bool locked = WaitForTheLock(file, false);
    bool playedBack = false;
    failure::Quietly([&] {
      unfinished = RollBackUnfinishedWrite(system, system.ResolveLink(platform::ToHostPath(path)), locked, &playedBack);
    });
    return playedBack;
  };
}

}  // namespace orvo::storage
