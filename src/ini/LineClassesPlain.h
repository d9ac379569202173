#pragma once
// The index builder's masks of a window of characters (LineClasses.h), and the plain loop that
// makes them: the one the builder uses where the processor has no wide instructions and for
// the last characters of a text, and the one the wide version is tested against.
#include <cstddef>
#include <cstdint>

namespace orvo::ini {

// Bit i of each mask stands for the character i places after the window's start.
struct LineClasses {
  std::uint64_t lineEnd = 0;  // CR or LF
  std::uint64_t cut = 0;      // CR, LF, ";" or TAB: the first of them ends what the builder reads
  std::uint64_t equals = 0;   // "="
};

inline constexpr std::size_t kClassWindow = 16;

// The masks of the n characters from p (n at most kClassWindow); bits past n stay clear.
inline LineClasses ClassifyPlain(const char* p, std::size_t n) {
  LineClasses m;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = p[i];
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (c == '\r' || c == '\n') m.lineEnd |= bit;
    if (c == '\r' || c == '\n' || c == ';' || c == '\t') m.cut |= bit;
    if (c == '=') m.equals |= bit;
  }
  return m;
}

}  // namespace orvo::ini
