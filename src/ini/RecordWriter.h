#pragma once
// Writes the records of a whole index build: the same bytes as AppendRecord, record after
// record, straight into the index text. Appending five small pieces per record to a string
// costs more than the rest of the build together; here the short pieces are copied sixteen
// characters at a time into room that is known to be there: the index is lengthened a step at
// a time ahead of the records, and cut back to what they fill when the writer is done.
//
// The only failure that can stop a build midway, running out of memory while lengthening the
// index, leaves the index holding the records written before it.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "ini/CharBlock.h"
#include "ini/IndexRecord.h"
#include "vocabulary/TextOps.h"

namespace orvo::ini {

class RecordWriter {
 public:
  // Names and values lie in text, which may be read up to its end in whole blocks.
  RecordWriter(std::string& index, std::string_view text)
      : index_(index), textEnd_(text.data() + text.size()), out_(index.data() + index.size()),
        roomEnd_(out_) {
    SetSection({});  // records before the first header have none
  }
  ~RecordWriter() { Finish(); }
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  // The section of the records that follow, upper-cased once here, with the line ends before
  // and after it, which every record writes around it.
  void SetSection(std::string_view name) {
    section_.assign(kCrLf);
    for (char c : name) section_ += text::UpperAscii(c);
    section_.append(kCrLf);
    sectionLength_ = section_.size();
    section_.append(kSlack, ' ');  // so that it can be copied in whole blocks of sixteen
  }

  // name and value lie on one line of the text, the name before the value.
  void Append(std::string_view name, std::string_view value, std::int32_t position) {
    const std::size_t most = kMostBeside + sectionLength_ + name.size() + value.size();
    if (static_cast<std::size_t>(roomEnd_ - out_) < most) Room(most);
    char* out = LineEnd(out_);
    // The value ends after the name, so the slack after the value is the name's too. (One
    // branch for the three pieces measured faster than one per piece.)
    if (HasSlack(value)) {
      for (std::size_t i = 0; i < name.size(); i += kSlack) CopyUpper(out + i, name.data() + i);
      out += name.size();
      out = Blocks(out, section_.data(), sectionLength_);
      out = Blocks(out, value.data(), value.size());
    } else {
      for (char c : name) *out++ = text::UpperAscii(c);
      out = Blocks(out, section_.data(), sectionLength_);
      std::memcpy(out, value.data(), value.size());
      out += value.size();
    }
    out = LineEnd(out);
    out = Digits(out, static_cast<std::uint32_t>(position));
    out_ = LineEnd(out);
  }

  // Cuts the index to the records; call once after the last record.
  void Finish() { index_.resize(Used()); }

 private:
  static constexpr std::size_t kSlack = kBlockSize;
  // The most a record writes beside its name, section and value: three line ends, the
  // position's digits (up to ten, eight written at once) and each piece's overrun of a block.
  static constexpr std::size_t kMostBeside = 3 * kCrLf.size() + 11 + 3 * kSlack;
  // How far the index is lengthened ahead of the records: the room is written twice (zeros,
  // then records) while it is still in the processor's first cache. A page at a time: steps of
  // 32 KiB, which pushed the text out of that cache, made a game's whole index build a tenth
  // slower (steps of 1 to 8 KiB measured alike).
  static constexpr std::size_t kStep = 4096;

  std::size_t Used() const { return static_cast<std::size_t>(out_ - index_.data()); }
  // Lengthens the index so that at least need characters follow the records written.
  void Room(std::size_t need) {
    const std::size_t used = Used();
    if (used + need > index_.size()) index_.resize(std::max(used + need, index_.size() + kStep));
    out_ = index_.data() + used;
    roomEnd_ = index_.data() + index_.size();
  }
  // Whether the text holds kSlack readable characters after a piece of it.
  bool HasSlack(std::string_view piece) const {
    return piece.size() + kSlack <= static_cast<std::size_t>(textEnd_ - piece.data());
  }
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
  // The decimal digits of n at out, without leading zeros; returns their end. Below 10^8 (a
  // text of up to 95 MiB) the eight digits are worked out side by side in one word, each in
  // its own byte, the first digit in the lowest; the leading zeros are then shifted out.
  // Eight characters are written, of which the digits are the first (a little-endian word).
  static char* Digits(char* out, std::uint32_t n) {
    if (std::endian::native != std::endian::little || n == 0 || n >= 100000000)
      return std::to_chars(out, out + 10, n).ptr;
    std::uint64_t v = (n / 10000) | (std::uint64_t{n % 10000} << 32);        // two halves of four digits
    const std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007F0000007Full;  // each half / 100
    v = hundreds | ((v - hundreds * 100) << 16);                             // four pairs of two digits
    const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000Full;        // each pair / 10
    v = tens | ((v - tens * 10) << 8);                                       // eight digits
    const int zeros = std::countr_zero(v) / 8;
    v = (v >> (8 * zeros)) + 0x3030303030303030ull;
    std::memcpy(out, &v, sizeof v);
    return out + 8 - zeros;
  }
  std::string& index_;
  const char* textEnd_;
  std::string section_;          // CR LF, the section in upper case, CR LF, and slack
  std::size_t sectionLength_ = 0;  // without the slack
  char* out_;      // where the next record goes
  char* roomEnd_;  // the end of the room made for records
};

}  // namespace orvo::ini
