#include <windows.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "helper/helper.h"

namespace orvo::test::helper {
int ShowWindowValue() {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  GetStartupInfoA(&si);
  return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
}
unsigned ProcessId() { return GetCurrentProcessId(); }

namespace {
std::string gClosedFile;
void WriteAndGo() {
  std::ofstream(gClosedFile, std::ios::binary).put('\n');
  ExitProcess(0);
}
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) WriteAndGo();
  return DefWindowProcA(window, message, w, l);
}
BOOL WINAPI ConsoleEvent(DWORD) {
  WriteAndGo();
  return TRUE;
}
// A handler that returns lets the system end the program after a close event: this one never does.
BOOL WINAPI Ignored(DWORD) {
  for (;;) Sleep(INFINITE);
}
}  // namespace

void CloseWhenAsked(const std::string& file) {
  gClosedFile = file;
  SetConsoleCtrlHandler(ConsoleEvent, TRUE);
  // A window of its own, hidden, with its own thread to answer it; there before this returns.
  static std::atomic<bool> made{false};
  std::thread([] {
    WNDCLASSA type{};
    type.lpfnWndProc = WindowProcedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "OrvoTestHelper";
    RegisterClassA(&type);
    CreateWindowExA(0, type.lpszClassName, "orvo test helper", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                    type.hInstance, nullptr);
    made = true;
    for (MSG m; GetMessageA(&m, nullptr, 0, 0) > 0;) DispatchMessageA(&m);
  }).detach();
  while (!made) Sleep(1);
}
void IgnoreRequestsToClose() { SetConsoleCtrlHandler(Ignored, TRUE); }
}  // namespace orvo::test::helper
