// INIFile: building the section index from the text, and finding a key in it.
#include <algorithm>
#include <functional>

#include "common/ProgressMode.h"
#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"
#include "status/frmStatus.h"

namespace orvo {

void INIFile::BuildIndex() {
  const std::string progress = "Indexing " + Common().StripPath(sFilename);
  Guard("in BuildIndex", ini::NoDiagnostics, [&] {
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
  // Horspool skips through the index instead of stopping at every CR; it finds the same
  // first occurrence as a plain search.
  const auto hit =
      std::search(sIndex.begin(), sIndex.end(), std::boyer_moore_horspool_searcher(sKey.begin(), sKey.end()));
  if (hit == sIndex.end()) return std::nullopt;
  return static_cast<std::size_t>(hit - sIndex.begin()) + sKey.size();
}

}  // namespace orvo
