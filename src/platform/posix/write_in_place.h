#pragma once
// POSIX only: a file's content replaced where it stands, for a file that a new file could not
// replace without changing what it is (a second link, another owner, a folder that takes no
// new file).
#include <string>

namespace orvo::platform::posix {

// The room for the new bytes is taken first, so that a full device fails before a byte
// changes; then the bytes are written, the file cut to their length and flushed. Until that
// flush the old bytes are kept elsewhere: in keptIn (a host path; a copy this save made) or
// else in a copy in the system's temporary folder. A failure after the first changed byte
// puts the old bytes back before it is reported; only when that fails too does the copy in
// the temporary folder stay, for the user.
void WriteInPlace(const std::string& target, const std::string& bytes, const std::string& keptIn);

}  // namespace orvo::platform::posix
