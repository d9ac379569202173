#include "common/DateValue.h"

namespace orvo {
namespace {

// Days from 1 March of year 0 in the proleptic Gregorian calendar (civil-from-days inverse).
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}

}  // namespace

double ToDateValue(const platform::LocalDateTime& t) {
  const long kEpochOffset = 25569;  // 1899-12-30 to 1970-01-01
  double days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) + kEpochOffset);
  double fraction = (t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0) / 86400.0;
  // Before the zero date the fraction counts away from it, as date values do.
  return days >= 0 ? days + fraction : days - fraction;
}

double FileDateValue(std::optional<platform::LocalDateTime> lastModified) {
  if (!lastModified) return kZeroDate;
  lastModified->millisecond = 0;
  return ToDateValue(*lastModified);
}

}  // namespace orvo
