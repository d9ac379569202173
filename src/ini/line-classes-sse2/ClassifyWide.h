#pragma once
// The masks of a whole window made with SSE2, sixteen characters per instruction; the build
// chooses this folder for x86-64 processors, every one of which has it.
#include <emmintrin.h>

#include "ini/LineClassesPlain.h"

namespace orvo::ini {

// The masks of the kClassWindow characters from p, all of which must be readable.
inline LineClasses ClassifyWide(const char* p) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\n')));
  const __m128i cuts = _mm_or_si128(ends, _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(';')),
                                                       _mm_cmpeq_epi8(x, _mm_set1_epi8('\t'))));
  const __m128i equals = _mm_cmpeq_epi8(x, _mm_set1_epi8('='));
  const auto bits = [](__m128i lanes) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes)));
  };
  return {bits(ends), bits(cuts), bits(equals)};
}

}  // namespace orvo::ini
