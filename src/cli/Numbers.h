#pragma once
// Numbers written on the command line. The point is the decimal separator whatever the
// user's locale, so a batch file gives the same result on every machine.
#include <cstdint>
#include <string>

namespace orvo::cli {

// A decimal number such as "83.4567", "-2", "1e3", "inf" or "nan"; a leading '+' is
// allowed. Anything else, trailing characters included, is a UsageError naming what.
double ParseDouble(const std::string& text, const std::string& what);

// A whole number in the 32-bit signed range, in decimal digits with an optional sign.
std::int32_t ParseInt32(const std::string& text, const std::string& what);

// The shortest decimal text that reads back as the same double ("83.456", "0", "1e+300").
std::string ShortestText(double value);

}  // namespace orvo::cli
