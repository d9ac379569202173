// Shows the program-wide status window, sets a message, and keeps the window on the screen
// for a while so that it can be looked at or photographed.
//
//   orvo-status-demo [message [seconds [pump|block]]]
//
// "pump" (the default) services the window while it waits; "block" sleeps without
// servicing it, as a long blocking step would: the message must show all the same, since
// setting it repaints the window at once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "status/frmStatus.h"

int main(int argc, char** argv) {
  const std::string message = argc > 1 ? argv[1] : "Indexing core.ini";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
  const bool block = argc > 3 && std::string(argv[3]) == "block";

  orvo::frmStatus& status = orvo::StatusWindow();
  status.SetMessage("Starting");
  status.Show();
  status.SetMessage(message);
  std::printf("shown: %s\n", status.Message().c_str());
  std::fflush(stdout);

  if (block) {
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
  }
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(20);
  }
  return 0;
}
