#include <unistd.h>

#include <cstdlib>

#include "helper/helper.h"

namespace orvo::test::helper {
int ShowWindowValue() {
  const char* style = std::getenv("ORVO_SHOW_WINDOW");
  return style ? std::atoi(style) : -1;
}
unsigned ProcessId() { return static_cast<unsigned>(getpid()); }
}  // namespace orvo::test::helper
