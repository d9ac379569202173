#pragma once
// Running the built programs from a test, and capturing what a console program prints.
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orvo::test {

// The folder of the running test program, where the loader and the helper are built too.
std::filesystem::path BinFolder();
std::filesystem::path HelperExe();
std::string ExeSuffix();

// Copies the loader into folder, which becomes its own folder (LoaderLog.txt, Profiles); returns the copy.
std::filesystem::path InstallLoader(const std::filesystem::path& folder);

// A path text in double quotes, for a command line.
std::string Quoted(const std::filesystem::path& path);
// text with each mark replaced by its text wherever it stands (a test's programs and folders).
std::string Replaced(std::string text, const std::vector<std::pair<std::string, std::string>>& marks);

// Waits up to timeoutMs for a file to appear; true when it did.
bool WaitForFile(const std::filesystem::path& file, int timeoutMs = 10000);

// The key=value lines of a helper's record.
std::map<std::string, std::string> ReadRecord(const std::filesystem::path& file);

// Whether a process with this id is still running (not ended, not a zombie).
bool ProcessIsRunning(unsigned processId);

// Ends a process as a program told to go ends: SIGTERM on POSIX, TerminateProcess on Windows.
void EndProcess(unsigned processId);

// Waits up to timeoutMs for the process to end; true when it did.
bool WaitForProcessEnd(unsigned processId, int timeoutMs = 5000);


// The words before a shell command that run it as a user whom permissions stop: where the
// tests run as root (as CI does), setpriv as "nobody"; nothing otherwise, or on Windows.
std::string AsAnOrdinaryUser();

struct Captured {
  int exitCode = -1;
  std::string out;  // stdout, byte for byte
  std::string err;  // stderr, byte for byte
};

// Runs program in folder to its end, each argument passed unchanged (no shell between), stdin empty.
Captured RunCapturing(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);
// The same for a Windows-style command line (quotes group), given to the program as it is
// on Windows and split into arguments on POSIX.
Captured RunCapturingCommandLine(const std::string& commandLine, const std::filesystem::path& folder);

}  // namespace orvo::test
