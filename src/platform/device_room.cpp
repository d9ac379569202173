#include "platform/device_room.h"

#include <algorithm>

namespace orvo::platform {
namespace {

std::optional<std::uint64_t>& RoomLeft() noexcept {
  static std::optional<std::uint64_t> room;
  return room;
}

}  // namespace

std::size_t DeviceRoom(std::size_t wanted) noexcept {
  const auto& room = RoomLeft();
  if (!room) return wanted;
  return static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *room));
}

void SpendDeviceRoom(std::size_t written) noexcept {
  auto& room = RoomLeft();
  if (room) *room -= std::min<std::uint64_t>(written, *room);
}

void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept { RoomLeft() = bytes; }

}  // namespace orvo::platform
