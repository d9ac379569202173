#pragma once
// The rollback journal of a write in place. Before the first byte of a file changes, its old
// bytes (and the new ones it is to take) go to a journal that is on the device; the write
// follows, and removing the journal is what makes the write final. A journal that no running
// process holds belongs to a write that never finished (a killed program, a machine that went
// down): the next reader of the file puts the old bytes back before it reads, so every later
// reader sees the old bytes or the new ones, never a mix.
//
// Where it stands: beside the file, named "<file's own name>.orvo-journal", where the file's
// folder takes a new file; otherwise in the user's own journal folder, named
// "<identity>.orvo-journal" after the file's identity (its device and file number). These are
// the only names it takes; kJournalSuffix is the one place that spells them. A journal that
// another program's write of the file came after is set aside with kSetAsideSuffix after its
// name, for a person to look at.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/save_primitives.h"

namespace orvo::storage {

inline constexpr std::string_view kJournalSuffix = ".orvo-journal";
inline constexpr std::string_view kSetAsideSuffix = ".set-aside";

std::string JournalBeside(const std::string& target);
std::string JournalInOwnFolder(const std::string& folder, const std::string& identity);

// The journal of one write in place, made complete and on the device (its name too) by the
// constructor, which throws, leaving nothing behind, when none can be made. Its writer holds it
// while the object lives, so that a reader tells it from one whose writer has gone. Commit()
// removes it: the write is final. An object that goes without Commit() leaves the journal,
// for the next reader to put the old bytes back.
class RollbackJournal {
 public:
  // target: the file's host path, a link followed already; file: what it is.
  RollbackJournal(platform::SavePrimitives& system, const std::string& target, const platform::Node& file,
                  const std::string& oldBytes, const std::string& newBytes);
  RollbackJournal(const RollbackJournal&) = delete;
  RollbackJournal& operator=(const RollbackJournal&) = delete;
  void Commit();

 private:
  platform::SavePrimitives& system_;
  std::string name_;
  std::unique_ptr<platform::OpenFile> file_;
};

// For a reader of the file at target (a link followed already), before it reads: a journal of
// that file whose writer has gone has its old bytes put back and is removed. Gives the bytes
// the reader is to take instead of the file's own where the file may hold a mix: a journal
// that a running write holds, or one whose bytes this reader cannot put back. nullopt
// otherwise. Never throws. readerHoldsTheLock: the caller holds the file's shared lock
// (ReadersAndWriters.h), which keeps every other write out already; otherwise the old bytes
// go back under the exclusive one. playedBack, where given, is set when the file's bytes went back.
std::optional<std::string> RollBackUnfinishedWrite(platform::SavePrimitives& system, const std::string& target,
                                                   bool readerHoldsTheLock = false, bool* playedBack = nullptr) noexcept;

}  // namespace orvo::storage
