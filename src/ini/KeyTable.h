#pragma once
// A table over the section index that answers the lookup search without reading the index.
//
// A lookup key is CR LF name CR LF section CR LF, and the lines of an index hold no CR and no
// LF. So wherever the key occurs in the index, it covers exactly two whole consecutive index
// lines with their line ends, starting at a CR LF. The table holds, for every such pair of
// lines, the offset of its first occurrence; a lookup is then one hash probe instead of a
// search over the whole index, and gives the same offset the plain search gives, matches
// across two records included.
//
// It is only made for an index whose CR and LF all stand in CR LF pairs and for keys of that
// shape; otherwise (an index file edited by hand, a name holding a line end) the caller
// searches. The table holds offsets only, so it stays valid when the object is copied, and
// must be dropped whenever the index text changes.
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
    slots_.clear();
  }

  // Builds the table over index; false (and no table) when the index is not of the shape
  // described above.
  bool Build(std::string_view index) {
    Forget();
    if (index.size() >= UINT32_MAX) return false;
    std::vector<std::uint32_t> ends;  // offsets of every CR LF
    for (std::size_t at = index.find_first_of("\r\n"); at != std::string_view::npos;
         at = index.find_first_of("\r\n", at + 2)) {
      if (index[at] != '\r' || at + 1 >= index.size() || index[at + 1] != '\n') return false;
      ends.push_back(static_cast<std::uint32_t>(at));
    }
    std::size_t size = 16;
    while (size < 2 * ends.size()) size *= 2;
    slots_.assign(size, Slot{});
    for (std::size_t j = 0; j + 2 < ends.size(); ++j) {
      const std::string_view pair = index.substr(ends[j], ends[j + 2] + 2 - ends[j]);
      Insert(index, pair, ends[j]);
    }
    ready_ = true;
    return true;
  }

  // The offset of key's first occurrence, kNotFound when it has none; nullopt while the
  // table is not built. The key must be a lookup key whose names hold no line end
  // (KeyBuffer::NamesHoldLineEnd): CR LF NAME CR LF SECTION CR LF, with no other line end.
  std::optional<std::size_t> FindPair(std::string_view index, std::string_view key) const {
    if (!ready_) return std::nullopt;
    const std::uint64_t hash = HashBytes(key);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[s];
      if (slot.length == 0) return kNotFound;
      if (slot.hash == hash && slot.length == key.size() && index.compare(slot.offset, slot.length, key) == 0)
        return slot.offset;
    }
  }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;  // 0 marks a free slot; a pair is at least six characters
  };

  // Pairs arrive in the order of the index: a pair already present keeps its earlier offset.
  void Insert(std::string_view index, std::string_view pair, std::uint32_t offset) {
    const std::uint64_t hash = HashBytes(pair);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[s];
      if (slot.length == 0) {
        slot = Slot{hash, offset, static_cast<std::uint32_t>(pair.size())};
        return;
      }
      if (slot.hash == hash && slot.length == pair.size() && index.compare(slot.offset, slot.length, pair) == 0) return;
    }
  }

  bool ready_ = false;
  std::vector<Slot> slots_;
};

}  // namespace orvo::ini
