#include "storage/NewFileName.h"

#include <string_view>

namespace orvo::storage {
namespace {

constexpr std::string_view kPrefix = ".orvo-";
constexpr std::string_view kWriting = "new-", kReady = "ready-";

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

std::string NewFilePrefix(const std::string& fileOwnName) { return fileOwnName + std::string(kPrefix); }

std::string NewFileName(const std::string& file, std::uint64_t process, unsigned attempt, NewFileStage stage) {
  return NewFilePrefix(file) + std::string(stage == NewFileStage::Ready ? kReady : kWriting) + std::to_string(process) +
         "-" + std::to_string(attempt);
}

std::optional<NewFileMaker> MakerOfNewFile(const std::string& ownName, const std::string& fileOwnName) {
  const std::string prefix = NewFilePrefix(fileOwnName);
  std::string_view name = ownName;
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  NewFileStage stage = NewFileStage::Writing;
  if (name.starts_with(kReady)) stage = NewFileStage::Ready, name.remove_prefix(kReady.size());
  else if (name.starts_with(kWriting)) name.remove_prefix(kWriting.size());
  else return std::nullopt;
  const auto dash = name.find('-');
  if (dash == std::string_view::npos || !Number(name.substr(dash + 1))) return std::nullopt;
  const auto process = Number(name.substr(0, dash));
  if (!process || *process == 0) return std::nullopt;
  return NewFileMaker{*process, stage};
}

}  // namespace orvo::storage
