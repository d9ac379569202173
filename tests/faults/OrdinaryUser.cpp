#include "faults/OrdinaryUser.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace orvo::test {

bool BecomeOrdinaryUser() {
  // Groups first, then the group, then the user: once the user is given up, the rest could
  // no longer be.
  return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                              ::setresuid(kNobody, kNobody, kNobody) == 0);
}

int AsOrdinaryUser(const std::function<int()>& part) {
  if (::geteuid() != 0) return part();
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    if (!BecomeOrdinaryUser()) ::_exit(254);
    try {
      ::_exit(part() & 0xff);
    } catch (...) {
      ::_exit(253);  // never back into the test program's own run
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) >= 253) throw std::runtime_error("the ordinary user's part did not end");
  return WEXITSTATUS(status);
}

void GiveToOrdinaryUser(const std::filesystem::path& folder) {
  if (::geteuid() != 0) return;
  if (::lchown(folder.c_str(), kNobody, kNobody) != 0) throw std::runtime_error("cannot give " + folder.string());
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) throw std::runtime_error("cannot give " + entry.path().string());
}

}  // namespace orvo::test
