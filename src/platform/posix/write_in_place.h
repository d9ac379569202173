#pragma once
// POSIX only: a file's content replaced where it stands, for a file that a new file could not
// replace without changing what it is (a second link, another owner, an attribute that cannot
// be carried over, a folder that takes no new file, a replace the system refuses).
#include <optional>
#include <string>

namespace orvo::platform::posix {

// The old bytes go to a rollback journal (platform/journal.h) first; then the room for the
// new bytes is taken, so that a full device fails before a byte changes; then the bytes are
// written, the file cut to their length and flushed, and the journal removed. A failure after
// the first changed byte puts the old bytes back before it is reported; where that fails too,
// the journal stays, and the next reader of the file puts them back.
void WriteInPlace(const std::string& target, const std::string& bytes);

// RollBackUnfinishedWrite (platform/journal.h) for a path that ResolvedHostPath has given
// already, so that a save resolves its path once.
std::optional<std::string> RollBackUnfinishedWriteOf(const std::string& target) noexcept;

// The bytes from the start of the open file fd, the file cut to their length and flushed: how
// a write in place ends, and how a journal's old bytes are put back.
void WriteAtAndCut(int fd, const std::string& bytes);

}  // namespace orvo::platform::posix
