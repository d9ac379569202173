// OrvoCommon: whole files. Every file is opened and closed within one call.
#include <limits>

#include "common/DateValue.h"
#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "platform/current_directory.h"
#include "platform/files.h"
#include "storage/Save.h"

namespace orvo {
namespace {
constexpr const char* kLineEnd = "\r\n";
}

bool OrvoCommon::FileExists(const std::string& pFileName) const { return platform::CanOpenForReading(pFileName); }

bool OrvoCommon::DirectoryExists(const std::string& pDirectory) const {
  return failure::QuietDefault(false, [&] {
    const std::string remembered = platform::CurrentDirectory();
    bool exists = true;
    try {
      platform::ChangeDirectory(pDirectory);
    } catch (...) {
      exists = false;
    }
    platform::ChangeDirectory(remembered);
    return exists;
  });
}

double OrvoCommon::FileDate(const std::string& pFileName) const {
  const auto facts = platform::InspectFile(pFileName);
  return FileDateValue(facts ? std::optional(facts->lastModified) : std::nullopt);
}

std::int32_t OrvoCommon::FileSize(const std::string& pFileName) const {
  auto facts = platform::InspectFile(pFileName);
  if (!facts || facts->size > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::int32_t>(facts->size);
}

std::string OrvoCommon::ReadWholeFile(const std::string& pFileName) const {
  return failure::QuietDefault(std::string(), [&] {
    platform::BinaryFile file(pFileName);
    return file.ReadAt(0, static_cast<std::size_t>(file.Length()));
  });
}

void OrvoCommon::WriteNewIniFile(const std::string& pFileName, const std::string& pIniData) const {
  // Replaced in one step, so that a write that fails part-way leaves the old file whole.
  failure::Quietly([&] { storage::ReplaceFileBytes(pFileName, pIniData + kLineEnd); });
}

void OrvoCommon::AppendToFile(const std::string& pFileName, const std::string& pText) const {
  failure::Quietly([&] { platform::AppendFileBytes(pFileName, pText + kLineEnd); });
}

OrvoCommon& Common() {
  static OrvoCommon instance;
  return instance;
}

}  // namespace orvo
