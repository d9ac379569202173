#include "platform/host_path.h"

#include <algorithm>

namespace orvo::platform {

std::string ToHostPath(const std::string& pathText) {
  std::string host = pathText;
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::string FromHostPath(const std::string& hostPath) {
  std::string text = hostPath;
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

}  // namespace orvo::platform
