#include "platform/host_path.h"

namespace orvo::platform {

// On Windows a path text is the host path.
std::string ToHostPath(const std::string& pathText) { return pathText; }
std::string FromHostPath(const std::string& hostPath) { return hostPath; }

}  // namespace orvo::platform
