#pragma once
// Room on the device for the bytes this program writes to its files. Without a limit, which is
// how every run goes, the device takes every byte. A test sets a limit to make the device run
// full part-way through a write, the way a nearly full disk does, and then sees what a save
// leaves behind.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvo::platform {

// How many of the wanted bytes fit now: all of them without a limit, at most the room left
// with one (0 means the device is full).
std::size_t DeviceRoom(std::size_t wanted) noexcept;
// The bytes one write put on the device, taken from the room left.
void SpendDeviceRoom(std::size_t written) noexcept;
// nullopt: no limit.
void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept;

}  // namespace orvo::platform
