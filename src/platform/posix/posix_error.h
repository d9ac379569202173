#pragma once
// POSIX only: turns errno into the program's OrvoError with the system's description. The
// description is the system's text alone: the member that reports it names where it failed.
#include <cerrno>

namespace orvo::platform::posix {

[[noreturn]] void ThrowErrno(int err);
[[noreturn]] inline void ThrowLastErrno() { ThrowErrno(errno); }

}  // namespace orvo::platform::posix
