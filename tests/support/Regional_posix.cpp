#include <cstdlib>

#include "support/Regional.h"

namespace orvo::test {

DecimalSeparatorSet::DecimalSeparatorSet(const std::string& separator) {
  if (const char* found = std::getenv("LC_ALL")) found_ = found;
  ::setenv("LC_ALL", separator == "," ? "de_DE.UTF-8" : "C", 1);
}

DecimalSeparatorSet::~DecimalSeparatorSet() {
  if (found_) ::setenv("LC_ALL", found_->c_str(), 1);
  else ::unsetenv("LC_ALL");
}

}  // namespace orvo::test
