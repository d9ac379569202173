#pragma once
// Whether the text at an index record's position is a line that an edit of the record's entry
// may change.
//
// The key search may match a key across the lines of two records, whose "position" is then
// another record's line, and an index read from an index file may have been made for another
// text altogether: the backup put back in the file's place, another file of the same name
// before its extension, an index edited by hand. A lookup answers from such an index all the
// same, since it changes nothing; but an edit at such a position would change some other line
// of the user's file. So before an edit changes the text, the text at the position must be the
// value of a line of that entry, inside that section, as the index builder reads them.
#include <cstdint>
#include <optional>
#include <string_view>

#include "ini/IndexRecord.h"
#include "ini/IndexScan.h"
#include "ini/LineScanner.h"

namespace orvo::ini {

// The entry line whose value the builder places at position (1-based): its name and value as
// the builder reads them, and the offset at which the builder starts reading the line.
struct TextEntry {
  std::string_view name, value;
  std::size_t lineStart = 0;
};

inline std::optional<TextEntry> EntryWithValueAt(std::string_view text, std::int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size() + 1) return std::nullopt;
  const std::size_t at = static_cast<std::size_t>(position - 1);
  // The builder reads a line from the first character after a line end and the control
  // characters and spaces that follow it.
  std::size_t start = at;
  while (start > 0 && !IsLineEnd(text[start - 1])) --start;
  while (start < text.size() && IsBelowSpace(text[start])) ++start;
  while (start < text.size() && text[start] == ' ') ++start;
  if (start > at) return std::nullopt;
  const IndexedLine line = ReadIndexedLine(text.data() + start, text.data() + text.size());
  if (line.kind != IndexedLine::kEntry || line.value.data() != text.data() + at) return std::nullopt;
  return TextEntry{line.name, line.value, start};
}

// Whether the builder starts reading a line at offset at: only spaces stand between it and
// the control characters after a line end, or the start of the text.
inline bool StartsIndexedLine(std::string_view text, std::size_t at) {
  while (at > 0 && text[at - 1] == ' ') --at;
  for (; at > 0 && IsBelowSpace(text[at - 1]); --at)
    if (IsLineEnd(text[at - 1])) return true;
  return at == 0;
}

// The section that the builder gives the line it starts reading at lineStart: the name of the
// last header before it, "" when there is none.
inline std::string_view SectionAbove(std::string_view text, std::size_t lineStart) {
  std::size_t at = lineStart;
  while (at > 0 && (at = text.rfind('[', at - 1)) != std::string_view::npos) {
    if (!StartsIndexedLine(text, at)) continue;
    const IndexedLine line = ReadIndexedLine(text.data() + at, text.data() + text.size());
    if (line.kind == IndexedLine::kHeader) return line.name;
  }
  return {};
}

// Whether an entry line of entry in section (both compared without regard to case) stands
// before lineStart, as the index builder reads the text. An index built from the text finds
// the first such line first; one read from a file may lack it.
inline bool EarlierEntryLine(std::string_view text, std::size_t lineStart, std::string_view section,
                             std::string_view entry) {
  bool inSection = section.empty(), found = false;
  WalkIndexLines(
      text.substr(0, lineStart), [&](std::string_view name) { inSection = text::EqualIgnoringCase(name, section); },
      [&](std::string_view name, std::string_view, std::size_t) {
        found = found || (inSection && text::EqualIgnoringCase(name, entry));
      });
  return found;
}

}  // namespace orvo::ini
