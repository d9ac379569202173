#include <windows.h>

#include <stdexcept>
#include <string>

#include "support/Programs.h"
#include "support/TempDir.h"

namespace orvo::test {
bool ProcessIsRunning(unsigned processId) {
  HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId);
  if (h == nullptr) return false;
  const bool running = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}

void EndProcess(unsigned processId) {
  HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
  if (h == nullptr) return;
  TerminateProcess(h, 1);
  CloseHandle(h);
}

namespace {

// One argument as the C runtime splits a command line: in double quotes, with the
// backslashes before a quote (and before the closing quote) doubled.
std::string QuoteArgument(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

HANDLE OpenInheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return h;
}

}  // namespace

Captured RunCapturing(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder) {
  std::string commandLine = QuoteArgument(program.string());
  for (const auto& a : arguments) commandLine += " " + QuoteArgument(a);
  return RunCapturingCommandLine(commandLine, folder);
}

Captured RunCapturingCommandLine(const std::string& line, const std::filesystem::path& folder) {
  TempDir streams;
  std::string commandLine = line;  // CreateProcessA may write to it

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = OpenInheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = OpenInheritable((streams / "out").string(), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = OpenInheritable((streams / "err").string(), GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  const std::string workingFolder = folder.string();
  // Under Wine a start fails now and then with nothing wrong in the program or the command
  // line (seen on a loaded machine); a program that cannot start fails every attempt.
  std::string errors;
  BOOL started = FALSE;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, workingFolder.c_str(),
                             &startup, &process);
    if (!started) errors += " " + std::to_string(GetLastError());
  }
  for (HANDLE stream : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(stream);
  if (!started) throw std::runtime_error("cannot start " + commandLine + " (errors" + errors + ")");
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {static_cast<int>(code), ReadBytes(streams / "out"), ReadBytes(streams / "err")};
}
std::string AsAnOrdinaryUser() { return ""; }

}  // namespace orvo::test
