#pragma once
// What the loader's system calls take of a name. The Windows loader reads its command line,
// its own folder and its profile's paths through the ANSI code page, and its file and
// process calls take paths of MAX_PATH - 1 characters at most; a name outside either limit
// reaches no file. POSIX takes names as bytes.
#include <cstddef>
#include <string>

namespace orvo::platform {

// The longest path text the loader's file and process calls take.
std::size_t LongestLoaderPath();

// Whether the folder of this program can be named in the ANSI code page (POSIX: always).
bool OwnFolderFitsCodePage();

// Whether the argument of this program's command line that reads as argument was given
// without characters outside the ANSI code page, which the system replaces by others before
// the program reads it (POSIX: always).
bool ArgumentFitsCodePage(const std::string& argument);

// Bytes saved as UTF-8, as the loader's calls read them, shown as UTF-8: on Windows each byte
// is one character of the ANSI code page ("é" becomes "Ã©" under code page 1252); on POSIX,
// where names are bytes, the text itself.
std::string Utf8AsTheLoaderReadsIt(const std::string& utf8);

}  // namespace orvo::platform
