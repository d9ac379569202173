#pragma once
// Switches of the platform's fault seams (read_faults.h, device_room.h, write_faults.h), for the
// tests only: a program that calls them links fault_switches.cpp in place of no_faults.cpp, with
// which the shipped programs are linked and in which nothing fails.
#include <cstdint>
#include <optional>
#include <string>

namespace orvo::platform {

// Every read of this path text fails from now on; nullopt: no read fails.
void FailReadsOf(std::optional<std::string> path);
// The device takes this many bytes more and is then full; nullopt: no limit.
void LimitDeviceRoom(std::optional<std::uint64_t> bytes) noexcept;
// The process ends at once, as a killed one does (no destructor runs, no file is closed by
// the program), when a write would pass this many bytes more, after writing those that fit;
// nullopt: it is not ended. Its exit status is then kEndedAtAWrite.
void EndProcessAfterBytes(std::optional<std::uint64_t> bytes) noexcept;
inline constexpr int kEndedAtAWrite = 86;

}  // namespace orvo::platform
