#pragma once
// The "kill" entry of a profile section: how the clean-up ends a profile program.
#include <string>

namespace orvo {

struct KillMode {
  bool close = false;  // asked to close first, ended only when it has not within the close wait
  bool tree = false;   // ended with every process it started
  bool known = true;   // false: a value the loader does not know, taken as "process"

  // The value as orvo writes it: "process", "tree", "close" or "close tree".
  std::string Text() const;
};

// The words "close" and "tree" (in any case and order, blanks between them) ask for those;
// "process" is the program alone, as with no entry or an empty one. "close process" is
// "close". A word the loader does not know, a word twice or "tree" with "process" make the
// whole value unknown, which the loader takes as "process": the program is ended at once.
KillMode ReadKillMode(const std::string& value);

}  // namespace orvo
