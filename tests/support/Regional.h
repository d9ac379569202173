#pragma once
// The user's regional decimal separator, "," or ".": on Windows in the user's regional
// settings, on POSIX through the locale of LC_ALL (tools/setup-debian.sh makes one with ",").
#include <optional>
#include <string>

namespace orvo::test {

// Sets the separator for as long as the object lives, then puts back what it found: on
// Windows that is a setting of the user's, which a test run must leave as it was.
class DecimalSeparatorSet {
 public:
  explicit DecimalSeparatorSet(const std::string& separator);
  ~DecimalSeparatorSet();

 private:
  std::optional<std::string> found_;  // nullopt: nothing was set
};

}  // namespace orvo::test
