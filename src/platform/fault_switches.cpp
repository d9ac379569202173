// The fault seams with a switch, in place of no_faults.cpp in every test program that calls
// FailReadsOf, LimitDeviceRoom or EndProcessAfterBytes; in one file, so that the linker takes
// all of them or none.
#include "platform/fault_switches.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/device_room.h"
#include "platform/read_faults.h"
#include "platform/write_faults.h"

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

std::optional<std::uint64_t>& BytesLeft() noexcept {
  static std::optional<std::uint64_t> bytes;
  return bytes;
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

std::size_t BytesBeforeTheEnd(std::size_t wanted) noexcept {
  auto& left = BytesLeft();
  if (!left || wanted == 0) return wanted;
  if (*left == 0) std::_Exit(kEndedAtAWrite);
  const auto now = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *left));
  *left -= now;
  return now;
}

void FailReadsOf(std::optional<std::string> path) { FailingPath() = std::move(path); }

void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept { RoomLeft() = bytes; }

void EndProcessAfterBytes(std::optional<std::uint64_t> bytes) noexcept { BytesLeft() = bytes; }

}  // namespace platform
}  // namespace orvo
