#pragma once
// Reads of one file that fail, the way a failing disk makes them fail: a fault seam. The
// programs link no_faults.cpp, in which every read goes through; the tests link the switchable
// definition of fault_switches.cpp instead, to name a file whose reading fails and see what a
// load that cannot read it leaves behind.
#include <string>

namespace orvo::platform {

// Whether the reading of this path text (opened already) is to fail.
bool ReadFails(const std::string& path) noexcept;

}  // namespace orvo::platform
