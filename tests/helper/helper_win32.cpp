#include <windows.h>

#include "helper/helper.h"

namespace orvo::test::helper {
int ShowWindowValue() {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  GetStartupInfoA(&si);
  return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
}
unsigned ProcessId() { return GetCurrentProcessId(); }
}  // namespace orvo::test::helper
