#include "storage/JournalText.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

namespace orvo::storage {
namespace {

constexpr std::string_view kFirstLine = "orvo rollback journal 2\n";
// The largest text of a file the engine holds: its positions are 32-bit whole numbers.
constexpr std::size_t kLargestText = std::numeric_limits<std::int32_t>::max();

// FNV-1a, 64 bits: cheap next to the writes it guards, and any cut or flipped byte shows.
std::uint64_t Checksum(std::string_view head, std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const std::string_view part : {head, bytes})
    for (const unsigned char c : part) hash = (hash ^ c) * 1099511628211ull;
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

// Everything of the head but the checksum, which covers it.
std::string Fields(const JournalContent& content) {
  return std::string(kFirstLine) + content.identity + "\n" + std::to_string(content.oldBytes.size()) + "\n" +
         std::to_string(content.newBytes.size()) + "\n" + (content.wasReadOnly ? "1" : "0") + "\n";
}

std::string Hex(std::uint64_t value) {
  char text[17];
  return std::string(text, std::to_chars(text, text + 16, value, 16).ptr);
}

}  // namespace

std::string JournalText(const JournalContent& content) {
  const std::string fields = Fields(content);
  const std::string bytes = content.oldBytes + content.newBytes;
  return fields + Hex(Checksum(fields, bytes)) + "\n" + bytes;
}

std::optional<JournalHead> ReadJournalHead(const std::string& first) {
  if (!std::string_view(first).starts_with(kFirstLine)) return std::nullopt;
  std::size_t at = kFirstLine.size();
  std::optional<std::string_view> lines[5];
  for (auto& line : lines)
    if (!(line = Line(first, at))) return std::nullopt;
  const auto oldLength = NumberIn<std::size_t>(*lines[1], 10), newLength = NumberIn<std::size_t>(*lines[2], 10);
  if (!oldLength || !newLength || *oldLength > kLargestText || *newLength > kLargestText) return std::nullopt;
  if ((*lines[3] != "0" && *lines[3] != "1") || !NumberIn<std::uint64_t>(*lines[4], 16)) return std::nullopt;
  return JournalHead{at, *oldLength, *newLength};
}

std::optional<JournalContent> ReadJournalText(const std::string& head, const std::string& rest) {
  const auto lengths = ReadJournalHead(head);
  if (!lengths || head.size() != lengths->headLength || rest.size() != lengths->oldLength + lengths->newLength)
    return std::nullopt;
  std::size_t at = kFirstLine.size();
  JournalContent content;
  content.identity = std::string(*Line(head, at));
  Line(head, at), Line(head, at);
  content.wasReadOnly = *Line(head, at) == "1";
  const std::size_t fieldsEnd = at;
  if (Checksum(std::string_view(head).substr(0, fieldsEnd), rest) != *NumberIn<std::uint64_t>(*Line(head, at), 16))
    return std::nullopt;
  content.oldBytes = rest.substr(0, lengths->oldLength);
  content.newBytes = rest.substr(lengths->oldLength);
  return content;
}

}  // namespace orvo::storage
