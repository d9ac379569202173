// INIFile: building the section index from the text, and finding a key in it.
#include "common/ProgressMode.h"
#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/KeySearch.h"
#include "ini/RecordCheck.h"
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

std::optional<std::size_t> INIFile::FindKey(const ini::KeyBuffer& sKey, std::size_t from) const {
  const std::string_view key = sKey.View();
  if (from > 0) {
    // Searching on past a match that the text denied: rare, and never through the table.
    const std::size_t at = from <= sIndex.size() ? ini::FindLookupKey(std::string_view(sIndex).substr(from), key)
                                                 : std::string::npos;
    return at == std::string::npos ? std::nullopt : std::optional(from + at);
  }
  std::size_t at = std::string::npos;
  if (!keyTable.Ready() && ++searchesSinceChange > kSearchesBeforeTable) {
    if (!keyTable.Build(sIndex)) searchesSinceChange = INT32_MIN;  // not of table shape: always search
  }
  const auto fromTable = sKey.NamesHoldLineEnd() ? std::nullopt : keyTable.FindPair(sIndex, key, sKey.Entry().size());
  if (fromTable) {
    at = *fromTable == ini::KeyTable::kNotFound ? std::string::npos : *fromTable;
  } else {
    at = ini::FindLookupKey(sIndex, key);
  }
  if (at == std::string::npos) return std::nullopt;
  return at;
}

INIFile::RecordSearch INIFile::FindRecord(const ini::KeyBuffer& sKey) const {
  const std::string_view index = sIndex;
  for (auto at = FindKey(sKey); at; at = FindKey(sKey, *at + 1)) {
    const std::size_t valueFrom = *at + sKey.View().size();
    const auto tail = ini::ReadRecordTail(index, valueFrom);
    const auto entry = tail ? ini::EntryWithValueAt(sIniFile, tail->position) : std::nullopt;
    bool confirmed = entry && entry->value == tail->value && text::EqualIgnoringCase(entry->name, sKey.Entry());
    // In the index built from this very text a record holds the section that the builder
    // found above its line, so the text need not be read for it once the key is known to cover
    // a record's name and section lines: the key then starts after an empty line, and an empty
    // line follows the position. A key across two records takes that shape only where an empty
    // section or an empty value stands, so such keys, and every key of an index read from a
    // file, have their section read from the text.
    const bool ownRecord = IndexInStep() && tail && tail->endsRecord && !tail->value.empty() &&
                           !sKey.Section().empty() && !sKey.NamesHoldLineEnd() &&
                           (*at == 0 || (*at >= 2 && index.substr(*at - 2, 2) == ini::kCrLf));
    if (confirmed && !ownRecord)
      confirmed = text::EqualIgnoringCase(ini::SectionAbove(sIniFile, entry->lineStart), sKey.Section());
    if (confirmed) return {FoundRecord{valueFrom, tail->position, tail->value}, false};
    if (!IndexInStep()) return {std::nullopt, true};
  }
  return {};
}

std::optional<INIFile::FoundRecord> INIFile::LocateRecord(const ini::KeyBuffer& sKey) {
  RecordSearch search = FindRecord(sKey);
  if (search.stale) {
    BuildIndex();
    search = FindRecord(sKey);
  }
  return search.found;
}

}  // namespace orvo
