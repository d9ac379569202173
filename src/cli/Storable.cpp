#include "cli/Storable.h"

#include "cli/Outcome.h"

namespace orvo::cli {

void RequireStorable(const std::string& text, std::string_view cutters, const std::string& what) {
  const std::size_t at = text.find_first_of(cutters);
  if (at == std::string::npos) return;
  const char c = text[at];
  const std::string shown = c == '\t' ? "a TAB" : c == '\r' || c == '\n' ? "a line end" : "'" + std::string(1, c) + "'";
  throw UsageError(what + " '" + text + "' holds " + shown + ", which the INI format would cut");
}

void RequireName(const std::string& name, std::string_view cutters, const std::string& what) {
  if (name.empty()) throw UsageError(what + " must not be empty");
  if (name.front() == ' ' || name.back() == ' ') throw UsageError(what + " '" + name + "' begins or ends with a blank");
  RequireStorable(name, cutters, what);
}

}  // namespace orvo::cli
