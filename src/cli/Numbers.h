#pragma once
// Numbers written on the command line. The point is the decimal separator whatever the
// user's locale, so a batch file gives the same result on every machine; the user's own
// separator is read as one too. Every argument is
// read whole: a member reads what it is given, so text after the number, or a character
// outside the digits a command names, would pass as some other number.
#include <cstdint>
#include <string>

namespace orvo::cli {

// Whether text reads whole as a decimal number: "83.4567", "-2", "-.5", "1e3", "-inf", "nan".
bool IsNumberText(const std::string& text);

// A finite decimal number such as "83.4567", "-.5" or "1e3"; a leading '+' is allowed.
// Anything else is a UsageError naming what; so is "inf" or "nan", for which the hex and
// time members have no text.
double ParseDouble(const std::string& text, const std::string& what);

// A whole number in the 32-bit signed range, in decimal digits with an optional sign.
std::int32_t ParseInt32(const std::string& text, const std::string& what);

// UsageError "<what> '<text>' is not a hex number" unless text is hex digits of either case
// only, at least one unless mayBeEmpty.
void RequireHexDigits(const std::string& text, const std::string& what, bool mayBeEmpty = false);

// UsageError "<what> '<text>' is not a binary number" unless text is one or more "0" and "1".
void RequireBinaryDigits(const std::string& text, const std::string& what);

// The shortest decimal text that reads back as the same double ("83.456", "0", "1e+300").
std::string ShortestText(double value);

}  // namespace orvo::cli
