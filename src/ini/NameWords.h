#pragma once
// A name taken eight characters at a time as one 64-bit word (its first character lowest; a
// name shorter than a word is filled with zero bytes), straight from where the name lies: the
// line-pair table hashes the names of the index and of a lookup this way, and compares them,
// without writing a lookup key out first. A key written out and read back at once in wider
// pieces than it was written in costs a lookup more than the rest of its search.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvo::ini {

inline constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x80 * kEveryByte;

// The n characters at p (n from 1 to 8) as one word, read only from those characters.
[[gnu::always_inline]] inline std::uint64_t LoadWord(const char* p, std::size_t n) {
  std::uint64_t w = 0;
  if (n >= 8) {
    std::memcpy(&w, p, 8);
  } else if (n >= 4) {
    // Two overlapping halves; where they overlap they hold the same characters.
    std::uint32_t low, high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + n - 4, 4);
    w = low | static_cast<std::uint64_t>(high) << (8 * (n - 4));
  } else {
    const auto at = [&](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i); };
    w = at(0) | at(n / 2) | at(n - 1);
  }
  return w;
}

// a to z made A to Z in every byte and every other byte kept, as text::UpperAscii does.
inline std::uint64_t UpperWord(std::uint64_t x) {
  const std::uint64_t low7 = x & ~kHighBits;
  const std::uint64_t fromA = low7 + kEveryByte * (0x80 - 'a');      // high bit: 'a' or above
  const std::uint64_t pastZ = low7 + kEveryByte * (0x80 - 'z' - 1);  // high bit: above 'z'
  const std::uint64_t lower = fromA & ~pastZ & ~x & kHighBits;
  return x - (lower >> 2);  // 0x80 >> 2 is the 0x20 between the cases
}

// The high bit set in the zero bytes of v; above the lowest zero byte a byte may be flagged
// that is not zero, so only the lowest flag tells a place.
inline std::uint64_t ZeroBytes(std::uint64_t v) { return (v - kEveryByte) & ~v & kHighBits; }

// Whether a byte of x is LF (the zero bytes that fill a last word are not).
inline bool HoldsLf(std::uint64_t x) { return ZeroBytes(x ^ kEveryByte * '\n') != 0; }

// The n characters at p (n from 1 to 8) as one word, upper-cased where upper is set.
[[gnu::always_inline]] inline std::uint64_t NameWord(const char* p, std::size_t n, bool upper) {
  const std::uint64_t w = LoadWord(p, n);
  return upper ? UpperWord(w) : w;
}

// Calls each(word, at, n) for the words of name, upper-cased where upper is set: the n
// characters from name[at]. A name of up to eight characters is one word (n its length); a
// longer one is read in whole words of eight, the last of them its last eight characters,
// which may overlap the word before. Hashing and comparing see every character either way,
// and names of nine to sixteen characters, most of a game's, take two loads and no loop.
// Always inline: as a call, the comparison of a lookup's names with the index cost a tenth of
// the lookup.
template <class Each>
[[gnu::always_inline]] inline void ForEachWord(std::string_view name, bool upper, Each&& each) {
  const char* const p = name.data();
  const std::size_t size = name.size();
  if (size <= 8) {
    if (size != 0) each(NameWord(p, size, upper), 0, size);
    return;
  }
  for (std::size_t at = 0; at + 8 < size; at += 8) each(NameWord(p + at, 8, upper), at, 8);
  each(NameWord(p + size - 8, 8, upper), size - 8, 8);
}

// Case folded out of every byte by clearing the bit between the cases: a to z become A to Z,
// and two names that are equal once upper-cased fold alike (other characters may fold alike
// too, which only costs a comparison). One operation instead of an upper-casing.
inline std::uint64_t FoldWord(std::uint64_t x) { return x & ~(kEveryByte * 0x20); }

// A hash of a name's words, folded, so that the index's upper-case names and a lookup's names
// as written hash alike. The compiler keeps it inline: a lookup hashes its two names once, so
// this is a good part of what a lookup costs.
inline std::uint64_t HashName(std::string_view name) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = (name.size() + 1) * kMul;
  ForEachWord(name, false, [&](std::uint64_t w, std::size_t, std::size_t) {
    h = (h ^ FoldWord(w)) * kMul;
    h ^= h >> 29;
  });
  return h;
}

// Whether a byte of the name is LF.
inline bool NameHoldsLf(std::string_view name) {
  bool lf = false;
  ForEachWord(name, false, [&](std::uint64_t w, std::size_t, std::size_t) { lf |= HoldsLf(w); });
  return lf;
}

// Whether the index holds exactly name, upper-cased where upper is set, at index[from...];
// the caller has seen that the index reaches that far. (The word step is kept inline too; the
// attribute has its GNU spelling because on a lambda the standard one names its type.)
[[gnu::always_inline]] inline bool NameAt(std::string_view index, std::size_t from, std::string_view name, bool upper) {
  bool same = true;
  ForEachWord(name, upper, [&](std::uint64_t w, std::size_t at, std::size_t n) __attribute__((always_inline)) {
    same &= LoadWord(index.data() + from + at, n) == w;
  });
  return same;
}

}  // namespace orvo::ini
