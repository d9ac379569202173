#pragma once
// The user's regional decimal separator, "," or ".": on Windows in the user's regional
// settings, on POSIX through the locale of LC_ALL (tools/setup-debian.sh makes one with ",").
#include <string>

namespace orvo::test {

void SetDecimalSeparator(const std::string& separator);

}  // namespace orvo::test
