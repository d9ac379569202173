#pragma once
// Date values: days since 30 December 1899 00:00 local time, the fraction being the time of
// day. 0 is the zero date, meaning no date.
#include <optional>

#include "platform/local_time.h"

namespace orvo {

inline constexpr double kZeroDate = 0.0;

double ToDateValue(const platform::LocalDateTime& t);
// A file's last-modified time as FileDate gives it: whole seconds, as the file-system object
// reports them; the zero date when the time is not known.
double FileDateValue(std::optional<platform::LocalDateTime> lastModified);

}  // namespace orvo
