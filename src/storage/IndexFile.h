#pragma once
// The rules of an index file, the text that the engine derives from an INI file and writes
// under a name that the INI file's name gives and nobody chose: so it is written only as a
// plain file of its own, never through a link to somewhere else, never onto a device, a pipe
// or a folder, and never onto the INI file itself, whose text it would replace.
#include <optional>
#include <string>

namespace orvo::storage {

// Why indexName may not be written as the index file of iniName ("is a link", ...), or nullopt
// where it may: a plain file, or no file yet.
std::optional<std::string> IndexFileRefusal(const std::string& indexName, const std::string& iniName);

// The content of indexName where it can be read as an index file: a plain file that opens for
// reading, whose text fits the 2,147,483,647 characters of a text. Any other (a device, a pipe,
// a file that cannot be read) is an unreadable index file, nullopt, which is no failure: the
// index is built from the text instead. Nothing of such a file is read. The bytes are those that
// ReadWholeFile gives, from an opening that never creates the file nor waits on it; a link is
// followed, as for any file the engine reads (a lookup changes no file).
std::optional<std::string> ReadIndexFile(const std::string& indexName);

}  // namespace orvo::storage
