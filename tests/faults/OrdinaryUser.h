#pragma once
// The permission faults need a user whom permissions stop: as root (as in CI) the part of a
// test that meets the fault runs as "nobody"; elsewhere the test's own user is one already.
#include <sys/types.h>

#include <filesystem>
#include <functional>

namespace orvo::test {

inline constexpr uid_t kNobody = 65534;

// Makes this process the ordinary user, for good; true when it is one.
bool BecomeOrdinaryUser();
// Runs part as an ordinary user and returns what it returned (0 to 255); in a child process
// when this one is root, so that part's results come back only through that number.
int AsOrdinaryUser(const std::function<int()>& part);
// Gives a folder and everything in it to that user (nothing to do unless this process is root).
void GiveToOrdinaryUser(const std::filesystem::path& folder);

}  // namespace orvo::test
