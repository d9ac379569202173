#pragma once
// POSIX only: turns errno into the program's OrvoError with the system's description.
#include <string>

namespace orvo::platform::posix {

[[noreturn]] void ThrowErrno(int err, const std::string& what = {});
[[noreturn]] inline void ThrowLastErrno(const std::string& what = {});

}  // namespace orvo::platform::posix

#include <cerrno>
inline void orvo::platform::posix::ThrowLastErrno(const std::string& what) { ThrowErrno(errno, what); }
