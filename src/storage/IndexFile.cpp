#include "storage/IndexFile.h"

#include <cstdint>
#include <limits>

#include "platform/files.h"
#include "vocabulary/Failure.h"

namespace orvo::storage {

std::optional<std::string> IndexFileRefusal(const std::string& indexName, const std::string& iniName) {
  if (indexName == iniName) return "is the INI file itself";
  const auto kind = platform::KindOfName(indexName);
  if (!kind) return std::nullopt;
  if (*kind == platform::NameKind::Link) return "is a link";
  if (*kind != platform::NameKind::PlainFile) return "is no plain file";
  if (platform::SameFile(indexName, iniName)) return "is the INI file itself";
  return std::nullopt;
}

std::optional<std::string> ReadIndexFile(const std::string& indexName) {
  return failure::QuietDefault(std::optional<std::string>(), [&] {
    const auto content = platform::ReadFileBytesIfReadable(indexName, [](platform::OpenedKind kind, std::int64_t size) {
      if (kind != platform::OpenedKind::PlainFile || size > std::numeric_limits<std::int32_t>::max())
        throw OrvoError(OrvoError::Kind::InvalidArgument, "Not an index file");
    });
    return content ? std::optional(content->bytes) : std::nullopt;
  });
}

}  // namespace orvo::storage
