// INIFile: GetIniValue through the index, and the section reader dbGetSection / dbGNS,
// which walks the text itself.
#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"

namespace orvo {

std::string INIFile::GetIniValue(const std::string& pSection, const std::string& pEntry, SearchAnswer& search) {
  return Guard(
      " in inifile.GetIniValue",
      [&] {
        return ini::DiagnosticLines{ini::Diag("pSection = ", pSection), ini::Diag("pEntry   = ", pEntry),
                                    ini::Diag("sKey     = ", search.searched ? ini::LookupKey(pSection, pEntry) : "")};
      },
      [&] {
        if (bIndexDirty) BuildIndex();
        // The first occurrence of the key answers, wherever it stands: the index is not checked
        // against the text, since a lookup changes nothing that could be lost.
        search = {true, FindValueLine(pSection, pEntry)};
        if (!search.valueFrom) return std::string();
        // A key that matches at the very end of the index has no line end after it: that is an
        // invalid argument, reported like any other failure.
        return std::string(text::TrimSpacesView(ini::IndexLine(sIndex, *search.valueFrom)));
      },
      std::string());
}

bool INIFile::HasIniRecord(const std::string& pSection, const std::string& pEntry) const {
  return failure::QuietDefault(false, [&] { return FindValueLine(pSection, pEntry).has_value(); });
}

std::vector<std::string> INIFile::SectionNames() const {
  std::vector<std::string> names;
  const std::string_view text = sIniFile;
  std::int32_t pos = 1;
  std::string_view line;
  while (ini::ScanLine(text, pos, line) >= 0)
    if (ini::IsHeader(line)) names.emplace_back(ini::HeaderName(line));
  return names;
}

std::string INIFile::dbGetSection(const std::string& pSection) {
  return Guard(
      " in dbGetSection", [&] { return ini::DiagnosticLines{ini::Diag("psection = ", pSection)}; },
      [&] {
        lReadPos = 1;
        std::string found;
        return FindHeader(pSection, lReadPos, found) > 0 ? found : std::string();
      },
      std::string());
}

std::int32_t INIFile::FindHeader(const std::string& pSection, std::int32_t& pos, std::string& found) {
  std::string line;
  std::int32_t lineStart = 1;
  for (;;) {
    ReadLine(sIniFile, pos, line, lineStart);
    // The header test is made on the line as read: a comment after the bracket ('[A];x')
    // makes no header here.
    if (ini::IsHeader(line)) found.assign(ini::HeaderName(line));
    if (!pSection.empty() && text::EqualIgnoringCase(found, pSection)) return lineStart;
    if (pSection.empty() && !found.empty()) return lineStart;
    if (lineStart < 0) return lineStart;
  }
}

// Lines inside the section that are neither empty, nor a header, nor an entry line (a
// comment line, a line without "=") are passed over: the walk goes on to the next line, so
// that every call yields a real entry or the end, and GPLORSection never repeats one.
void INIFile::dbGNS(std::string& pEntry, std::string& pValue) {
  Guard(
      " in inifile.dbGNS",
      [&] { return ini::DiagnosticLines{ini::Diag("pEntry = ", pEntry), ini::Diag("pValue = ", pValue)}; },
      [&] {
        if (lReadPos == 0) return;
        std::string line;
        std::int32_t lineStart = 0;
        for (;;) {
          do {
            ReadLine(sIniFile, lReadPos, line, lineStart);
          } while (line.empty() && lineStart > 0);
          if (lineStart < 0 || line.starts_with('[')) {
            pEntry.clear();
            pValue.clear();
            return;
          }
          if (ParseEntryLine(line, pEntry, pValue)) return;
        }
      });
}

}  // namespace orvo
