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
// empty section name after a name of digits, are not answered (Find says so), and the
// caller searches.
//
// It is only made for an index whose CR and LF all stand in CR LF pairs and for keys of that
// shape; otherwise (an index file edited by hand, a name holding a line end) the caller
// searches. The table holds offsets only, so it stays valid when the object is copied, and
// must be dropped whenever the index text changes, except through RewriteLine. It is sized
// once, from a count of the pairs it will hold.
//
// An edit that keeps a value's length rewrites one line of the index and moves nothing
// (RewriteLine): the table then follows, so that a player's run of edits is not a run of
// searches over the whole index. The pairs of the new line are entered like the table's own.
// A pair of the old line that occurred only there leaves the table. One that was first there
// and occurs elsewhere too is marked as of unknown place, since where it occurs next is not
// known without a search: a lookup whose probe meets such a mark with its own check is not
// answered.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini/NameWords.h"

namespace orvo::ini {

class KeyTable {
 public:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  bool Ready() const { return ready_; }
  void Forget() {
    ready_ = false;
    filled_ = 0;
    std::vector<Slot>().swap(slots_);
  }

  // Builds the table over index; false (and no table) when the index is not of the shape
  // described above. Made once, so kept out of the lookups' own code.
  bool Build(std::string_view index);

  // Writes line over the index's line that starts at at, which is as long, and keeps the
  // table true to the index. False, with nothing written, where the table cannot follow: the
  // line at at is not a whole line of that length between two CR LF, either line holds a CR
  // or an LF, or the table has no room left for the new pairs. The caller then writes the line
  // itself and drops the table. Without a table, the line is written: the index keeps the shape
  // that a table is made for, or lacks it, as before.
  bool RewriteLine(std::string& index, std::size_t at, std::string_view line) {
    const std::size_t n = line.size(), b = at - 2, c = at + n;
    if (at < 2 || c + 2 > index.size() || !CrLfAt(index, b) || !CrLfAt(index, c) || HasLineEnd(line) ||
        HasLineEnd(std::string_view(index).substr(at, n)))
      return false;
    if (ready_ && (filled_ + 2) * 4 > slots_.size() * 3) return false;
    if (!ready_) {
      index.replace(at, n, line);
      return true;
    }
    // The line's pairs with the line before (from the CR LF at a) and the line after (from the
    // CR LF at b, up to the CR at d); those two lines stay, and are hashed once.
    const std::string_view text = index;
    const std::size_t a = b == 0 ? std::string_view::npos : text.rfind('\r', b - 1);
    const std::size_t d = text.find('\r', c + 2);
    const std::string_view before = a == std::string_view::npos ? std::string_view() : text.substr(a + 2, b - a - 2);
    const std::string_view after = d == std::string_view::npos ? std::string_view() : text.substr(c + 2, d - c - 2);
    const std::uint64_t beforeHash = HashName(before), afterHash = HashName(after);
    const auto eachPair = [&](auto&& pair) {
      const std::string_view own = text.substr(at, n);
      const std::uint64_t ownHash = HashName(own);
      if (a != std::string_view::npos && Holds(before, own))
        pair(PairHash(beforeHash, ownHash), before, own, static_cast<std::uint32_t>(a));
      if (d != std::string_view::npos && Holds(own, after))
        pair(PairHash(ownHash, afterHash), own, after, static_cast<std::uint32_t>(b));
    };
    eachPair([&](std::uint64_t hash, std::string_view first, std::string_view second, std::uint32_t from) {
      Unlink(index, hash, first, second, from);
    });
    index.replace(at, n, line);
    eachPair([&](std::uint64_t hash, std::string_view first, std::string_view second, std::uint32_t from) {
      Insert(index, hash, first, second, from);
    });
    return true;
  }

