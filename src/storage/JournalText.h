#pragma once
// The text of a rollback journal, the same on every system: a head that names what it is, the
// identity of the file it was written for, the lengths of the file's old bytes and of the new
// bytes the write was making of it, whether the file was read-only, and a checksum of all of
// it; then the old bytes and the new. A journal that a kill cut short, or that the device
// damaged, fails a length or the checksum and reads as none.
#include <cstdint>
#include <optional>
#include <string>

namespace orvo::storage {

struct JournalContent {
  std::string identity;
  std::string oldBytes;
  std::string newBytes;
  bool wasReadOnly = false;
};

std::string JournalText(const JournalContent& content);

// The head's own length and the lengths it gives, read from the first bytes of a journal
// (kHeadRoom of them are enough); nullopt where they are no journal's head, or name a text
// larger than a file the engine holds.
struct JournalHead {
  std::size_t headLength, oldLength, newLength;
};
inline constexpr std::size_t kHeadRoom = 160;
std::optional<JournalHead> ReadJournalHead(const std::string& first);
// The whole journal, from its head and the bytes after it; nullopt where it fails the checksum.
std::optional<JournalContent> ReadJournalText(const std::string& head, const std::string& rest);

}  // namespace orvo::storage
