#pragma once
// A read-only file made writable for as long as a write needs to open it, and read-only again
// when the object goes, whatever happens in between; a file that was not read-only is left as
// it is.
#include <string>

#include "platform/save_primitives.h"

namespace orvo::storage {

class ReadOnlyLift {
 public:
  ReadOnlyLift(platform::SavePrimitives& system, const std::string& name, bool readOnly)
      : system_(system), name_(name), lifted_(readOnly) {
    if (lifted_) system_.SetReadOnly(name_, false);
  }
  ~ReadOnlyLift() {
    if (lifted_) failure::Quietly([&] { system_.SetReadOnly(name_, true); });
  }
  ReadOnlyLift(const ReadOnlyLift&) = delete;
  ReadOnlyLift& operator=(const ReadOnlyLift&) = delete;
  // The file's mark from here on: read-only now, or writable as it stands. An opening made
  // while it was writable goes on writing either way.
  void Settle(bool readOnly) {
    if (readOnly) system_.SetReadOnly(name_, true);
    lifted_ = false;
  }

 private:
  platform::SavePrimitives& system_;
  std::string name_;
  bool lifted_;
};

}  // namespace orvo::storage
