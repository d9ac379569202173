// INIFile: building the section index from the text, and finding a key in it.
#include "common/ProgressMode.h"
#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/IndexScan.h"
#include "ini/KeySearch.h"
#include "ini/RecordWriter.h"
// The index builder shows its progress in the status window.
#include "status/frmStatus.h"

namespace orvo {

void INIFile::BuildIndex() {
  const std::string progress = "Indexing " + Common().StripPath(sFilename);
  Guard("in BuildIndex", ini::NoDiagnostics, [&] {
    // Progress is the status line alone: set for the rebuild, put back afterwards (and left
    // standing when the rebuild fails).
    std::string remembered;
    if (gProgressMode) {
      remembered = StatusWindow().Message();
      StatusWindow().SetMessage(progress);
    }
    WriteLoaderLogLine(progress);

    // One pass over the text; records are appended to the one index text as they are built
    // (a block at a time), so that a failure leaves the records built so far. A record is
    // about one and a half times its line; room that is reserved and never written costs no
    // memory.
    sIndex.clear();
    bIndexFromText = false;  // until the whole text is indexed
    IndexChanged();
    sIndex.reserve(sIniFile.size() * 2);
    ini::RecordWriter records(sIndex, sIniFile);
    ini::WalkIndexLines(
        sIniFile, [&](std::string_view name) { records.SetSection(name); },
        [&](std::string_view name, std::string_view value, std::size_t valueOffset) {
          records.Append(name, value, static_cast<std::int32_t>(valueOffset + 1));
        });
    records.Finish();
    bIndexDirty = false;
    bIndexFromText = true;
    if (gProgressMode) StatusWindow().SetMessage(remembered);
  });
}

namespace {
// The plain search, with the key written out; kept out of line so that a lookup the table
// answers does not make room for the key.
[[gnu::noinline]] std::size_t SearchIndex(std::string_view index, std::string_view pSection, std::string_view pEntry) {
  return ini::FindLookupKey(index, ini::KeyBuffer(pSection, pEntry).View());
}
}  // namespace

std::optional<std::size_t> INIFile::FindValueLine(std::string_view pSection, std::string_view pEntry) const {
  if (!keyTable.Ready() && ++searchesSinceChange > kSearchesBeforeTable) {
    if (!keyTable.Build(sIndex)) searchesSinceChange = INT32_MIN;  // not of table shape: always search
  }
  // The table reads the names where they lie; only a search needs the key written out.
  std::size_t at = std::string::npos;
  if (const auto fromTable = keyTable.Find(sIndex, pEntry, pSection)) {
    if (*fromTable != ini::KeyTable::kNotFound) at = *fromTable;
  } else {
    at = SearchIndex(sIndex, pSection, pEntry);
  }
  if (at == std::string::npos) return std::nullopt;
  return at + ini::LookupKeySize(pSection, pEntry);
}

}  // namespace orvo
