#include "platform/local_time.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/time.h>

#include <cctype>
#include <ctime>

namespace orvo::platform {
namespace {

// The separator of a date or time format: the first character of the format that is neither
// a conversion nor a letter.
std::string SeparatorOf(const std::string& format, const char* fallback) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%') {
      ++i;
      continue;
    }
    if (!std::isalnum(static_cast<unsigned char>(format[i])) && format[i] != ' ') return std::string(1, format[i]);
  }
  return fallback;
}

struct Separators {
  std::string date = "/";
  std::string time = ":";
};

// Both separators of the user's locale (LC_ALL, LC_TIME, LANG), from one loading of its data.
// Read once: the program never changes its locale, and loading the locale's data for every
// loader-log entry cost more than the rest of the entry.
const Separators& LocaleSeparators() {
  static const Separators separators = [] {
    Separators found;
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return found;
    found.date = SeparatorOf(nl_langinfo_l(D_FMT, locale), "/");
    found.time = SeparatorOf(nl_langinfo_l(T_FMT, locale), ":");
    freelocale(locale);
    return found;
  }();
  return separators;
}

}  // namespace

LocalDateTime Now() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm tm{};
  time_t seconds = tv.tv_sec;
  localtime_r(&seconds, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
          static_cast<int>(tv.tv_usec / 1000)};
}

std::string DateSeparator() { return LocaleSeparators().date; }
std::string TimeSeparator() { return LocaleSeparators().time; }
// Asked at each call, as the Windows build asks its regional settings: the time texts that
// show it are not written often enough for the locale's loading to matter.
std::string DecimalSeparator() {
  std::string point = ".";
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return point;
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  if (radix != nullptr && *radix != '\0') point = radix;
  freelocale(locale);
  return point;
}

}  // namespace orvo::platform
