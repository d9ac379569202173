#pragma once
// Reads of one file that fail, the way a failing disk makes them fail. Without a name set,
// which is how every run goes, every read goes through. A test names a file to see what a
// load that cannot read it leaves behind.
#include <optional>
#include <string>

namespace orvo::platform {

// Whether the reading of this path text (opened already) is to fail.
bool ReadFails(const std::string& path) noexcept;
// nullopt: no read fails.
void FailReadsOf(std::optional<std::string> path);

}  // namespace orvo::platform
