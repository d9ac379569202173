#pragma once
// Room on the device for the bytes this program writes to its files: a fault seam. The
// programs link no_faults.cpp, in which the device takes every byte; the tests link the
// switchable definition of fault_switches.cpp instead, to make the device run full part-way
// through a write, the way a nearly full disk does.
#include <cstddef>

namespace orvo::platform {

// How many of the wanted bytes fit now: all of them without a limit, at most the room left
// with one (0 means the device is full).
std::size_t DeviceRoom(std::size_t wanted) noexcept;
// The bytes one write put on the device, taken from the room left.
void SpendDeviceRoom(std::size_t written) noexcept;

}  // namespace orvo::platform
