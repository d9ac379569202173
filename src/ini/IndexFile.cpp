#include "ini/IndexFile.h"

#include <cstdint>
#include <limits>

#include "common/OrvoCommon.h"
#include "platform/files.h"

namespace orvo::ini {

std::string IndexFileName(const std::string& iniName) { return Common().FilePart(iniName) + ".gix"; }

std::optional<std::string> IndexFileRefusal(const std::string& indexName, const std::string& iniName) {
  if (indexName == iniName) return "is the INI file itself";
  const auto kind = platform::KindOfName(indexName);
  if (!kind) return std::nullopt;
  if (*kind == platform::NameKind::Link) return "is a link";
  if (*kind != platform::NameKind::PlainFile) return "is no plain file";
  if (platform::SameFile(indexName, iniName)) return "is the INI file itself";
  return std::nullopt;
}

bool IndexFileReadable(const std::string& indexName) {
  const auto facts = platform::InspectFile(indexName);
  return facts && facts->plainFile && facts->size <= std::numeric_limits<std::int32_t>::max() &&
         Common().FileExists(indexName);
}

}  // namespace orvo::ini
