#pragma once
// The name a save gives a new file beside the file it will become, where the system cannot
// make it without a name: "<file>.orvo-new-<process id>-<attempt>". The next save of that file
// removes such a name once its process has gone, and only a name this program makes: a file
// of the user's that merely looks like one ("p.ini.orvo-new-99998-my notes.txt") is theirs.
#include <cstdint>
#include <optional>
#include <string>

namespace orvo::platform {

std::string NewFileName(const std::string& file, std::uint64_t process, unsigned attempt);
// The process that made ownName as the new file of the file whose own name is fileOwnName;
// nullopt when ownName is not exactly such a name, each number written as NewFileName writes it.
std::optional<std::uint64_t> NewFileMaker(const std::string& ownName, const std::string& fileOwnName);

}  // namespace orvo::platform
