#pragma once
// The index builder's one look at the characters of a line: for sixteen characters at once,
// which of them end the line (CR, LF), which end the part of it that the builder reads (CR,
// LF, ";", TAB) and which are "=". The builder reads a line window by window until one holds
// its cut; the masks of that window then give, with a few bit operations, where the cut line
// ends and where its first "=" stands, so no line is read twice. (Windows of sixteen suit the
// lines of a game's settings file, most of which end within two; longer windows cost more
// there than the fewer steps save on long lines.)
//
// On x86 the masks are made with SSE2, sixteen characters per instruction (every x86-64
// processor has it); elsewhere, and for the last characters of a text, by the plain loop,
// which gives the same masks and is what the wide version is tested against.
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The masks of the kClassWindow characters from p, all of which must be readable.
inline LineClasses ClassifyWide(const char* p) {
#if defined(__SSE2__)
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\n')));
  const __m128i cuts = _mm_or_si128(ends, _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(';')),
                                                       _mm_cmpeq_epi8(x, _mm_set1_epi8('\t'))));
  const __m128i equals = _mm_cmpeq_epi8(x, _mm_set1_epi8('='));
  const auto bits = [](__m128i lanes) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes)));
  };
  return {bits(ends), bits(cuts), bits(equals)};
#else
  return ClassifyPlain(p, kClassWindow);
#endif
}

// The masks of the window at p in a text that ends at end (p before end).
inline LineClasses Classify(const char* p, const char* end) {
  const auto left = static_cast<std::size_t>(end - p);
  return left >= kClassWindow ? ClassifyWide(p) : ClassifyPlain(p, left);
}

// The bits of mask below bit n (n at most 64).
inline std::uint64_t Below(std::uint64_t mask, unsigned n) {
  return n >= 64 ? mask : mask & ((std::uint64_t{1} << n) - 1);
}

}  // namespace orvo::ini
