#include "cli/Numbers.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "cli/Outcome.h"
#include "platform/local_time.h"

namespace orvo::cli {
namespace {

// from_chars takes no '+', but users write one.
std::string_view WithoutPlus(const std::string& text) {
  std::string_view digits = text;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  return digits;
}

// text as the user wrote it is what a refusal shows; read is what is read.
template <class T>
T Parse(const std::string& text, const std::string& what, const char* kind, const std::string& read) {
  const std::string_view digits = WithoutPlus(read);
  T value{};
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range)
    throw UsageError(what + " '" + text + "' is out of range for " + kind);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
    throw UsageError(what + " '" + text + "' is not " + kind);
  return value;
}

void RequireDigits(const std::string& text, std::string_view digits, bool mayBeEmpty, const std::string& what,
                   const char* kind) {
  if ((text.empty() && !mayBeEmpty) || text.find_first_not_of(digits) != std::string::npos)
    throw UsageError(what + " '" + text + "' is not " + kind);
}

// The user's own decimal separator read as the point, once, in a text without a point: a
// player on a machine set to "," writes 0,75 as the time members write their fractions.
std::string WithPoint(const std::string& text) {
  const std::string separator = platform::DecimalSeparator();
  const auto at = separator.empty() || separator == "." || text.find('.') != std::string::npos
                      ? std::string::npos
                      : text.find(separator);
  if (at == std::string::npos || text.find(separator, at + separator.size()) != std::string::npos) return text;
  return text.substr(0, at) + "." + text.substr(at + separator.size());
}

}  // namespace

bool IsNumberText(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && end == text.data() + text.size() && error != std::errc::invalid_argument;
}

double ParseDouble(const std::string& text, const std::string& what) {
  const double value = Parse<double>(text, what, "a number", WithPoint(text));
  if (!std::isfinite(value)) throw UsageError(what + " '" + text + "' is not a finite number");
  return value;
}

std::int32_t ParseInt32(const std::string& text, const std::string& what) {
  return Parse<std::int32_t>(text, what, "a 32-bit whole number", text);
}

void RequireHexDigits(const std::string& text, const std::string& what, bool mayBeEmpty) {
  RequireDigits(text, "0123456789ABCDEFabcdef", mayBeEmpty, what, "a hex number");
}

void RequireBinaryDigits(const std::string& text, const std::string& what) {
  RequireDigits(text, "01", false, what, "a binary number");
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace orvo::cli
