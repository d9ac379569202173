#pragma once
// A program ended part-way through its writes, as a killed one is: a fault seam. The programs
// link no_faults.cpp, in which every write goes through; the tests link the switchable
// definition of fault_switches.cpp instead, to end the process after so many bytes and see what
// a later reader of its files finds.
#include <cstddef>

namespace orvo::platform {

// How many of the wanted bytes the next write takes: all of them, or the bytes left before the
// end, which they use up. With none left, the process ends at once.
std::size_t BytesBeforeTheEnd(std::size_t wanted) noexcept;

}  // namespace orvo::platform
