// The text of a rollback journal, the same on every platform: a first line naming what it
// is, the identity of the file, the length of the old bytes and a checksum of both, then the
// old bytes. A journal that a kill cut short, or that the device damaged, fails the length
// or the checksum and reads as none.
#include "platform/journal.h"

#include <charconv>

namespace orvo::platform {
namespace {

constexpr std::string_view kFirstLine = "orvo rollback journal 1\n";

// FNV-1a, 64 bits: cheap next to the writes it guards, and any cut or flipped byte shows.
std::uint64_t Checksum(const std::string& identity, const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const std::string* part : {&identity, &bytes})
    for (const unsigned char c : *part) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The line that starts at at (without its line end); at moves past it. nullopt at the end.
std::optional<std::string_view> Line(std::string_view text, std::size_t& at) {
  const auto end = text.find('\n', at);
  if (end == std::string_view::npos) return std::nullopt;
  const auto line = text.substr(at, end - at);
  at = end + 1;
  return line;
}

template <class Number>
std::optional<Number> NumberIn(std::string_view line, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value, base);
  if (error != std::errc() || end != line.data() + line.size() || line.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string JournalText(const JournalContent& content) {
  char checksum[17];
  const auto end = std::to_chars(checksum, checksum + 16, Checksum(content.identity, content.oldBytes), 16).ptr;
  std::string text(kFirstLine);
  text += content.identity + "\n" + std::to_string(content.oldBytes.size()) + "\n" + std::string(checksum, end) + "\n";
  return text + content.oldBytes;
}

std::optional<JournalContent> ReadJournalText(const std::string& text) {
  if (text.compare(0, kFirstLine.size(), kFirstLine) != 0) return std::nullopt;
  std::size_t at = kFirstLine.size();
  const auto identity = Line(text, at);
  const auto length = Line(text, at);
  const auto checksum = Line(text, at);
  if (!identity || !length || !checksum) return std::nullopt;
  const auto size = NumberIn<std::size_t>(*length, 10);
  const auto sum = NumberIn<std::uint64_t>(*checksum, 16);
  if (!size || !sum || text.size() - at != *size) return std::nullopt;
  JournalContent content{std::string(*identity), text.substr(at)};
  if (Checksum(content.identity, content.oldBytes) != *sum) return std::nullopt;
  return content;
}

}  // namespace orvo::platform
