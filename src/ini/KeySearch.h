#pragma once
// The substring search of the lookups. It answers exactly what a plain search for the first
// occurrence answers, only faster: instead of stopping at every CR of the index (a plain
// search's first character), it tests two characters of the key at sixteen window positions
// at a time and compares the whole key only where both agree. Written with the compiler's
// generic vector type, which becomes SSE2 on x86-64 and plain code elsewhere.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ini/CharBlock.h"

namespace orvo::ini {

// First offset at which needle occurs in hay, or npos. a and b are two offsets inside the
// needle whose characters are tested first; they only decide the speed, never the answer.
inline std::size_t FindFirst(std::string_view hay, std::string_view needle, std::size_t a, std::size_t b) {
  const std::size_t m = needle.size();
  // The lanes of a block are read in memory order through 64-bit words, which needs a
  // little-endian machine to give the first occurrence.
  if (m == 0 || a >= m || b >= m || std::endian::native != std::endian::little) return hay.find(needle);
  if (hay.size() < m) return std::string_view::npos;
  const char* const h = hay.data();
  const char* const p = needle.data();
  const std::size_t lastStart = hay.size() - m;

  CharBlock first, last;
  for (int j = 0; j < 16; ++j) {
    first[j] = static_cast<unsigned char>(p[a]);
    last[j] = static_cast<unsigned char>(p[b]);
  }
  // Lane j of the result is all ones when the window starting at i + j has both characters.
  const auto probe = [&](std::size_t i) {
    return (LoadBlock(h + i + a) == first) & (LoadBlock(h + i + b) == last);
  };
  using Mask = decltype(probe(0));
  const auto words = [](const Mask& block) {
    struct { std::uint64_t low, high; } w;
    std::memcpy(&w, &block, sizeof w);
    return w;
  };
  // The first window of a block whose candidates compare equal in full, or npos.
  const auto verify = [&](std::size_t i, const Mask& candidates) {
    const auto w = words(candidates);
    const std::uint64_t halves[2] = {w.low, w.high};
    for (int half = 0; half < 2; ++half) {
      for (std::uint64_t bits = halves[half]; bits != 0; bits &= ~(0xFFull << std::countr_zero(bits))) {
        const std::size_t at = i + 8 * half + std::countr_zero(bits) / 8;
        if (at <= lastStart && std::memcmp(h + at, p, m) == 0) return at;
      }
    }
    return std::string_view::npos;
  };

  std::size_t i = 0;
  for (; i + 64 <= lastStart + 1; i += 64) {
    const Mask c0 = probe(i), c1 = probe(i + 16), c2 = probe(i + 32), c3 = probe(i + 48);
    const auto any = words(c0 | c1 | c2 | c3);
    if ((any.low | any.high) == 0) continue;
    std::size_t r = verify(i, c0);
    if (r == std::string_view::npos) r = verify(i + 16, c1);
    if (r == std::string_view::npos) r = verify(i + 32, c2);
    if (r == std::string_view::npos) r = verify(i + 48, c3);
    if (r != std::string_view::npos) return r;
  }
  for (; i <= lastStart; ++i)
    if (h[i + a] == p[a] && h[i + b] == p[b] && std::memcmp(h + i, p, m) == 0) return i;
  return std::string_view::npos;
}

// The lookup key CR LF name CR LF section CR LF: the characters tested first are the name's
// last and the section's last, which vary far more in an index than CR, LF or the first
// letters of names do.
inline std::size_t FindLookupKey(std::string_view index, std::string_view key) {
  const std::size_t nameEnd = key.size() >= 6 ? key.find("\r\n", 2) : std::string_view::npos;
  if (nameEnd == std::string_view::npos) return index.find(key);
  return FindFirst(index, key, nameEnd > 2 ? nameEnd - 1 : 2, key.size() - 3);
}

}  // namespace orvo::ini
