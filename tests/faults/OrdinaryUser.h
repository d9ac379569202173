#pragma once
// The permission faults need a user whom permissions stop. Where the suite runs as root (as
// CI does) the part of a test that meets the fault runs in a child process that has given
// up root for the user "nobody"; elsewhere the test's own user is an ordinary one already.
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
// Gives a folder and everything in it to the user AsOrdinaryUser runs as (nothing to do
// unless this process is root).
void GiveToOrdinaryUser(const std::filesystem::path& folder);

}  // namespace orvo::test
