#include "platform/read_faults.h"

#include <utility>

namespace orvo::platform {
namespace {

std::optional<std::string>& FailingPath() noexcept {
  static std::optional<std::string> path;
  return path;
}

}  // namespace

bool ReadFails(const std::string& path) noexcept { return FailingPath() == path; }

void FailReadsOf(std::optional<std::string> path) { FailingPath() = std::move(path); }

}  // namespace orvo::platform
