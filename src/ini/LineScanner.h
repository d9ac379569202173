#pragma once
// The line scanning that every member of INIFile builds on, over views of the text so that
// walking a whole file allocates nothing per line.
//
// A line ends at the first CR or LF. Every character below the space (CR, LF, TAB and the
// other control characters) between the end of one line and the first other character is
// skipped, so blank lines, runs of line ends and TABs at the start of a line vanish. The
// line is then trimmed of spaces (only the space character) at both ends.
#include <cstdint>
#include <string_view>

#include "vocabulary/TextOps.h"

namespace orvo::ini {

inline bool IsBelowSpace(char c) { return static_cast<unsigned char>(c) < 32; }
inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads the line at or after the 1-based position pos (1 or more). Returns the 1-based
// position of the line's first character that is not a control character, or -1 when pos is
// past the end (then pos keeps its value and line is empty). Afterwards pos is the first
// character of the next line, or length + 1.
inline std::int32_t ScanLine(std::string_view text, std::int32_t& pos, std::string_view& line) noexcept {
  const std::size_t length = text.size();
  std::size_t p = static_cast<std::size_t>(pos) - 1;
  if (p >= length) {
    line = {};
    return -1;
  }
  const char* const data = text.data();
  while (p < length && IsBelowSpace(data[p])) ++p;
  const std::size_t start = p;
  while (p < length && data[p] != '\r' && data[p] != '\n') ++p;
  const std::size_t end = p;
  while (p < length && IsBelowSpace(data[p])) ++p;
  pos = static_cast<std::int32_t>(p + 1);
  line = text::TrimSpacesView(std::string_view(data + start, end - start));
  return static_cast<std::int32_t>(start + 1);
}

// The line with its comment and TAB cuts applied: what stands before the first ";" and
// then before the first TAB, which is what stands before the first of either. eq is set to
// the offset of the first "=" inside the cut line, or npos.
inline std::string_view CutLine(std::string_view line, std::size_t& eq) noexcept {
  eq = std::string_view::npos;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ';' || c == '\t') return line.substr(0, i);
    if (c == '=' && eq == std::string_view::npos) eq = i;
  }
  return line;
}

// "[" first and "]" last; the text between is the section name.
inline bool IsHeader(std::string_view line) noexcept {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}
inline std::string_view HeaderName(std::string_view header) noexcept {
  return text::TrimSpacesView(header.substr(1, header.size() - 2));
}

// An entry line split at its first "=" (offset eq): the name trimmed at both ends, the value
// from the first non-space after "=" with trailing spaces removed. valueOffset is where the
// value starts inside the line (its length when the value is empty).
struct EntryParts {
  std::string_view name;
  std::string_view value;
  std::size_t valueOffset = 0;
};
inline EntryParts SplitEntry(std::string_view cut, std::size_t eq) noexcept {
  std::size_t v = eq + 1;
  while (v < cut.size() && cut[v] == ' ') ++v;
  return {text::TrimSpacesView(cut.substr(0, eq)), text::TrimTrailingSpacesView(cut.substr(v)), v};
}

}  // namespace orvo::ini
