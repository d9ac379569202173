#pragma once
// Win32 only: what the program's windows share: the screen's resolution, the registration of
// a window class, and the window procedure's way back to the object that owns the window.
#include <windows.h>

namespace orvo::platform::win32 {

// Pixels per inch of the screen, 96 when the screen does not say.
int ScreenDpi();

// Registers a window class of this program; a class registered already is kept.
void RegisterWindowClass(const char* name, WNDPROC procedure, HICON icon = nullptr, HBRUSH background = nullptr);

// The object that created the window (passed as CreateWindowEx's last argument), kept with
// the window from WM_NCCREATE on; nullptr before that.
template <class Owner>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

}  // namespace orvo::platform::win32
