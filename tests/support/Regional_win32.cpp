#include <windows.h>

#include "support/Regional.h"

namespace orvo::test {

DecimalSeparatorSetting::DecimalSeparatorSetting(const std::string& separator) {
  char old[8] = {};
  hadPrevious_ = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old, sizeof old) > 0;
  previous_ = old;
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str());
}

DecimalSeparatorSetting::~DecimalSeparatorSetting() {
  if (hadPrevious_) SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_.c_str());
}

}  // namespace orvo::test