  // The offset of the first occurrence of the lookup key CR LF ENTRY CR LF SECTION CR LF, with
  // the names upper-cased, kNotFound when it has none; nullopt while the table is not built,
  // or for a key it does not answer.
  //
  // A key found is found at its first occurrence even where a name holds a line end: the key
  // then begins with the two lines of the pair it was found at, whose first occurrence that is.
  // A key not found may yet occur where a name holds a line end (its first two lines are then
  // another pair than its two names), but only through a CR LF inside a name: every CR of the
  // index stands before an LF, so a key whose names hold a CR but no LF occurs nowhere. A key
  // not found whose name holds an LF is not answered.
  std::optional<std::size_t> Find(std::string_view index, std::string_view entry, std::string_view section) const {
    if (!ready_ || entry.empty()) return std::nullopt;
    if (section.empty() && AllDigits(entry)) return std::nullopt;
    const std::uint64_t hash = PairHash(HashName(entry), HashName(section));
    const std::uint32_t check = CheckOf(hash);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[s];
      if (slot.offset == kEmpty) {
        if (NameHoldsLf(entry) || NameHoldsLf(section)) return std::nullopt;
        return kNotFound;
      }
      if (CheckOf(slot.check) != check) continue;
      if (slot.offset == kUnknown) return std::nullopt;
      if (PairAt(index, slot.offset, entry, section, true)) return slot.offset;
    }
  }

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  static constexpr std::uint32_t kUnknown = UINT32_MAX - 1;  // a pair whose first place is not known
  static constexpr std::uint32_t kOnce = 0x80000000u;
  static constexpr std::size_t kAhead = 16;  // pairs between a slot's prefetch and its use
  struct Slot {
    std::uint32_t offset = kEmpty;
    // The hash's lower 31 bits, which hold the slot the pair's probe starts at, and kOnce
    // while the pair is known to occur only at offset.
    std::uint32_t check = 0;
  };
  static std::uint32_t CheckOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash) & ~kOnce; }

  static bool AllDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  }
  static bool HasLineEnd(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }
  // Whether CR LF stands at at (at + 1 inside index).
  static bool CrLfAt(std::string_view index, std::size_t at) { return index[at] == '\r' && index[at + 1] == '\n'; }
  // Whether the table holds the pair of these two lines (see the head of this file).
  static bool Holds(std::string_view first, std::string_view second) {
    return !first.empty() && !(second.empty() && AllDigits(first));
  }

  // Calls pair(first, second, from) for every pair the table holds, in the order of the index:
  // first and second are its lines, from the offset of the CR LF before the first. False, with
  // the walk stopped there, at a CR or an LF that is not part of a CR LF.
  template <class Pair>
  static bool EachPair(std::string_view index, Pair&& pair);

  static std::uint64_t PairHash(std::uint64_t first, std::uint64_t second) {
    const std::uint64_t h = first * 0xC2B2AE3D27D4EB4Full ^ second;
    return h ^ (h >> 32);
  }

  // Whether the index holds CR LF FIRST CR LF SECOND CR LF at from.
  static bool PairAt(std::string_view index, std::size_t from, std::string_view first, std::string_view second, bool upper) {
    const std::size_t secondFrom = from + 2 + first.size() + 2, end = secondFrom + second.size() + 2;
    if (end > index.size()) return false;
    return CrLfAt(index, from) && CrLfAt(index, secondFrom - 2) && CrLfAt(index, end - 2) &&
           NameAt(index, from + 2, first, upper) && NameAt(index, secondFrom, second, upper);
  }

  // The slot that holds the pair of first and second with a known first place, or the empty
  // slot where it belongs.
  Slot& SlotOf(std::string_view index, std::uint64_t hash, std::string_view first, std::string_view second) {
    const std::uint32_t check = CheckOf(hash);
    for (std::size_t s = hash & (slots_.size() - 1);; s = (s + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[s];
      if (slot.offset == kEmpty) return slot;
      if (CheckOf(slot.check) == check && slot.offset != kUnknown && PairAt(index, slot.offset, first, second, false))
        return slot;
    }
  }

  // A pair found at offset: the table keeps its first place, and whether it occurs once.
  void Insert(std::string_view index, std::uint64_t hash, std::string_view first, std::string_view second, std::uint32_t offset) {
    Slot& slot = SlotOf(index, hash, first, second);
    if (slot.offset == kEmpty) {
      slot = Slot{offset, CheckOf(hash) | kOnce};
      ++filled_;
    } else {
      slot.offset = std::min(slot.offset, offset);
      slot.check &= ~kOnce;
    }
  }

  // A pair that no longer stands at offset: one that stood only there leaves the table; where
  // offset was its first place and it stands elsewhere too, the place is now unknown.
  void Unlink(std::string_view index, std::uint64_t hash, std::string_view first, std::string_view second, std::uint32_t offset) {
    Slot& slot = SlotOf(index, hash, first, second);
    if (slot.offset != offset) return;
    if (slot.check & kOnce) {
      Remove(static_cast<std::size_t>(&slot - slots_.data()));
    } else {
      slot.offset = kUnknown;
    }
  }

  // Empties a slot, moving back the slots after it that may stand there, so that every slot
  // stays reachable from the one its probe starts at without crossing an empty one.
  void Remove(std::size_t hole) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = (hole + 1) & mask; slots_[s].offset != kEmpty; s = (s + 1) & mask) {
      const std::size_t start = slots_[s].check & mask;
      if (((s - start) & mask) >= ((s - hole) & mask)) {
        slots_[hole] = slots_[s];
        hole = s;
      }
    }
    slots_[hole] = Slot{};
    --filled_;
  }

  bool ready_ = false;
  std::vector<Slot> slots_;
  std::size_t filled_ = 0;  // slots not empty
};

}  // namespace orvo::ini
