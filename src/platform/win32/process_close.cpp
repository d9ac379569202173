#include "platform/process_close.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/close_request.h"

namespace orvo::platform {
namespace {

DWORD OwnerOf(HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner;
}

struct Request {
  const std::vector<DWORD>& processIds;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindowOf(HWND window, LPARAM to) {
  auto& request = *reinterpret_cast<Request*>(to);
  const DWORD owner = OwnerOf(window);
  if (std::find(request.processIds.begin(), request.processIds.end(), owner) != request.processIds.end())
    request.windows.push_back(window);
  return TRUE;
}

// A console program has no window of its own: the close button it has is its console
// window's, which the loader finds by attaching to the console for a moment. A closable
// program has a console of its own; the loader gives up any it holds to attach (Windows
// starts it without one, Wine may give it its starter's).
HWND ConsoleWindowOf(DWORD processId) {
  FreeConsole();
  if (!AttachConsole(processId)) return nullptr;
  const HWND console = GetConsoleWindow();
  FreeConsole();
  return console;
}

}  // namespace

void win32::AskToClose(const std::vector<DWORD>& processIds) {
  Request request{processIds, {}};
  // Every console first, every close after: the console's close event reaches each process
  // attached to it, and would end a loader that attached to a console already being closed.
  for (DWORD id : processIds)
    if (const HWND console = id == 0 ? nullptr : ConsoleWindowOf(id); console != nullptr)
      request.windows.push_back(console);
  EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&request));
  // Programs on one console, and a console window that the system names a program's own,
  // are found twice: each window is closed once.
  std::sort(request.windows.begin(), request.windows.end());
  request.windows.erase(std::unique(request.windows.begin(), request.windows.end()), request.windows.end());
  // Posted, not sent: a program that does not answer must not hold the loader.
  for (HWND window : request.windows) PostMessageA(window, WM_CLOSE, 0, 0);
}

void AskProcessToClose(const ProcessInformation& info) { win32::AskToClose({info.dwProcessId}); }

bool ProcessHasEnded(NativeHandle process) {
  return process == 0 || WaitForSingleObject(reinterpret_cast<HANDLE>(process), 0) != WAIT_TIMEOUT;
}

}  // namespace orvo::platform
