#pragma once
// One editor of a file at a time: a lock that an editor holds for the whole read, change and
// save, so that two editors at once never lose one's edit. Nothing of it stays in the file's
// folder once the holder is gone, also when it was killed.
#include <cstdint>
#include <string>

namespace orvo::platform {

class EditLock {
 public:
  // Takes the lock on the file the path text names (a file not there yet is locked through
  // its folder; a folder that is not there either takes no lock), waiting up to waitMs for
  // another holder to let it go; throws OrvoError when the wait ends without it.
  EditLock(const std::string& path, int waitMs);
  ~EditLock();
  EditLock(const EditLock&) = delete;
  EditLock& operator=(const EditLock&) = delete;

 private:
  std::intptr_t handle_;
};

}  // namespace orvo::platform
