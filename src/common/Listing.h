#pragma once
// The members' view of the platform's directory listing: the whole listing read to its end
// (the program has one listing cursor, so nothing else may list while it is open), without
// the names that begin with a point once leading and trailing spaces are removed.
#include <string>
#include <vector>

namespace orvo {

enum class ListedKind { PlainFiles, Subdirectories };

// pattern: a directory path text followed by a file pattern. Throws OrvoError when the
// directory cannot be read.
std::vector<std::string> ListNames(const std::string& pattern, ListedKind kind);

}  // namespace orvo
