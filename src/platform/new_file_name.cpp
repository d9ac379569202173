#include "platform/new_file_name.h"

#include <string_view>

namespace orvo::platform {
namespace {

constexpr std::string_view kMark = ".orvo-new-";

// A whole number as std::to_string writes it: digits only, no sign, no blank, no leading zero.
std::optional<std::uint64_t> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 19 || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

}  // namespace

std::string NewFileName(const std::string& file, std::uint64_t process, unsigned attempt) {
  return file + std::string(kMark) + std::to_string(process) + "-" + std::to_string(attempt);
}

std::optional<std::uint64_t> NewFileMaker(const std::string& ownName, const std::string& fileOwnName) {
  const std::string_view name = ownName;
  if (name.substr(0, fileOwnName.size()) != fileOwnName || name.substr(fileOwnName.size(), kMark.size()) != kMark)
    return std::nullopt;
  const std::string_view numbers = name.substr(fileOwnName.size() + kMark.size());
  const auto dash = numbers.find('-');
  if (dash == std::string_view::npos || !Number(numbers.substr(dash + 1))) return std::nullopt;
  const auto process = Number(numbers.substr(0, dash));
  if (!process || *process == 0) return std::nullopt;
  return process;
}

}  // namespace orvo::platform
