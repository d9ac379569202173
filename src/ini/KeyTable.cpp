// The line-pair table's making: two walks over the index, one that counts the pairs (and checks
// the index's shape), one that enters them.
#include <array>

#include "ini/KeyTable.h"
#include "ini/LineClasses.h"

namespace orvo::ini {

template <class Pair>
bool KeyTable::EachPair(std::string_view index, Pair&& pair) {
  const char* const begin = index.data();
  const char* const end = begin + index.size();
  // The two CR LF found last, b after a; a line found ends a pair of the lines after them.
  const char* a = nullptr;
  const char* b = nullptr;
  for (const char* line = begin;;) {
    const char* const c = FindLineEnd(line, end);
    if (c == end) return true;
    if (end - c < 2 || !CrLfAt(index, static_cast<std::size_t>(c - begin))) return false;
    if (a != nullptr) {
      const std::string_view first(a + 2, static_cast<std::size_t>(b - a - 2));
      const std::string_view second(b + 2, static_cast<std::size_t>(c - b - 2));
      if (Holds(first, second)) pair(first, second, static_cast<std::size_t>(a - begin));
    }
    a = b;
    b = c;
    line = c + 2;
  }
}

bool KeyTable::Build(std::string_view index) {
  Forget();
  if (index.size() >= kUnknown) return false;
  // The count's walk is also the check of the index's shape.
  std::size_t pairs = 0;
  if (!EachPair(index, [&](std::string_view, std::string_view, std::size_t) { ++pairs; })) return false;
  std::size_t size = 16;
  while (size < pairs + pairs / 2) size *= 2;  // at most two thirds full
  if (size > kOnce) return false;  // a slot's check tells where its probe starts
  slots_.assign(size, Slot{});
  // A line is the second of one pair and the first of the next: its hash is kept for that.
  std::string_view hashed;
  std::uint64_t lastHash = 0;
  const auto hashOf = [&](std::string_view line) {
    if (line.data() != hashed.data()) {
      hashed = line;
      lastHash = HashName(line);
    }
    return lastHash;
  };
  // The pairs come in the order of the index, which is no order in the table: each pair's
  // slot is asked of memory kAhead pairs before the pair goes in, so that the slots' cache
  // misses overlap instead of following one another (they were two thirds of a build).
  struct Pending {
    std::uint64_t hash;
    std::string_view first, second;
    std::uint32_t from;
  };
  std::array<Pending, kAhead> ahead;
  std::size_t seen = 0;
  const auto insert = [&](const Pending& p) { Insert(index, p.hash, p.first, p.second, p.from); };
  EachPair(index, [&](std::string_view first, std::string_view second, std::size_t from) {
    const std::uint64_t firstHash = hashOf(first);
    const std::uint64_t hash = PairHash(firstHash, hashOf(second));
    __builtin_prefetch(&slots_[hash & (size - 1)]);
    Pending& pending = ahead[seen++ % kAhead];
    if (seen > kAhead) insert(pending);  // the pair asked for kAhead pairs ago
    pending = {hash, first, second, static_cast<std::uint32_t>(from)};
  });
  for (std::size_t i = seen > kAhead ? seen - kAhead : 0; i < seen; ++i) insert(ahead[i % kAhead]);
  ready_ = true;
  return true;
}

}  // namespace orvo::ini
