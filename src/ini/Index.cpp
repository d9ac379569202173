// INIFile: building the section index from the text, and finding a key in it.
#include "common/ProgressMode.h"
#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/KeySearch.h"
#include "ini/LineScanner.h"
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

    // One pass over the text; records are appended to the one index text, built in place so
    // that a failure leaves the records built so far. The scanner cannot fail, so the walk
    // goes straight through it rather than through ReadLine's copy of each line.
    sIndex.clear();
    IndexChanged();
    sIndex.reserve(sIniFile.size() + sIniFile.size() / 2);
    const std::string_view text = sIniFile;
    std::string upperSection;
    std::int32_t pos = 1;
    std::string_view line;
    while (ini::ScanLine(text, pos, line) >= 0) {
      std::size_t eq = 0;
      const std::string_view cut = ini::CutLine(line, eq);
      if (cut.empty() || cut.front() == '-') continue;  // dash lines are left out of the index only
      if (ini::IsHeader(cut)) {
        upperSection.clear();
        ini::AppendUpper(upperSection, ini::HeaderName(cut));
      } else if (eq != std::string_view::npos) {
        const ini::EntryParts parts = ini::SplitEntry(cut, eq);
        const auto position = static_cast<std::int32_t>(cut.data() - text.data() + parts.valueOffset + 1);
        ini::AppendRecord(sIndex, parts.name, upperSection, parts.value, position);
      }
    }
    bIndexDirty = false;
    if (gProgressMode) StatusWindow().SetMessage(remembered);
  });
}

std::optional<std::size_t> INIFile::FindKey(const std::string& sKey) const {
  std::size_t at = std::string::npos;
  if (!keyTable.Ready() && ++searchesSinceChange > kSearchesBeforeTable) {
    if (!keyTable.Build(sIndex)) searchesSinceChange = INT32_MIN;  // not of table shape: always search
  }
  if (const auto fromTable = keyTable.Find(sIndex, sKey)) {
    at = *fromTable == ini::KeyTable::kNotFound ? std::string::npos : *fromTable;
  } else {
    at = ini::FindLookupKey(sIndex, sKey);
  }
  if (at == std::string::npos) return std::nullopt;
  return at + sKey.size();
}

}  // namespace orvo
