#pragma once
// The user's regional decimal separator, set for the life of the object and put back after:
// on Windows in the user's regional settings, on POSIX through the locale of LC_ALL.
#include <string>

namespace orvo::test {

class DecimalSeparatorSetting {
 public:
  explicit DecimalSeparatorSetting(const std::string& separator);
  ~DecimalSeparatorSetting();
  DecimalSeparatorSetting(const DecimalSeparatorSetting&) = delete;
  DecimalSeparatorSetting& operator=(const DecimalSeparatorSetting&) = delete;

 private:
  std::string previous_;
  bool hadPrevious_ = false;
};

}  // namespace orvo::test
