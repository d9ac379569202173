#pragma once
// The index builder's one search: the first of four characters from a position on. Where
// lines are long, looking at sixteen characters at a time is what keeps the builder near the
// speed of reading the text at all. Written with the compiler's generic vector type, like
// KeySearch.h; FindStopBytes is the plain loop that gives the same answer everywhere, and
// FindStop uses it wherever the wide search does not apply.
#include <bit>
#include <cstdint>
#include <cstring>

namespace orvo::ini {

struct StopSet {
  char a, b, c, d;
  bool Has(char x) const { return x == a || x == b || x == c || x == d; }
};

// The first character in [p, end) that is in stops, or end.
inline const char* FindStopBytes(const char* p, const char* end, StopSet stops) {
  while (p < end && !stops.Has(*p)) ++p;
  return p;
}

inline const char* FindStop(const char* p, const char* end, StopSet stops) {
  if constexpr (std::endian::native == std::endian::little) {
    using Block = unsigned char __attribute__((vector_size(16)));
    Block a, b, c, d;
    for (int j = 0; j < 16; ++j) {
      a[j] = static_cast<unsigned char>(stops.a);
      b[j] = static_cast<unsigned char>(stops.b);
      c[j] = static_cast<unsigned char>(stops.c);
      d[j] = static_cast<unsigned char>(stops.d);
    }
    for (; end - p >= 16; p += 16) {
      Block x;
      std::memcpy(&x, p, sizeof x);
      const auto hits = (x == a) | (x == b) | (x == c) | (x == d);
      // Lanes that hold a stop are all ones; read in memory order through two words.
      struct { std::uint64_t low, high; } w;
      static_assert(sizeof w == sizeof hits);
      std::memcpy(&w, &hits, sizeof w);
      if (w.low != 0) return p + std::countr_zero(w.low) / 8;
      if (w.high != 0) return p + 8 + std::countr_zero(w.high) / 8;
    }
  }
  return FindStopBytes(p, end, stops);
}

}  // namespace orvo::ini
