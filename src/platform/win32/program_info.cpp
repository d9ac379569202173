#include "platform/program_info.h"

#include <windows.h>

#include <vector>

#include "version.h"

namespace orvo::platform {

std::string CommandLine() {
  // The raw command line after the program's name and the blanks that follow it.
  const char* p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

std::string OwnFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      std::string path(buffer.data(), length);
      std::string folder = path.substr(0, path.rfind('\\'));
      if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // a drive root keeps its backslash
      return folder;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramTitle() { return build::kProgramTitle; }

ProgramVersion Version() {
  // The numbers of the program's own version resource; the build's numbers when it has none.
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = length ? GetFileVersionInfoSizeA(path, &ignored) : 0;
  if (size) {
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    if (GetFileVersionInfoA(path, 0, size, data.data()) &&
        VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoLength) && info) {
      return {static_cast<int>(HIWORD(info->dwFileVersionMS)), static_cast<int>(LOWORD(info->dwFileVersionMS)),
              static_cast<int>(LOWORD(info->dwFileVersionLS))};
    }
  }
  return {build::kVersionMajor, build::kVersionMinor, build::kVersionRevision};
}

}  // namespace orvo::platform
