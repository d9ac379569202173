#pragma once
// Win32 only: a file's content replaced where it stands, for a file that a new file could not
// replace as it is (a second link, a long name, a folder that takes no new file, a file held
// open by a program that does not let it be replaced).
#include <windows.h>

#include <optional>
#include <string>

namespace orvo::platform::win32 {

// The old bytes go to a rollback journal (platform/journal.h) first; then the bytes beyond
// the old length are written, so that a full device fails before a byte of the old content
// changes; then the rest, the file is cut to the new length and flushed, and the journal
// removed. A failure after the first changed byte puts the old bytes back before it is
// reported; where that fails too, the journal stays, and the next reader of the file puts
// them back.
void WriteInPlace(const std::string& path, const std::string& bytes);

// RollBackUnfinishedWrite (platform/journal.h) for a path that ResolvedPath has given already,
// so that a save resolves its path once.
std::optional<std::string> RollBackUnfinishedWriteOf(const std::string& resolved) noexcept;

// The bytes from the start of the open file h, the file cut to their length and flushed: how
// a write in place ends, and how a journal's old bytes are put back.
void WriteAtAndCut(HANDLE h, const std::string& bytes);

}  // namespace orvo::platform::win32
