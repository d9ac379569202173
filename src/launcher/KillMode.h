#pragma once
// The "kill" entry of a profile section: how much the clean-up ends of a profile program.
#include <string>

#include "vocabulary/TextOps.h"

namespace orvo {

enum class KillMode { Process, Tree, Unknown };

// "tree" (in any case) ends the program with every process it started; no entry, an empty one
// or "process" the program alone, as always. Any other value is unknown, which the loader
// takes as "process".
inline KillMode ReadKillMode(const std::string& value) {
  const std::string upper = text::Upper(value);
  if (upper == "TREE") return KillMode::Tree;
  return upper.empty() || upper == "PROCESS" ? KillMode::Process : KillMode::Unknown;
}

}  // namespace orvo
