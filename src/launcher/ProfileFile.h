#pragma once
// Where the loader finds a profile and how it walks it: the file
// <own folder>\Profiles\<profile name>.bst, its sections "0", "1", "2", ... in that order, up
// to the first number the file has no section for. The loader and orvo's profile commands
// both read profiles through these, so a check cannot read a profile otherwise than a run.
#include <cstddef>
#include <functional>
#include <string>

namespace orvo {

class INIFile;

// The profile file a profile name stands for; the name is taken as it is, so "Race.bst"
// gives "Race.bst.bst".
std::string ProfileFilePath(const std::string& ownFolder, const std::string& profileName);

// Calls visit with each section the loader starts a program from, in start order: index 0
// for "0", and so on. Stops at the first number for which dbGetSection finds no section.
// A failure of visit passes to the caller.
void ForEachProfileSection(INIFile& profile,
                           const std::function<void(std::size_t index, const std::string& section)>& visit);

}  // namespace orvo
