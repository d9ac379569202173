#pragma once
// The tests' side of the platform's fault seams (platform/read_faults.h, platform/device_room.h):
// a test program that calls these links the definitions in FaultSeams.cpp in place of the ones
// the programs ship with, in which nothing fails.
#include <cstdint>
#include <optional>
#include <string>

namespace orvo::test {

// Every read of this path text fails from now on; nullopt: no read fails.
void FailReadsOf(std::optional<std::string> path);
// The device takes this many bytes more and is then full; nullopt: no limit.
void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept;

}  // namespace orvo::test
