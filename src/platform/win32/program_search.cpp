#include <windows.h>

#include "platform/process.h"

namespace orvo::platform {

namespace {

// The file a process start finds for the program, as CreateProcess looks (".exe" added to a
// name without an extension); "" where it finds none, or a folder.
std::string Found(const std::string& program) {
  if (program.empty()) return {};
  char found[MAX_PATH];
  const DWORD length = SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  const DWORD attributes = GetFileAttributesA(found);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? found : std::string();
}

// A program's file begins with "MZ".
bool HoldsAProgram(const std::string& file) {
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return true;  // a program held by another is still one
  char first[2] = {};
  DWORD read = 0;
  ReadFile(h, first, 2, &read, nullptr);
  CloseHandle(h);
  return read == 2 && first[0] == 'M' && first[1] == 'Z';
}

}  // namespace

bool ProgramExists(const std::string& program) noexcept { return !Found(program).empty(); }

ProgramStart HowItStarts(const std::string& program) noexcept {
  const std::string file = Found(program);
  const auto dot = file.find_last_of(".\\/");
  std::string extension = dot != std::string::npos && file[dot] == '.' ? file.substr(dot + 1) : std::string();
  for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  if (extension == "EXE" || extension == "COM" || extension == "SCR")
    return HoldsAProgram(file) ? ProgramStart::Starts : ProgramStart::NoProgramInside;
  if (extension == "BAT" || extension == "CMD") return ProgramStart::Starts;
  if (extension == "LNK") return ProgramStart::Shortcut;
  if (extension == "URL") return ProgramStart::InternetLink;
  return ProgramStart::Document;
}

}  // namespace orvo::platform
