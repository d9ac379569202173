#include "launcher/KillMode.h"

#include "vocabulary/TextOps.h"

namespace orvo {

std::string KillMode::Text() const {
  if (!close) return tree ? "tree" : "process";
  return tree ? "close tree" : "close";
}

KillMode ReadKillMode(const std::string& value) {
  KillMode mode;
  bool process = false;
  // The words between blanks, read without a string stream: the loader carries no stream
  // library for one line of its profile.
  const std::string upper = text::Upper(value);
  constexpr const char* kBlanks = " \t\n\v\f\r";
  for (std::size_t at = upper.find_first_not_of(kBlanks); at != std::string::npos;) {
    const std::size_t end = upper.find_first_of(kBlanks, at);
    const std::string word = upper.substr(at, end - at);
    at = end == std::string::npos ? end : upper.find_first_not_of(kBlanks, end);
    bool& seen = word == "CLOSE" ? mode.close : word == "TREE" ? mode.tree : process;
    if (seen || (word != "CLOSE" && word != "TREE" && word != "PROCESS")) return {false, false, false};
    seen = true;
  }
  if (process && mode.tree) return {false, false, false};
  return mode;
}

}  // namespace orvo
