#include "launcher/KillMode.h"

#include <sstream>

#include "vocabulary/TextOps.h"

namespace orvo {

std::string KillMode::Text() const {
  if (!close) return tree ? "tree" : "process";
  return tree ? "close tree" : "close";
}

KillMode ReadKillMode(const std::string& value) {
  KillMode mode;
  bool process = false;
  std::istringstream words(text::Upper(value));
  for (std::string word; words >> word;) {
    bool& seen = word == "CLOSE" ? mode.close : word == "TREE" ? mode.tree : process;
    if (seen || (word != "CLOSE" && word != "TREE" && word != "PROCESS")) return {false, false, false};
    seen = true;
  }
  if (process && mode.tree) return {false, false, false};
  return mode;
}

}  // namespace orvo
