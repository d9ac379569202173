// The fault seams as the programs ship them: every read goes through and the device takes
// every byte. Only the tests link other definitions (fault_switches.cpp); these stand alone in
// their file, so that a test program that links those never pulls this one in.
#include "platform/device_room.h"
#include "platform/read_faults.h"

namespace orvo::platform {

bool ReadFails(const std::string&) noexcept { return false; }

std::size_t DeviceRoom(std::size_t wanted) noexcept { return wanted; }

void SpendDeviceRoom(std::size_t) noexcept {}

}  // namespace orvo::platform
