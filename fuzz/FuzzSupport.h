#pragma once
// What every fuzz target needs: a silent program (no box, no loader log), a scratch folder,
// and a check that aborts with a message, so that the fuzzer records the input.
#include <string>
#include <string_view>

namespace orvo::fuzz {

// Puts a receiver in place of the error box and a sink in place of the loader log; the
// boxes are counted so that a target can insist on none.
void Silence();
int BoxesShown();
void ResetBoxes();

// A folder of its own under the system's temporary folder, made once per process and
// removed at its end.
const std::string& ScratchFolder();

[[noreturn]] void Fail(std::string_view what, std::string_view detail);
inline void Check(bool ok, std::string_view what, std::string_view detail = {}) {
  if (!ok) Fail(what, detail);
}

}  // namespace orvo::fuzz
