#pragma once
// A table over the section index that answers the lookup search without reading the index.
//
// A lookup key is CR LF name CR LF section CR LF, and the lines of an index hold no CR and no
// LF. So wherever the key occurs in the index, it covers exactly two whole consecutive index
// lines with their line ends, starting at a CR LF. The table holds, for such pairs of lines,
// the offset of their first occurrence; a lookup is then one hash probe instead of a search
// over the whole index, and gives the same offset the plain search gives, matches across two
// records included.
//
// Pairs that no key the table answers can match are left out, which keeps the table at about
// three pairs per record instead of five: a pair whose first line is empty (the line between
// two records and the next name), and an empty line after a line of digits (a position and
// the line between records). Keys that could match such a pair, an empty entry name, or an
// empty section name after a name of digits, are not answered (FindPair says so), and the
// caller searches.
//
// It is only made for an index whose CR and LF all stand in CR LF pairs and for keys of that
// shape; otherwise (an index file edited by hand, a name holding a line end) the caller
// searches. The table holds offsets only, so it stays valid when the object is copied, and
// must be dropped whenever the index text changes. It is sized once, from a count of the pairs
// it will hold.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace orvo::ini {

// A hash of a few dozen bytes, eight at a time, that the compiler keeps inline: a lookup
// hashes its key once, so this is a good part of what a lookup costs.
inline std::uint64_t HashBytes(std::string_view s) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = s.size() * kMul;
  const char* p = s.data();
  std::size_t n = s.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  if (n > 0) {
    std::uint64_t w = 0;
    std::memcpy(&w, p, n);
    h = (h ^ w) * kMul;
  }
  return h ^ (h >> 32);
}

class KeyTable {
 public:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  bool Ready() const { return ready_; }
  void Forget() {
    ready_ = false;
    std::vector<Slot>().swap(slots_);
  }

  // Builds the table over index; false (and no table) when the index is not of the shape
  // described above.
  bool Build(std::string_view index) {
    Forget();
    if (index.size() >= kEmpty) return false;
    // Every LF after a CR, and as many CR as LF: then every CR is before an LF too.
    std::size_t lineEnds = 0;
    for (std::size_t at = index.find('\n'); at != std::string_view::npos; at = index.find('\n', at + 1)) {
      if (at == 0 || index[at - 1] != '\r') return false;
      ++lineEnds;
    }
    if (static_cast<std::size_t>(std::count(index.begin(), index.end(), '\r')) != lineEnds) return false;

    std::size_t pairs = 0;
    EachPair(index, [&](std::size_t, std::size_t) { ++pairs; });
    std::size_t size = 16;
    while (size < pairs + pairs / 2) size *= 2;  // at most two thirds full
    slots_.assign(size, Slot{});
    EachPair(index, [&](std::size_t from, std::size_t to) {
      Insert(index, index.substr(from, to - from), static_cast<std::uint32_t>(from));
    });
    ready_ = true;
    return true;
  }

  // The offset of key's first occurrence, kNotFound when it has none; nullopt while the
  // table is not built or for a key it does not answer. The key must be a lookup key whose
  // names hold no line end (KeyBuffer::NamesHoldLineEnd): CR LF NAME CR LF SECTION CR LF, with
  // no other line end; entrySize is the length of NAME.
  std::optional<std::size_t> FindPair(std::string_view index, std::string_view key, std::size_t entrySize) const {
    if (!ready_ || entrySize == 0) return std::nullopt;
    if (key.size() == entrySize + 6 && AllDigits(key.substr(2, entrySize))) return std::nullopt;
    const std::uint64_t hash = HashBytes(key);
    const auto check = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[s];
      if (slot.offset == kEmpty) return kNotFound;
      if (slot.check == check && index.compare(slot.offset, key.size(), key) == 0) return slot.offset;
    }
  }

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    std::uint32_t offset = kEmpty;
    std::uint32_t check = 0;  // the hash's upper half
  };

  static bool AllDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  }

  // Calls pair(from, to) for every pair the table holds, in the order of the index: from is
  // the CR LF before the first line, to the end of the CR LF after the second.
  template <class Pair>
  static void EachPair(std::string_view index, Pair&& pair) {
    std::size_t a = index.find('\r');
    if (a == std::string_view::npos) return;
    std::size_t b = index.find('\r', a + 2);
    while (b != std::string_view::npos) {
      const std::size_t c = index.find('\r', b + 2);
      if (c == std::string_view::npos) return;
      const std::string_view first = index.substr(a + 2, b - a - 2);
      const bool secondEmpty = c == b + 2;
      if (!first.empty() && !(secondEmpty && AllDigits(first))) pair(a, c + 2);
      a = b;
      b = c;
    }
  }

  // Pairs arrive in the order of the index: a pair already present keeps its earlier offset.
  void Insert(std::string_view index, std::string_view pair, std::uint32_t offset) {
    const std::uint64_t hash = HashBytes(pair);
    const auto check = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[s];
      if (slot.offset == kEmpty) {
        slot = Slot{offset, check};
        return;
      }
      if (slot.check == check && index.compare(slot.offset, pair.size(), pair) == 0) return;
    }
  }

  bool ready_ = false;
  std::vector<Slot> slots_;
};

}  // namespace orvo::ini
