#pragma once
// Sixteen characters handled as one, with the compiler's generic vector type (SSE2 on x86,
// plain code elsewhere): the key search compares, and the index builder and the lookup keys
// upper-case, their pieces a block at a time.
#include <cstddef>
#include <cstring>

namespace orvo::ini {

inline constexpr std::size_t kBlockSize = 16;
using CharBlock = unsigned char __attribute__((vector_size(kBlockSize)));

inline CharBlock LoadBlock(const char* from) {
  CharBlock x;
  std::memcpy(&x, from, sizeof x);
  return x;
}

inline void StoreBlock(char* to, const CharBlock& x) { std::memcpy(to, &x, sizeof x); }

// a to z made A to Z and every other byte kept, as text::UpperAscii does.
inline CharBlock UpperBlock(CharBlock x) {
  const auto lower = (x - static_cast<unsigned char>('a')) < static_cast<unsigned char>(26);
  return x - (reinterpret_cast<const CharBlock&>(lower) & static_cast<unsigned char>('a' - 'A'));
}

// Sixteen characters from from, upper-cased, to to (the same place, or another).
inline void CopyUpper(char* to, const char* from) { StoreBlock(to, UpperBlock(LoadBlock(from))); }

}  // namespace orvo::ini
