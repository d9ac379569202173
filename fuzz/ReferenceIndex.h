#pragma once
// The section index as the rules of the text format give it, line by line through the line
// scanner that the other members use: what the one-pass builder of BuildIndex must equal, and
// where the lines of an entry are, which are the only lines an edit of it may touch.
#include <string>
#include <string_view>
#include <vector>

#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"
#include "vocabulary/TextOps.h"

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

// GetIniValue's steps on an index, plainly: the first occurrence of the key, the characters
// from its end to the next CR LF, blanks removed at both ends. fails: a key with no CR LF after
// it, which the member reports through its failure scheme.
struct ReferenceAnswer {
  bool found = false, fails = false;
  std::string value;
};
inline ReferenceAnswer ReferenceLookup(std::string_view index, std::string_view section, std::string_view entry) {
  const std::string key = text::Upper("\r\n" + std::string(entry) + "\r\n" + std::string(section) + "\r\n");
  const std::size_t at = index.find(key);
  if (at == std::string_view::npos) return {};
  const std::size_t stop = index.find("\r\n", at + key.size());
  if (stop == std::string_view::npos) return {true, true, {}};
  return {true, false, text::TrimSpaces(std::string(index.substr(at + key.size(), stop - at - key.size())))};
}

// Whether the first occurrence of the key starts one of the index's records, read from its
// start five lines at a time; false where it matches across two records, is missing, or the
// index is not made of whole records (a trailing CR LF, as an index file ends, is allowed).
inline bool FirstMatchIsRecord(std::string_view index, std::string_view section, std::string_view entry) {
  const std::size_t at = index.find(ini::LookupKey(section, entry));
  bool startsOne = false;
  std::size_t p = 0;
  while (p < index.size()) {
    startsOne = startsOne || p == at;
    if (index.substr(p) == "\r\n") break;
    if (index.substr(p, 2) != "\r\n") return false;
    p += 2;
    for (int line = 0; line < 4; ++line) {
      const std::size_t end = index.find("\r\n", p);
      if (end == std::string_view::npos) return false;
      p = end + 2;
    }
  }
  return startsOne;
}

}  // namespace orvo::fuzz
