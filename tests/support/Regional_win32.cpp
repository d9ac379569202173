#include <windows.h>

#include "support/Regional.h"

namespace orvo::test {

DecimalSeparatorSet::DecimalSeparatorSet(const std::string& separator) {
  char found[16] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, found, sizeof found) > 0) found_ = found;
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str());
}

DecimalSeparatorSet::~DecimalSeparatorSet() {
  if (found_) SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, found_->c_str());
}

}  // namespace orvo::test
