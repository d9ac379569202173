#pragma once
// Whether an index record that the key search found belongs to the text as it stands.
//
// The search may match a key across the lines of two records, and an index read from an index
// file may have been made for another text altogether: the backup put back in the file's
// place, another file of the same name before its extension, an index edited by hand. An edit
// at such a record's position would change some other line. So the text has the last word: a
// record holds only where the text at its position is the line of that entry, with that value,
// inside that section, as the index builder reads them.
#include <cstdint>
#include <optional>
#include <string_view>

#include "ini/IndexRecord.h"
#include "ini/IndexScan.h"
#include "ini/LineScanner.h"

namespace orvo::ini {

// The lines of a record after its key, as the builder writes them: the value, then the
// position in decimal digits alone, 1 up to the 32-bit maximum.
struct RecordTail {
  std::string_view value;
  std::int32_t position = 0;
  bool endsRecord = false;  // an empty line, or the end of the index, follows the position
};

inline std::optional<RecordTail> ReadRecordTail(std::string_view index, std::size_t valueFrom) {
  const std::size_t valueEnd = valueFrom <= index.size() ? index.find(kCrLf, valueFrom) : std::string_view::npos;
  if (valueEnd == std::string_view::npos) return std::nullopt;
  std::size_t at = valueEnd + kCrLf.size();
  const std::size_t digitsFrom = at;
  std::int64_t position = 0;
  for (; at < index.size() && at - digitsFrom <= 10 && index[at] >= '0' && index[at] <= '9'; ++at)
    position = position * 10 + (index[at] - '0');
  if (at == digitsFrom || position < 1 || position > INT32_MAX || index.substr(at, kCrLf.size()) != kCrLf)
    return std::nullopt;
  const std::string_view rest = index.substr(at + kCrLf.size());
  return RecordTail{index.substr(valueFrom, valueEnd - valueFrom), static_cast<std::int32_t>(position),
                    rest.empty() || rest.starts_with(kCrLf)};
}

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

}  // namespace orvo::ini
