#pragma once
// A path text anchored to the folder orvo was started in, for a name that must keep meaning
// the same file after a command has changed the current folder (check --command does, as the
// loader does).
#include <string>

#include "platform/current_directory.h"

namespace orvo::cli {

inline std::string Anchored(const std::string& pathText) {
  const bool absolute = pathText.rfind('\\', 0) == 0 || (pathText.size() >= 2 && pathText[1] == ':');
  return absolute || pathText.empty() ? pathText : platform::CurrentDirectory() + "\\" + pathText;
}

}  // namespace orvo::cli
