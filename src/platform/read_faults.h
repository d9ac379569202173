#pragma once
// Reads of one file that fail, the way a failing disk makes them fail: a fault seam. The
// programs link src/platform/no_faults.cpp, in which every read goes through; the tests link
// their own definition instead (tests/support/FaultSeams.h), which names a file whose reading
// fails, to see what a load that cannot read it leaves behind.
#include <string>

namespace orvo::platform {

// Whether the reading of this path text (opened already) is to fail.
bool ReadFails(const std::string& path) noexcept;

}  // namespace orvo::platform
