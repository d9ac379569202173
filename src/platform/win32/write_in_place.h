#pragma once
// Win32 only: a file's content replaced where it stands, for a file that a new file could not
// replace as it is (a second link, a long name, a folder that takes no new file, a file held
// open by a program that does not let it be replaced).
#include <string>

namespace orvo::platform::win32 {

// The bytes beyond the old length are written first, so that a full device fails before a
// byte of the old content changes (the file is cut back then); then the rest is written, the
// file cut to the new length and flushed. Until that flush the old bytes are kept elsewhere:
// in keptIn (a copy this save made) or else in a copy in the system's temporary folder. A
// failure after the first changed byte puts the old bytes back before it is reported; only
// when that fails too does the copy in the temporary folder stay, for the user.
void WriteInPlace(const std::string& path, const std::string& bytes, const std::string& keptIn);

}  // namespace orvo::platform::win32
