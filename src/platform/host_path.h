#pragma once
// Path texts and host paths. The program's path texts use the backslash as their only
// separator. On Windows a path text is the host path. On POSIX each backslash of a path
// text becomes '/', and a host path read from the system becomes a path text by the
// reverse, so 'C:' style drives never occur there.
#include <string>

namespace orvo::platform {

std::string ToHostPath(const std::string& pathText);
std::string FromHostPath(const std::string& hostPath);

}  // namespace orvo::platform
