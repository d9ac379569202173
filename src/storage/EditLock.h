#pragma once
// One editor of a file at a time: a lock that an editor holds for the whole read, change and
// save, so that two editors at once never lose one's edit. Nothing of it stays in the file's
// folder once the holder is gone, also when it was killed.
#include <memory>
#include <string>

#include "platform/save_primitives.h"

namespace orvo::storage {

class EditLock {
 public:
  // Takes the lock on the file the path text names (a file not there yet is locked through
  // its folder; a folder that is not there either takes no lock), trying again every few
  // milliseconds for up to waitMs while another holder has it; throws OrvoError when the wait
  // ends without it.
  EditLock(const std::string& path, int waitMs, platform::SavePrimitives& system = platform::SystemPrimitives());

 private:
  std::unique_ptr<platform::HeldLock> held_;
};

}  // namespace orvo::storage
