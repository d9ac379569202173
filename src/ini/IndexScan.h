#pragma once
// The index builder's reading of the text, in one pass.
//
// It finds what ScanLine, CutLine, IsHeader and SplitEntry find, line for line, but without
// walking each line several times: from the first character of a line that is not a space,
// the masks of its characters (LineClasses.h) give the first CR, LF, ";" or TAB, which ends
// the cut line, and the first "=" before it, together. Lines that the builder drops (empty
// after the cuts, dash lines, lines without "=") report nothing. The same reading of one line
// serves the check that an index record still matches its text (RecordCheck.h).
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#include "ini/LineClasses.h"
#include "vocabulary/TextOps.h"

namespace orvo::ini {

// One line as the index builder reads it.
struct IndexedLine {
  enum Kind { kNothing, kHeader, kEntry } kind = kNothing;
  std::string_view name;       // the section's or the entry's, trimmed, case as written
  std::string_view value;      // an entry's, without trailing spaces; it starts at value.data()
  const char* stop = nullptr;  // the CR or LF that ends the line, or the end of the text
};

// The line that starts at line (whose first character, if any, is not a space), given where
// its cut begins (q: the first CR, LF, ";" or TAB, or the end of the text), its first "=" before
// q (or null) and the line end (stop).
[[gnu::always_inline]] inline IndexedLine ReadCutLine(const char* line, const char* q, const char* eq,
                                                      const char* stop) {
  IndexedLine read;
  read.stop = stop;
  // The line starts with no space, so it is empty after the cuts exactly when the cut is at
  // its start.
  if (q == line || *line == '-') return read;  // dash lines are left out of the index only
  // The cut line keeps its spaces before a comment or TAB; at the line's end they go.
  const char* trimmed = q;
  while (trimmed > line && trimmed[-1] == ' ') --trimmed;
  const char* const cutEnd = q == stop ? trimmed : q;
  // cutEnd is past the line's first character, so a "]" before it is another character.
  if (*line == '[' && cutEnd[-1] == ']') {
    read.kind = IndexedLine::kHeader;
    read.name = text::TrimSpacesView(std::string_view(line + 1, static_cast<std::size_t>(cutEnd - line - 2)));
    return read;
  }
  // Only spaces stand between the cut line's end and q, so a "=" before q is inside it.
  if (eq == nullptr) return read;
  const char* v = eq + 1;
  while (v < cutEnd && *v == ' ') ++v;
  // The value ends where the spaces before q begin, or is empty where v passed them.
  const char* const valueEnd = trimmed > v ? trimmed : v;
  const char* nameEnd = eq;
  while (nameEnd > line && nameEnd[-1] == ' ') --nameEnd;
  read.kind = IndexedLine::kEntry;
  read.name = std::string_view(line, static_cast<std::size_t>(nameEnd - line));
  read.value = std::string_view(v, static_cast<std::size_t>(valueEnd - v));
  return read;
}

// Reads the line that starts at line, the first character after the line ends, control
// characters and spaces before it, a window at a time.
[[gnu::always_inline]] inline IndexedLine ReadIndexedLine(const char* line, const char* end) {
  const char* q = end;
  const char* eq = nullptr;
  for (const char* window = line; window < end; window += kClassWindow) {
    const LineClasses m = Classify(window, end);
    if (m.cut != 0) {
      const int cutAt = std::countr_zero(m.cut);
      const std::uint64_t before = m.equals & ((std::uint64_t{1} << cutAt) - 1);
      if (eq == nullptr && before != 0) eq = window + std::countr_zero(before);
      q = window + cutAt;
      break;
    }
    if (eq == nullptr && m.equals != 0) eq = window + std::countr_zero(m.equals);
  }
  const bool comment = q != end && (*q == ';' || *q == '\t');
  return ReadCutLine(line, q, eq, comment ? FindLineEnd(q, end) : q);
}

// Calls onHeader(name) for every section header (name trimmed, case as written) and
// onEntry(name, value, valueOffset) for every entry line (name trimmed, value without
// trailing spaces, valueOffset the 0-based offset in text at which the value starts).
template <class OnHeader, class OnEntry>
void WalkIndexLines(std::string_view text, OnHeader&& onHeader, OnEntry&& onEntry) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  for (;;) {
    // Every character below the space between lines is skipped. Most lines end in one CR LF,
    // which is passed at once: a game file's index build measured a twentieth faster with this
    // than with the loop alone.
    if (end - p > 2 && p[0] == '\r' && p[1] == '\n' && static_cast<unsigned char>(p[2]) >= 32) {
      p += 2;
    } else {
      while (p < end && static_cast<unsigned char>(*p) < 32) ++p;
    }
    if (p == end) return;
    const char* line = p;
    while (line < end && *line == ' ') ++line;
    const IndexedLine read = ReadIndexedLine(line, end);
    p = read.stop;
    if (read.kind == IndexedLine::kHeader) {
      onHeader(read.name);
    } else if (read.kind == IndexedLine::kEntry) {
      onEntry(read.name, read.value, static_cast<std::size_t>(read.value.data() - begin));
    }
  }
}

}  // namespace orvo::ini
