// OrvoCommon: copying a directory's files, the newest file, byte search and byte reads.
#include <algorithm>
#include <limits>

#include "vocabulary/Failure.h"
#include "common/Listing.h"
#include "common/OrvoCommon.h"
#include "platform/files.h"
#include "vocabulary/Whole32.h"

namespace orvo {
namespace {

// A read at or beyond the end of the file is no failure; it yields the character with code
// 0, the byte that a file extended to that position would hold there.
constexpr char kBeyondEnd = '\0';

// The bytes from the 1-based position start on, count of them (at least one); positions
// past the end of the file read as kBeyondEnd. A start below 1 is an invalid argument.
std::string BytesFrom(const platform::BinaryFile& file, std::int64_t start, std::int64_t count) {
  if (start < 1) throw OrvoError::InvalidArgument();
  if (count < 1) count = 1;
  std::string bytes = file.ReadAt(start - 1, static_cast<std::size_t>(count));
  bytes.resize(static_cast<std::size_t>(count), kBeyondEnd);
  return bytes;
}

}  // namespace

void OrvoCommon::CopyFiles(const std::string& pFrom, const std::string& pTo) const {
  failure::BoxThenReturn(" in CopyFiles", [&] {
    // Collected first so that the listing is complete before the first copy.
    for (const std::string& name : ListNames(pFrom + "*.*", ListedKind::PlainFiles))
      platform::CopyFileReplacing(pFrom + name, pTo + name);
  });
}

std::string OrvoCommon::NewestFile(const std::string& pPath, const std::string& pWildcard) const {
  std::string result;
  failure::RetryBoundary([&] {
    const std::string dir = MakeFilePath(pPath);
    const auto names = failure::BoxThenRetry(
        " in NewestFile", [&] { return ListNames(dir + pWildcard, ListedKind::PlainFiles); }, failure::Retries::WhileDismissed);
    double newest = 0;
    for (const std::string& name : names) {
      const double date = FileDate(dir + name);
      // Only a strictly later time replaces the choice: ties go to the name listed first.
      if (newest < date) {
        newest = date;
        result = name;
      }
    }
  });
  return result;
}

std::optional<std::int32_t> OrvoCommon::FindString(const std::string& inFileName, const std::int32_t& inStartPosition,
                                                   const std::string& inSearchString) const {
  return failure::BoxThenReturn(" in FindString", std::optional<std::int32_t>(), [&]() -> std::optional<std::int32_t> {
    // The search text's length is held in a 16-bit number.
    if (inSearchString.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
      throw OrvoError::Overflow();
    const std::int64_t n = static_cast<std::int64_t>(inSearchString.size());
    platform::BinaryFile file(inFileName);
    const std::int64_t length = file.Length();
    const std::int64_t start = inStartPosition;
    // The position is a whole number too: a search that would step past the last position it
    // can hold, without a match before, overflows there.
    const std::int64_t lastPosition = std::min<std::int64_t>(length, std::numeric_limits<std::int32_t>::max());
    const std::int64_t rest = lastPosition >= start ? lastPosition - start + 1 : 1;
    // The first window is n blanks and the byte at the start position, one character longer
    // than the search text, so it never matches; each later window is the last n characters
    // read, the blanks included. The window that ends at position p therefore begins at
    // index p - start + 1 of padded, and the first match found there gives p - n.
    const std::string padded = std::string(static_cast<std::size_t>(n), ' ') + BytesFrom(file, start, rest);
    if (start >= length) return 0;
    const std::size_t at = padded.find(inSearchString, 2);
    if (at == std::string::npos && lastPosition < length) throw OrvoError::Overflow();
    if (at == std::string::npos) return 0;
    return static_cast<std::int32_t>(start + static_cast<std::int64_t>(at) - 1 - n);
  });
}

std::string OrvoCommon::ReadString(const std::string& inFileName, std::int32_t inStartPosition, std::int32_t inLength) const {
  return failure::QuietDefault(std::string(), [&] {
    platform::BinaryFile file(inFileName);
    // inLength - 1 further bytes are read after the first: a length whose predecessor is no
    // whole number overflows, and the member answers that quietly like any other failure.
    return BytesFrom(file, inStartPosition, std::int64_t{whole32::Checked(std::int64_t{inLength} - 1)} + 1);
  });
}

}  // namespace orvo
