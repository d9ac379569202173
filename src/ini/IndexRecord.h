#pragma once
// The section index text and its lookup key.
//
// One record per entry line, in the order of the text:
//   CR LF NAME CR LF SECTION CR LF value CR LF position CR LF
// with name and section in upper case, the value as written, and the 1-based position at
// which the value starts in the text. A lookup is one plain substring search for the key
// CR LF NAME CR LF SECTION CR LF, and the first occurrence answers, also where it matches
// across the lines of two records. An index read from a file may not match the text at all:
// an edit checks the text at a record's position before it changes anything there
// (RecordCheck.h); a lookup answers from the index as it stands.
#include <bit>
#include <charconv>
#include <cstring>
#include <cstdint>
#include <string>
#include <string_view>

#include "ini/CharBlock.h"
#include "ini/NameWords.h"
#include "vocabulary/Failure.h"
#include "vocabulary/TextOps.h"

namespace orvo::ini {

inline constexpr std::string_view kCrLf = "\r\n";

inline void AppendUpper(std::string& out, std::string_view s) {
  const std::size_t at = out.size();
  out.append(s);
  for (std::size_t i = at; i < out.size(); ++i) out[i] = text::UpperAscii(out[i]);
}

// The length of the key CR LF NAME CR LF SECTION CR LF.
inline std::size_t LookupKeySize(std::string_view pSection, std::string_view pEntry) {
  return pEntry.size() + pSection.size() + 3 * kCrLf.size();
}

// The key CR LF NAME CR LF SECTION CR LF, in upper case as a whole, built where it is used:
// on the stack for names of up to about a hundred and twenty characters, so that a search
// allocates nothing for its key. (The line-pair table reads the names where they lie.)
class KeyBuffer {
 public:
  KeyBuffer(std::string_view pSection, std::string_view pEntry) {
    const std::size_t size = LookupKeySize(pSection, pEntry);
    // The key is written plainly, then upper-cased sixteen characters at a time; the room
    // after it is cleared so that the last block holds no letter.
    char* const key = size + kBlock <= sizeof local_ ? local_ : (heap_.resize(size + kBlock), heap_.data());
    char* out = key;
    const auto line = [&](std::string_view s) {
      *out++ = '\r';
      *out++ = '\n';
      std::memcpy(out, s.data(), s.size());
      out += s.size();
    };
    line(pEntry);
    line(pSection);
    *out++ = '\r';
    *out++ = '\n';
    std::memset(out, 0, kBlock);
    for (std::size_t i = 0; i < size; i += kBlock) CopyUpper(key + i, key + i);
    key_ = std::string_view(key, size);
    entrySize_ = pEntry.size();
  }
  KeyBuffer(const KeyBuffer&) = delete;
  KeyBuffer& operator=(const KeyBuffer&) = delete;

  std::string_view View() const { return key_; }
  // The entry's and the section's name inside the key, in upper case.
  std::string_view Entry() const { return key_.substr(kCrLf.size(), entrySize_); }
  std::string_view Section() const {
    return key_.substr(2 * kCrLf.size() + entrySize_, key_.size() - 3 * kCrLf.size() - entrySize_);
  }

 private:
  static constexpr std::size_t kBlock = kBlockSize;

  char local_[144];
  std::string heap_;
  std::string_view key_;
  std::size_t entrySize_ = 0;
};

inline std::string LookupKey(std::string_view pSection, std::string_view pEntry) {
  return std::string(KeyBuffer(pSection, pEntry).View());
}

// Appends one record; upperSection is already in upper case. The index builder writes its
// records through RecordWriter; this serves the records too long for its block.
inline void AppendRecord(std::string& index, std::string_view name, std::string_view upperSection,
                         std::string_view value, std::int32_t position) {
  char digits[16];
  const auto written = std::to_chars(digits, digits + sizeof digits, position);
  index.append(kCrLf);
  AppendUpper(index, name);
  index.append(kCrLf).append(upperSection).append(kCrLf).append(value).append(kCrLf);
  index.append(digits, written.ptr).append(kCrLf);
}

// The first CR LF at or after from (at most s.size()), as s.find(kCrLf, from) finds it. The
// lines of an index are short: their CR is looked for eight characters at a time, inline,
// instead of through a call.
inline std::size_t FindCrLf(std::string_view s, std::size_t from) {
  const char* const p = s.data();
  std::size_t at = from;
  for (;;) {
    if constexpr (std::endian::native == std::endian::little) {
      for (; at + 8 <= s.size(); at += 8) {
        // Every CR becomes a zero byte.
        if (const std::uint64_t zeros = ZeroBytes(LoadWord(p + at, 8) ^ (kEveryByte * '\r'))) {
          at += static_cast<std::size_t>(std::countr_zero(zeros)) / 8;
          break;
        }
      }
    }
    while (at < s.size() && p[at] != '\r') ++at;
    if (at + 1 >= s.size()) return std::string_view::npos;
    if (p[at + 1] == '\n') return at;
    ++at;
  }
}

// The line of the index that starts at offset from: up to the next CR LF. A line without a
// CR LF after it is a text operation with a negative length, an invalid argument.
inline std::string_view IndexLine(std::string_view index, std::size_t from) {
  const std::size_t stop = from <= index.size() ? FindCrLf(index, from) : std::string_view::npos;
  if (stop == std::string_view::npos) throw OrvoError::InvalidArgument();
  return index.substr(from, stop - from);
}

// The number on a position line: its leading decimal digits, 0 when there are none; one
// beyond the 32-bit whole numbers is an overflow.
inline std::int32_t PositionNumber(std::string_view line) {
  std::int64_t n = 0;
  for (char c : line) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > INT32_MAX) throw OrvoError::Overflow();
  }
  return static_cast<std::int32_t>(n);
}

// The value line of a record starts at valueFrom; the position line follows it.
inline std::int32_t RecordPosition(std::string_view index, std::size_t valueFrom) {
  const std::string_view value = IndexLine(index, valueFrom);
  return PositionNumber(IndexLine(index, valueFrom + value.size() + kCrLf.size()));
}

}  // namespace orvo::ini
