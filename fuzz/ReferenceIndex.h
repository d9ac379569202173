#pragma once
// The section index as the rules of the text format give it, line by line through the line
// scanner that the other members use: what the one-pass builder of BuildIndex must equal.
#include <string>
#include <string_view>

#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"

namespace orvo::fuzz {

inline std::string ReferenceIndex(const std::string& text) {
  std::string index, section;
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
      const auto position = static_cast<std::int32_t>(cut.data() - text.data() + parts.valueOffset + 1);
      ini::AppendRecord(index, parts.name, section, parts.value, position);
    }
  }
  return index;
}

}  // namespace orvo::fuzz
