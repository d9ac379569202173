#pragma once
// The old bytes of a file that is written in place, kept in a copy in the system's temporary
// folder until the new bytes are on the device. The copy goes with the object, unless Keep()
// was called: a write whose undoing failed too leaves it, for the user.
#include <string>

namespace orvo::platform {

// Each platform's part: a new file in the system's temporary folder holding the bytes, flushed
// to the device (nothing is left behind when that fails), and its removal.
std::string WriteTemporaryCopy(const std::string& bytes);
void RemoveTemporaryCopy(const std::string& name) noexcept;

class KeptCopy {
 public:
  explicit KeptCopy(const std::string& bytes) : name_(WriteTemporaryCopy(bytes)) {}
  ~KeptCopy() {
    if (!kept_) RemoveTemporaryCopy(name_);
  }
  KeptCopy(const KeptCopy&) = delete;
  KeptCopy& operator=(const KeptCopy&) = delete;
  void Keep() { kept_ = true; }

 private:
  std::string name_;
  bool kept_ = false;
};

}  // namespace orvo::platform
