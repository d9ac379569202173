#pragma once
// The index builder's one look at the characters of a line: for sixteen characters at once,
// which of them end the line (CR, LF), which end the part of it that the builder reads (CR,
// LF, ";", TAB) and which are "=". The builder reads a line window by window until one holds
// its cut; the masks of that window then give, with a few bit operations, where the cut line
// ends and where its first "=" stands, so no line is read twice. (Windows of sixteen suit the
// lines of a game's settings file, most of which end within two; longer windows cost more
// there than the fewer steps save on long lines.)
//
// A whole window's masks come from ClassifyWide, which the build chooses for the processor
// (the ini_line_classes folder: SSE2 on x86-64, the plain loop elsewhere); the last characters
// of a text always take the plain loop, which gives the same masks.
#include <bit>
#include <cstddef>

#include "ini/LineClassesPlain.h"
#include "ini_line_classes/ClassifyWide.h"

namespace orvo::ini {

// The masks of the window at p in a text that ends at end (p before end).
inline LineClasses Classify(const char* p, const char* end) {
  const auto left = static_cast<std::size_t>(end - p);
  return left >= kClassWindow ? ClassifyWide(p) : ClassifyPlain(p, left);
}

// The first CR or LF at or after from, or end: a window at a time, where a call of memchr per
// line would cost more than the short lines it searches.
inline const char* FindLineEnd(const char* from, const char* end) {
  for (; from < end; from += kClassWindow)
    if (const std::uint64_t ends = Classify(from, end).lineEnd) return from + std::countr_zero(ends);
  return end;
}

}  // namespace orvo::ini
