#include "platform/process.h"

#include <windows.h>

#include <vector>

#include "vocabulary/Failure.h"
#include "platform/win32/companion_start.h"
#include "platform/win32/win_error.h"

namespace orvo::platform {
namespace {

NativeHandle FromHandle(HANDLE h) { return reinterpret_cast<NativeHandle>(h); }
HANDLE ToHandle(NativeHandle h) { return reinterpret_cast<HANDLE>(h); }

// CreateProcessA may write into its command line, so it gets a copy of its own.
std::vector<char> Writable(const std::string& commandLine) {
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  return buffer;
}

}  // namespace

std::uint32_t ShellStart(const std::string& commandLine, int windowStyle) {
  // A command line that names no program is a program not found, as on Linux.
  if (commandLine.find_first_not_of(" \t") == std::string::npos) win32::ThrowWin32Error(ERROR_FILE_NOT_FOUND);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(windowStyle == kShowMinimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  PROCESS_INFORMATION pi{};
  std::vector<char> line = Writable(commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si,
                      &pi))
    win32::ThrowLastError();
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return pi.dwProcessId;
}

bool win32::StartCompanion(const std::string& commandLine, DWORD extraFlags, ProcessInformation& info) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> line = Writable(commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS | extraFlags, nullptr,
                      nullptr, &si, &pi))
    return false;
  info = {FromHandle(pi.hProcess), FromHandle(pi.hThread), pi.dwProcessId, pi.dwThreadId};
  return true;
}

bool CreateNewProcess(const std::string& commandLine, ProcessInformation& info, bool closable) {
  return win32::StartCompanion(commandLine, closable ? CREATE_NEW_CONSOLE : 0, info);
}

NativeHandle OpenProcessForWait(std::uint32_t processId) {
  return FromHandle(OpenProcess(SYNCHRONIZE, FALSE, processId));
}

void WaitForProcess(NativeHandle handle) { WaitForSingleObject(ToHandle(handle), INFINITE); }

void TerminateWithExitCode(NativeHandle process, std::uint32_t exitCode) {
  if (process != 0) ::TerminateProcess(ToHandle(process), exitCode);
}

void CloseProcessHandle(NativeHandle handle) {
  if (handle != 0) ::CloseHandle(ToHandle(handle));
}

}  // namespace orvo::platform
