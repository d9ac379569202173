// INIFile: edits that patch the text in place and touch only the characters they must.
//
// An edit goes by the index built from the text itself, never by one read from an index file:
// such a file may have been made for another text, and though the text confirms every record
// before an edit uses it (RecordCheck.h), a record that the text confirms may still be a later
// line of the entry than the one lookups read, whose record the file lacks. Edits of a file
// whose index file is trusted pay for one rebuild; every other edit for a short comparison.
#include <algorithm>

#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"

namespace orvo {
namespace {

// The 0-based offset at which the physical line holding offset at begins: just after the
// last CR or LF before it, or 0.
std::size_t PhysicalLineBegin(std::string_view text, std::size_t at) {
  while (at > 0 && !ini::IsLineEnd(text[at - 1])) --at;
  return at;
}

}  // namespace

void INIFile::SetIniValue(const std::string& pSection, const std::string& pEntry, const std::string& pValue,
                          bool pAdd, bool pDontMarkAsChanged) {
  std::string value = pValue;
  Guard(
      " in inifile.SetIniValue",
      [&] {
        return ini::DiagnosticLines{ini::Diag("pSection = ", pSection), ini::Diag("pEntry   = ", pEntry),
                                    ini::Diag("pValue   = ", value), ini::Diag("pAdd     = ", pAdd),
                                    ini::Diag("pDontMark= ", pDontMarkAsChanged)};
      },
      [&] {
        if (pEntry.empty() || pSection.empty()) return;
        value = text::TrimSpaces(pValue);
        if (!IndexInStep()) BuildIndex();  // the text's own index (see above)
        SearchAnswer search;
        if (GetIniValue(pSection, pEntry, search) == value) return;  // Changed is not touched

        // The lookup's search answers for the edit too: nothing has changed the index since.
        // Only a lookup that failed before its search answered leaves the edit to search.
        // Either way the record is one that the text confirms, so its position is the value's.
        const auto record = search.searched ? search.record : LocateRecord(ini::KeyBuffer(pSection, pEntry));
        if (!record) {
          if (pAdd) AddIniEntry(pSection, pEntry, value);
          return;
        }
        const std::int32_t pos = record->position;
        // The value field runs to the first line end, comment or TAB; spaces before a
        // comment belong to it, so a shorter value keeps the comment in its column.
        const std::int32_t e = OwnCommon().FindCharInString(sIniFile, "\r\n;\t", pos);
        const std::int32_t width = e - pos;
        const std::string_view field = std::string_view(sIniFile).substr(static_cast<std::size_t>(pos - 1), width);

        // Same length: every position in the index stays valid, so the record is patched
        // instead of rebuilding the index; but not with a value that the text does not read
        // back as written (one holding a comment, a TAB or a line end), which would leave an
        // index that no longer matches its text.
        if (text::TrimSpacesView(field).size() != value.size() || value.find_first_of("\r\n;\t") != std::string::npos) {
          bIndexDirty = true;
        } else {
          sIndex.replace(record->valueFrom, value.size(), value);
          IndexChanged();
        }
        std::string written = value;
        if (written.size() < static_cast<std::size_t>(width)) written.resize(static_cast<std::size_t>(width), ' ');
        sIniFile.replace(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(width), written);
        if (!pDontMarkAsChanged) bChanged = true;
      });
}

void INIFile::AddIniEntry(const std::string& pSection, const std::string& pEntry, const std::string& pValue) {
  const auto entryLine = [&] { return pEntry + " = " + text::TrimSpaces(pValue) + "\r\n"; };
  failure::Guarded(
      [&] {
        if (bIndexDirty) BuildIndex();
        std::string current;
        std::int32_t pos = 1;
        std::string_view line;
        std::int32_t lineStart = ini::ScanLine(sIniFile, pos, line);
        while (lineStart >= 0 && !text::EqualIgnoringCase(current, pSection)) {
          std::size_t eq = 0;
          const std::string_view cut = ini::CutLine(line, eq);
          if (ini::IsHeader(cut)) current.assign(ini::HeaderName(cut));
          lineStart = ini::ScanLine(sIniFile, pos, line);
        }

        if (text::EqualIgnoringCase(current, pSection)) {
          // The new entry becomes the first line of the section.
          std::size_t ins;
          if (lineStart < 0) {
            sIniFile += "\r\n";
            ins = sIniFile.size();
          } else {
            ins = static_cast<std::size_t>(lineStart - 1);
          }
          sIniFile.insert(ins, entryLine());
        } else {
          const bool onlyLineEnds =
              std::all_of(sIniFile.begin(), sIniFile.end(), [](char c) { return ini::IsLineEnd(c); });
          if (onlyLineEnds) {
            sIniFile.clear();
          } else {
            // A failure while the trailing line ends are stripped leaves the empty text and
            // the section is still added.
            failure::Guarded(
                [&] {
                  while (!sIniFile.empty() && ini::IsLineEnd(sIniFile.back())) sIniFile.pop_back();
                  sIniFile += "\r\n\r\n";
                },
                [&](const Failure&) { sIniFile.clear(); });
          }
          sIniFile += "[ " + pSection + " ]\r\n" + entryLine();
        }
        bChanged = true;
        bIndexDirty = true;
      },
      [&](const Failure& f) {
        // An invalid argument of a text operation ends the member quietly.
        if (f.kind == OrvoError::Kind::InvalidArgument) return;
        ReportFailure(f, "\rin AddIniEntry",
                      {ini::Diag("pSection = ", pSection), ini::Diag("pEntry   = ", pEntry),
                       ini::Diag("pValue   = ", pValue)});
      });
}

void INIFile::DeleteIniEntry(const std::string& pSection, const std::string& pEntry) {
  Guard(
      " in inifile.DeleteIniEntry",
      [&] { return ini::DiagnosticLines{ini::Diag("pSection = ", pSection), ini::Diag("pEntry   = ", pEntry)}; },
      [&] {
        if (!IndexInStep()) BuildIndex();  // the text's own index (see above)
        const auto record = LocateRecord(ini::KeyBuffer(pSection, pEntry));
        if (!record) return;
        const std::int32_t pos = record->position;  // confirmed by the text: the entry's value

        // The entry's line goes together with the line end before it; the line end after it
        // stays. Line ends are CR LF, LF or CR alone, so in a text whose lines end in LF or
        // CR only, exactly the entry's line and one line end go, never a neighbour.
        const std::string_view text = sIniFile;
        const std::size_t at = static_cast<std::size_t>(pos - 1);
        const std::size_t lineBegin = PhysicalLineBegin(text, at);
        std::size_t lineEnd = at;
        while (lineEnd < text.size() && !ini::IsLineEnd(text[lineEnd])) ++lineEnd;
        std::size_t from = lineBegin;
        if (from > 0) {
          --from;
          if (from > 0 && text[from] == '\n' && text[from - 1] == '\r') --from;
        }
        sIniFile.erase(from, lineEnd - from);
        bChanged = true;
        bIndexDirty = true;
      });
}

// A section goes with its header line (and any TAB before the bracket) and every line up to
// the next header, or to the end of the text; the next header's line stays whole. Comments
// and blank lines just above the next header go with the deleted section.
void INIFile::DeleteSection(const std::string& pSection) {
  Guard(
      " in inifile.DeleteSection", [&] { return ini::DiagnosticLines{ini::Diag("pSection = ", pSection)}; },
      [&] {
        std::int32_t pos = 1;
        std::string found;
        const std::int32_t headerStart = FindHeader(pSection, pos, found);
        if (headerStart <= 0) return;

        std::size_t to = sIniFile.size();
        std::string line;
        std::int32_t lineStart = 0;
        for (;;) {
          ReadLine(sIniFile, pos, line, lineStart);
          if (lineStart < 0) break;
          if (ini::IsHeader(line)) {
            to = PhysicalLineBegin(sIniFile, static_cast<std::size_t>(lineStart - 1));
            break;
          }
        }
        const std::size_t from = PhysicalLineBegin(sIniFile, static_cast<std::size_t>(headerStart - 1));
        sIniFile.erase(from, to - from);
        bChanged = true;
        bIndexDirty = true;
      });
}

}  // namespace orvo
