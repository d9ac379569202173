#include "platform/process_close.h"

#include <windows.h>

#include "platform/win32/close_request.h"

namespace orvo::platform {
namespace {

BOOL CALLBACK PostCloseToWindowOf(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  // Posted, not sent: a program that does not answer must not hold the loader.
  if (owner == static_cast<DWORD>(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// The event reaches every process on the console, the loader too while it is attached for
// the sending: the loader lets it pass. It has no console of its own to break.
BOOL WINAPI LetBreakPass(DWORD event) { return event == CTRL_BREAK_EVENT ? TRUE : FALSE; }

}  // namespace

void win32::AskToClose(DWORD processId) {
  if (processId == 0) return;
  EnumWindows(PostCloseToWindowOf, static_cast<LPARAM>(processId));
  // A console program has no window of its own to close: its console's break event is its
  // close button. The loader can reach a console only when it has none itself, which is how
  // it runs; a companion that shares the loader's console is not sent the event, which would
  // reach the loader's other programs too.
  if (!AttachConsole(processId)) return;
  SetConsoleCtrlHandler(LetBreakPass, TRUE);
  GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
  FreeConsole();
}

void AskProcessToClose(const ProcessInformation& info) { win32::AskToClose(info.dwProcessId); }

bool ProcessHasEnded(NativeHandle process) {
  return process == 0 || WaitForSingleObject(reinterpret_cast<HANDLE>(process), 0) != WAIT_TIMEOUT;
}

}  // namespace orvo::platform
