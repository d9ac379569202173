#pragma once
// This program's readers of a file and its writes in place keep out of each other: a reader
// holds the file's shared lock while it looks for a journal and reads, a write in place the
// exclusive one while it changes the file's bytes (OpenFile::TryLock). So no reader of this
// program ever reads the file half-written by a living writer; one that a killed writer left
// half-written has its journal, which the reader plays back first.
#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/save_primitives.h"

namespace orvo::storage {

// How long a lock is waited for. Readers and writes in place hold it for as long as one read or
// one write takes; a holder that hangs is not waited for without end.
inline constexpr int kLockWaitMs = 10000;

// Takes the lock, trying again every few milliseconds; false where the wait ends without it.
bool WaitForTheLock(platform::OpenFile& file, bool exclusive);

// For a reader of the file at the path text, the step of its reading that comes with the file
// open and before anything of it is read (BeforeReading of platform/files.h): with the file's
// shared lock held, what a write in place that did not finish left is put right
// (RollBackUnfinishedWrite of Journal.h); unfinished gets the bytes the reader is to take
// instead of the file's, as that function gives them. Never throws.
platform::BeforeReading PutRightBeforeReading(const std::string& path, std::optional<std::string>& unfinished,
                                              platform::SavePrimitives& system = platform::SystemPrimitives());

}  // namespace orvo::storage
