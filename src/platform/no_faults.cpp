// The fault seams as the programs ship them: every read goes through, the device takes every
// byte and every write is made whole. Only the tests link other definitions
// (fault_switches.cpp); these stand alone in their file, so that a test program that links
// those never pulls this one in.
#include "platform/device_room.h"
#include "platform/read_faults.h"
#include "platform/write_faults.h"

namespace orvo::platform {

bool ReadFails(const std::string&) noexcept { return false; }

std::size_t DeviceRoom(std::size_t wanted) noexcept { return wanted; }

void SpendDeviceRoom(std::size_t) noexcept {}

std::size_t BytesBeforeTheEnd(std::size_t wanted) noexcept { return wanted; }

}  // namespace orvo::platform
