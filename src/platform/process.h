#pragma once
// Starting, waiting for and ending processes.
//
// Win32: CreateProcessA, OpenProcess(SYNCHRONIZE), WaitForSingleObject(INFINITE),
// TerminateProcess and CloseHandle. POSIX: posix_spawn from a Windows-style command line;
// a process handle is a pidfd where one can be opened (otherwise the negated process id),
// and every child that the loader started is reaped when it is waited for or terminated.
#include <cstdint>
#include <string>

namespace orvo::platform {

// HANDLE on Windows, a pidfd on POSIX; 0 stands for no handle.
using NativeHandle = std::intptr_t;

// The Windows record of a started process; all zero when nothing was started.
struct ProcessInformation {
  NativeHandle hProcess = 0;
  NativeHandle hThread = 0;
  std::uint32_t dwProcessId = 0;
  std::uint32_t dwThreadId = 0;
};

// Window styles of the shell start.
inline constexpr int kShowNormal = 1;     // normal, activated
inline constexpr int kShowMinimised = 2;  // minimised, activated

// Shell start: starts a command line (program path, optionally arguments) without waiting
// and returns the new process's id. Throws OrvoError (kind FileNotFound when the program
// does not exist). On POSIX the style reaches the program as ORVO_SHOW_WINDOW=<style>.
std::uint32_t ShellStart(const std::string& commandLine, int windowStyle);

// Shell start, then, when the id is not 0 and the process can be opened, a wait without time
// limit for its end. Throws as ShellStart does.
void ShellStartAndWait(const std::string& commandLine, int windowStyle);

// Process creation for the profile programs: handles inherited, normal priority, the
// caller's environment and current directory, a STARTUPINFO holding only its size. Returns
// false and leaves info all zero when the start fails. On POSIX the program runs in a
// session of its own, independent of the loader. A closable program can be asked to close
// alone later (platform/process_close.h): on Windows it gets a console of its own
// (CREATE_NEW_CONSOLE), as every console program does that a loader without a console
// starts; on POSIX its own session is enough.
bool CreateNewProcess(const std::string& commandLine, ProcessInformation& info, bool closable = false);

// Whether a process start would find this program (a path text without its arguments): on
// Windows where SearchPathA finds it, ".exe" added to a name without one; on POSIX as
// posix_spawnp finds it, a name with a folder being that file and one without looked for on
// PATH, and only a plain file that may be executed.
bool ProgramExists(const std::string& program) noexcept;

// What a process start does with a program that it finds (ProgramExists): it starts it, or it
// refuses it for what the file is. Windows starts a program (.exe, .com, .scr whose first bytes
// are a program's) and a batch file (.bat, .cmd), and no other file: not a shortcut (.lnk), an
// internet link (.url) or a document, which Explorer opens by the program that opens them. On
// POSIX a found program is one that may be executed, and starts.
enum class ProgramStart { Starts, Shortcut, InternetLink, Document, NoProgramInside };
ProgramStart HowItStarts(const std::string& program) noexcept;

// OpenProcess with SYNCHRONIZE and no inheritance; 0 when the process cannot be opened.
NativeHandle OpenProcessForWait(std::uint32_t processId);

// Blocks until the process behind the handle has ended; no time limit.
void WaitForProcess(NativeHandle handle);

// Ends the process at once with the exit code; a handle of an ended process or 0 passes.
void TerminateWithExitCode(NativeHandle process, std::uint32_t exitCode);

// Releases a handle; 0 passes.
void CloseProcessHandle(NativeHandle handle);

}  // namespace orvo::platform
