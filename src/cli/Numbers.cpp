#include "cli/Numbers.h"

#include <charconv>
#include <system_error>

#include "cli/Outcome.h"

namespace orvo::cli {
namespace {

// from_chars takes no '+', but users write one.
std::string_view WithoutPlus(const std::string& text) {
  std::string_view digits = text;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  return digits;
}

template <class T>
T Parse(const std::string& text, const std::string& what, const char* kind) {
  const std::string_view digits = WithoutPlus(text);
  T value{};
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range)
    throw UsageError(what + " '" + text + "' is out of range for " + kind);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
    throw UsageError(what + " '" + text + "' is not " + kind);
  return value;
}

}  // namespace

double ParseDouble(const std::string& text, const std::string& what) {
  return Parse<double>(text, what, "a number");
}

std::int32_t ParseInt32(const std::string& text, const std::string& what) {
  return Parse<std::int32_t>(text, what, "a 32-bit whole number");
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace orvo::cli
