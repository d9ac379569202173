#include <windows.h>

#include "platform/process.h"

namespace orvo::platform {

bool ProgramExists(const std::string& program) noexcept {
  if (program.empty()) return false;
  char found[MAX_PATH];
  const DWORD length = SearchPathA(nullptr, program.c_str(), ".exe", MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  const DWORD attributes = GetFileAttributesA(found);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace orvo::platform
