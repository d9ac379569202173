#pragma once
// The section index as the rules of the text format give it, line by line through the line
// scanner that the other members use: what the one-pass builder of BuildIndex must equal, and
// where the lines of an entry are, which are the only lines an edit of it may touch.
#include <string>
#include <string_view>
#include <vector>

#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"

namespace orvo::fuzz {

// Calls onEntry(upper-case section, parts, offset of the line's first character, 1-based
// position of the value) for every entry line of text.
template <class OnEntry>
void ReferenceEntries(const std::string& text, OnEntry&& onEntry) {
  std::string section;
  std::int32_t pos = 1;
  std::string_view line;
  while (ini::ScanLine(text, pos, line) >= 0) {
    std::size_t eq = 0;
    const std::string_view cut = ini::CutLine(line, eq);
    if (cut.empty() || cut.front() == '-') continue;
    if (ini::IsHeader(cut)) {
      section.clear();
      ini::AppendUpper(section, ini::HeaderName(cut));
    } else if (eq != std::string_view::npos) {
      const ini::EntryParts parts = ini::SplitEntry(cut, eq);
      const auto lineOffset = static_cast<std::size_t>(cut.data() - text.data());
      onEntry(std::string_view(section), parts, lineOffset, static_cast<std::int32_t>(lineOffset + parts.valueOffset + 1));
    }
  }
}

inline std::string ReferenceIndex(const std::string& text) {
  std::string index;
  ReferenceEntries(text, [&](std::string_view section, const ini::EntryParts& parts, std::size_t, std::int32_t position) {
    ini::AppendRecord(index, parts.name, section, parts.value, position);
  });
  return index;
}

// The offsets at which the lines of entry in section begin.
inline std::vector<std::size_t> ReferenceEntryLines(const std::string& text, std::string_view section,
                                                    std::string_view entry) {
  std::vector<std::size_t> lines;
  ReferenceEntries(text, [&](std::string_view upperSection, const ini::EntryParts& parts, std::size_t line, std::int32_t) {
    if (text::EqualIgnoringCase(upperSection, section) && text::EqualIgnoringCase(parts.name, entry)) lines.push_back(line);
  });
  return lines;
}

}  // namespace orvo::fuzz
