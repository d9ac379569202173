#include "platform/win32/window_support.h"

namespace orvo::platform::win32 {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

void RegisterWindowClass(const char* name, WNDPROC procedure, HICON icon, HBRUSH background) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = icon;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

}  // namespace orvo::platform::win32
