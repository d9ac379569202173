#pragma once
// The platform's directory listing by pattern. The program has one listing cursor: a new
// Start abandons the listing that was being read, so a member reads its listing to the end
// before anything else lists.
#include <optional>
#include <string>

namespace orvo::platform {

struct ListedName {
  std::string name;  // without its directory
  bool isDirectory = false;
};

// pattern: a directory path text followed by a file pattern ('*' any run, '?' one
// character), for example 'C:\Update\*.ini'. Lists plain files, and directories too when
// asked; hidden and system files are never listed. A directory that does not exist lists
// nothing; throws OrvoError when an existing directory cannot be read.
void StartListing(const std::string& pattern, bool includeDirectories);
// The next name in the platform's order, or nullopt at the end.
std::optional<ListedName> NextListed();

}  // namespace orvo::platform
