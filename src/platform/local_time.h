#pragma once
// The local clock and the user's regional separators.
#include <string>

namespace orvo::platform {

struct LocalDateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  int millisecond = 0;
};

LocalDateTime Now();
// Regional settings: "/" and ":" with the usual English settings.
std::string DateSeparator();
std::string TimeSeparator();
// The user's decimal separator: "." with the usual English settings.
std::string DecimalSeparator();

}  // namespace orvo::platform
