#include <windows.h>

#include "support/Regional.h"

namespace orvo::test {

void SetDecimalSeparator(const std::string& separator) {
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str());
}

}  // namespace orvo::test
