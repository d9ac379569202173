#pragma once
// The rollback journal of a write in place. Before the first byte of a file changes, its old
// bytes go to a journal that is on the device; the write follows, and removing the journal
// is what makes the write final. A journal that no running process holds belongs to a write
// that never finished (a killed program, a machine that went down): the next binding of the
// file puts the old bytes back before it reads, so every later reader sees the old bytes or
// the new ones, never a mix.
//
// The journal stands beside the file, named "<file's own name>.orvo-journal", where the
// file's folder takes a new file; otherwise in the user's own journal folder, named
// "<identity>.orvo-journal" by the file's identity (its device and file number). These are
// the only names it makes; kJournalSuffix is the one place that spells them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo::platform {

inline constexpr std::string_view kJournalSuffix = ".orvo-journal";

// What a journal holds: the identity of the file it was written for and that file's old
// bytes. The text carries its own length and checksum, so a journal cut short by a kill
// reads as none (the file was not touched yet then).
struct JournalContent {
  std::string identity;
  std::string oldBytes;
};
std::string JournalText(const JournalContent& content);
std::optional<JournalContent> ReadJournalText(const std::string& text);

// The journal of one write in place, made complete and flushed to the device (its name too)
// by the constructor, which throws, leaving nothing behind, when none can be made. It is held
// while the object lives, so a reader can tell it from one whose writer has gone. Commit()
// removes it: the write is final. An object that goes without Commit() leaves the journal,
// for the next binding to put the old bytes back.
class RollbackJournal {
 public:
  // hostTarget is the file's host path (a link followed already), oldBytes its content.
  RollbackJournal(const std::string& hostTarget, const std::string& oldBytes);
  ~RollbackJournal();
  RollbackJournal(const RollbackJournal&) = delete;
  RollbackJournal& operator=(const RollbackJournal&) = delete;
  void Commit();

 private:
  std::string name_;
  std::intptr_t handle_;
};

// For a reader of the path text, before it reads: a journal of that file whose writer has
// gone has its old bytes put back and is removed. Gives the bytes the reader is to take
// instead of the file's own where the file may hold a mix: a journal that a running write
// holds, or one whose bytes this reader may not put back. nullopt otherwise. Never throws.
std::optional<std::string> RollBackUnfinishedWrite(const std::string& path) noexcept;

}  // namespace orvo::platform
