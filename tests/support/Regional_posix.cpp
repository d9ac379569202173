#include <cstdlib>
#include <stdexcept>

#include "support/Regional.h"

namespace orvo::test {

// A comma needs a locale that has one; tools/setup-debian.sh generates de_DE.UTF-8.
DecimalSeparatorSetting::DecimalSeparatorSetting(const std::string& separator) {
  if (const char* old = std::getenv("LC_ALL")) {
    previous_ = old;
    hadPrevious_ = true;
  }
  if (separator == ",") ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  else if (separator == ".") ::setenv("LC_ALL", "C", 1);
  else throw std::invalid_argument("no locale with the separator " + separator);
}

DecimalSeparatorSetting::~DecimalSeparatorSetting() {
  if (hadPrevious_) ::setenv("LC_ALL", previous_.c_str(), 1);
  else ::unsetenv("LC_ALL");
}

}  // namespace orvo::test
