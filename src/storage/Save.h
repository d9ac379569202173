#pragma once
// Saving a player's file: the one policy, for every system. A save never loses the file and
// never leaves a mix of two texts at its name, whatever moment it is killed at; it keeps the
// file what it was (its kind, links, owner, group, mode, attributes); it leaves nothing beside
// it but what it was asked to make. Which way a save goes:
//
//   - a name that is no plain file (a device, a pipe) takes the bytes as it stands: it has no
//     content to lose;
//   - a file that a complete new file can take the place of unchanged in kind (one link, an
//     identity the new file can be given, a folder that takes a new file, a replace the system
//     allows) is replaced in one step by a new file holding the bytes (NewFile.h);
//   - any other is written in place under a rollback journal (WriteInPlace.h, Journal.h);
//   - a file not there yet is made as a complete new file that takes the free name.
//
// Before it writes, a save finishes what an earlier one left: a journal of a write in place is
// played back, and the new files of saves that did not finish are removed or, where one was
// complete and the name is empty, given the name (Leftovers.h). Names are path texts here.
#include <optional>
#include <string>

#include "platform/save_primitives.h"

namespace orvo::storage {

// What a save does with a read-only file: refuses it as an opening for writing would; writes
// it and leaves it writable; or writes it and leaves it read-only. Either way a save that ends
// part-way leaves it as it was.
enum class ReadOnlyFile { Refuse, MakeWritable, KeepReadOnly };

struct SaveAs {
  ReadOnlyFile readOnly = ReadOnlyFile::Refuse;
  // The file the saver read (SeenAs of save_primitives.h), or "" where it found none: a save
  // writes that file or none, and refuses (ChangedOnDisk) where the name leads to another file
  // by now, or to a file where none was, as an editor says that the file changed on disk. A
  // file gone since is made again. nullopt: a save that read nothing.
  std::optional<std::string> read;
  // A file whose readers a new file gets, none more (an index file those of its INI file's);
  // "" for the readers any new file of the user's gets.
  std::string readersOf;
};

// Gives the file as the save left it (SeenAs).
std::string ReplaceFileBytes(const std::string& path, const std::string& bytes, const SaveAs& as = {},
                             platform::SavePrimitives& system = platform::SystemPrimitives());

// A copy of a file under a new name, complete with the file's bytes, attributes and dates
// before it takes the name, and readable by no one the file is not; fails with kind
// AlreadyExists when the name is taken, and keeps that file as it is.
void CopyToNewFile(const std::string& from, const std::string& to,
                   platform::SavePrimitives& system = platform::SystemPrimitives());

// For a reader that found no file at the path text: whether a replace killed part-way had left
// the complete new text beside it, which now has the name. Never throws.
bool FinishInterruptedReplace(const std::string& path,
                              platform::SavePrimitives& system = platform::SystemPrimitives()) noexcept;

// The refusal of a save whose file is another one than the save looked at a moment before.
OrvoError ChangedOnDisk();

}  // namespace orvo::storage
