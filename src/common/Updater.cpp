// OrvoCommon: bringing a directory tree up to date from another one, file by file.
//
// Both members retry a failed step (a copy, a deletion, creating, listing or removing a
// directory) after the error box. A step that still fails after the third box is given up:
// the call of the member in which it failed returns at once. For UpdateIfNewer that leaves
// the one file as it was; for UpdateNewerVersions it ends that level of the walk, and the
// level above goes on with its next subdirectory or its own files.
#include "vocabulary/Failure.h"
#include "common/Listing.h"
#include "common/OrvoCommon.h"
#include "common/ProgressMode.h"
#include "platform/files.h"
// The directory update shows its progress in the status window.
#include "status/frmStatus.h"

namespace orvo {
namespace {

constexpr char kCarriageReturn = '\r';
// Copies always, and visits only the subdirectories that the target does not have yet.
constexpr std::int32_t kCopyNewSubdirectoriesOnly = 5;

}  // namespace

void OrvoCommon::UpdateIfNewer(const std::string& pFromFilename, const std::string& pToFilename, std::int32_t pCopyMode,
                               const bool& pDeleteSourceFile, const std::string& /*pBaseMessage*/) const {
  constexpr std::string_view kSuffix = " in UpdateIfNewer";
  failure::RetryBoundary([&] {
    bool copy = false;
    switch (pCopyMode) {
      case 0:
      case kCopyNewSubdirectoriesOnly:
        copy = true;
        break;
      case 1:
        copy = !FileExists(pToFilename);
        break;
      case 2: {
        // All three queries are made in every case; equal times do not copy.
        const double fromDate = FileDate(pFromFilename);
        const bool toExists = FileExists(pToFilename);
        const double toDate = FileDate(pToFilename);
        copy = !toExists || toDate < fromDate;
        break;
      }
      case 3:
        copy = FileExists(pToFilename);
        break;
      case 4:
        copy = gProgressMode;
        break;
      default:
        break;
    }
    if (!copy) return;
    failure::BoxThenRetry(kSuffix, [&] { platform::CopyFileReplacing(pFromFilename, pToFilename); });
    if (pDeleteSourceFile) failure::BoxThenRetry(kSuffix, [&] { platform::RemoveFile(pFromFilename); });
  });
}

void OrvoCommon::UpdateNewerVersions(const std::string& pFromWildcard, const std::string& pToDir, std::int32_t pCopyMode,
                                     bool pDeleteSourceDirectory, const std::string& pBaseMessage) const {
  constexpr std::string_view kSuffix = " in UpdateNewerVersions";
  failure::RetryBoundary([&] {
    const std::string toDir = MakeFilePath(pToDir);
    const std::string fromDir = FilePath(pFromWildcard);
    if (!Common().DirectoryExists(toDir)) failure::BoxThenRetry(kSuffix, [&] { platform::MakeDirectory(toDir); });

    // The subdirectory list is complete before the first descent: the descent lists too,
    // and the program has one listing cursor. "*." admits only names without a point.
    const auto subdirectories =
        failure::BoxThenRetry(kSuffix, [&] { return ListNames(fromDir + "*.", ListedKind::Subdirectories); });
    for (const std::string& d : subdirectories) {
      const bool targetHasIt = Common().DirectoryExists(toDir + d);
      if (pCopyMode == kCopyNewSubdirectoriesOnly && targetHasIt) continue;
      // The status window is a step like the others: its failure is boxed here, never passed on.
      failure::BoxThenRetry(kSuffix, [&] { StatusWindow().SetMessage(pBaseMessage + kCarriageReturn + d); });
      UpdateNewerVersions(fromDir + d + "\\*.*", toDir + d + "\\", pCopyMode, pDeleteSourceDirectory, pBaseMessage);
    }

    const auto files = failure::BoxThenRetry(kSuffix, [&] { return ListNames(pFromWildcard, ListedKind::PlainFiles); });
    for (const std::string& f : files)
      UpdateIfNewer(fromDir + f, toDir + f, pCopyMode, pDeleteSourceDirectory, pBaseMessage);

    if (pDeleteSourceDirectory) failure::BoxThenRetry(kSuffix, [&] { platform::RemoveEmptyDirectory(fromDir); });
  });
}

}  // namespace orvo
