#pragma once
// A file's content replaced where it stands, for a file that a new file could not replace
// without changing what it is (a second link, another owner, an attribute that cannot be
// carried, a folder that takes no new file, a replace the system refuses, a read-only mark
// that a replace would not keep).
#include <string>

#include "platform/save_primitives.h"
#include "storage/Save.h"

namespace orvo::storage {

// The old bytes and the new go to a rollback journal first; then the room for the new bytes
// is taken, so that a full device fails before a byte changes; then the bytes are written, the
// file cut to their length and flushed, and the journal removed. A failure after the first
// changed byte puts the old bytes back before it is reported; where that fails too, the
// journal stays, and the next reader of the file puts them back. file: what target was when
// the save looked at it; a file that is another one by now is not written.
// Gives the file as the write left it (SeenAs).
std::string WriteInPlace(platform::SavePrimitives& system, const std::string& target, const platform::Node& file,
                         const std::string& bytes, ReadOnlyFile readOnly);

}  // namespace orvo::storage
