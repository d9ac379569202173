#include "platform/local_time.h"

#include <windows.h>

namespace orvo::platform {
namespace {
std::string LocaleText(LCTYPE item, const char* fallback) {
  char buffer[16];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : fallback;
}
}  // namespace

LocalDateTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::string DateSeparator() { return LocaleText(LOCALE_SDATE, "/"); }
std::string TimeSeparator() { return LocaleText(LOCALE_STIME, ":"); }
std::string DecimalSeparator() { return LocaleText(LOCALE_SDECIMAL, "."); }

}  // namespace orvo::platform
