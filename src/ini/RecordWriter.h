#pragma once
// Writes the records of a whole index build: the same bytes as AppendRecord, record after
// record, but gathered in a block on the stack and appended to the index a block at a time.
// Appending five small pieces per record to the index costs more than the rest of the build
// together; in the block, the short pieces are copied sixteen characters at a time into room
// that is known to be there.
//
// Records reach the index when their block is appended (at the latest by Finish); the only
// failure that can stop a build midway, running out of memory while appending, leaves the
// blocks appended before it.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "ini/IndexRecord.h"
#include "vocabulary/TextOps.h"

namespace orvo::ini {

class RecordWriter {
 public:
  // Names and values lie in text, which may be read up to its end in whole blocks.
  RecordWriter(std::string& index, std::string_view text) : index_(index), textEnd_(text.data() + text.size()) {}
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  // The section of the records that follow, upper-cased once here.
  void SetSection(std::string_view name) {
    section_.assign(name);
    for (char& c : section_) c = text::UpperAscii(c);
    sectionLength_ = section_.size();
    section_.append(kSlack, ' ');  // so that it can be copied in whole blocks of sixteen
  }

  void Append(std::string_view name, std::string_view value, std::int32_t position) {
    const std::size_t most = 5 * kCrLf.size() + name.size() + sectionLength_ + value.size() + 11 + 2 * kSlack;
    if (used_ + most > sizeof block_) {
      Flush();
      if (most > sizeof block_) {
        AppendRecord(index_, name, std::string_view(section_.data(), sectionLength_), value, position);
        return;
      }
    }
    char* out = block_ + used_;
    out = LineEnd(out);
    for (char c : name) *out++ = text::UpperAscii(c);
    out = LineEnd(out);
    out = Blocks(out, section_.data(), sectionLength_);
    out = LineEnd(out);
    if (value.size() + kSlack <= static_cast<std::size_t>(textEnd_ - value.data())) {
      out = Blocks(out, value.data(), value.size());
    } else {
      std::memcpy(out, value.data(), value.size());
      out += value.size();
    }
    out = LineEnd(out);
    out = std::to_chars(out, out + 11, position).ptr;
    out = LineEnd(out);
    used_ = static_cast<std::size_t>(out - block_);
  }

  // Appends what the block holds; call once after the last record.
  void Finish() { Flush(); }

 private:
  static constexpr std::size_t kSlack = 16;

  static char* LineEnd(char* out) {
    out[0] = '\r';
    out[1] = '\n';
    return out + 2;
  }
  // Copies n characters of a source that has kSlack readable characters after them; the
  // copy may write up to kSlack characters past the n, which the next piece overwrites.
  static char* Blocks(char* out, const char* from, std::size_t n) {
    for (std::size_t i = 0; i < n; i += kSlack) std::memcpy(out + i, from + i, kSlack);
    return out + n;
  }
  void Flush() {
    index_.append(block_, used_);
    used_ = 0;
  }

  std::string& index_;
  const char* textEnd_;
  std::string section_;
  std::size_t sectionLength_ = 0;
  std::size_t used_ = 0;
  char block_[16384];
};

}  // namespace orvo::ini
