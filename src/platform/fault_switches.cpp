// The fault seams with a switch, in place of no_faults.cpp in every test program that calls
// FailReadsOf or LimitDeviceRoom; in one file, so that the linker takes all of them or none.
#include "platform/fault_switches.h"

#include <algorithm>
#include <utility>

#include "platform/device_room.h"
#include "platform/read_faults.h"

namespace orvo {
namespace {

std::optional<std::string>& FailingPath() noexcept {
  static std::optional<std::string> path;
  return path;
}

std::optional<std::uint64_t>& RoomLeft() noexcept {
  static std::optional<std::uint64_t> room;
  return room;
}

}  // namespace

namespace platform {

bool ReadFails(const std::string& path) noexcept { return FailingPath() == path; }

std::size_t DeviceRoom(std::size_t wanted) noexcept {
  const auto& room = RoomLeft();
  if (!room) return wanted;
  return static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *room));
}

void SpendDeviceRoom(std::size_t written) noexcept {
  auto& room = RoomLeft();
  if (room) *room -= std::min<std::uint64_t>(written, *room);
}

void FailReadsOf(std::optional<std::string> path) { FailingPath() = std::move(path); }

void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept { RoomLeft() = bytes; }

}  // namespace platform
}  // namespace orvo
