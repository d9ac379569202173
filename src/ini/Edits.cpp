// INIFile: edits that patch the text in place and touch only the characters they must.
//
// An edit goes by the index as it stands, as lookups do, with one guard: before it changes the
// text at a record's position it checks that the text there is a line of that entry inside
// that section (RecordCheck.h). A key that matches across two records, or a stale index read
// from a file, would otherwise have it change another line of the user's file. A stale index
// is rebuilt and searched again; in the index built from the text a denied position can only
// come from a key across two records, which has no position of that entry: nothing changes.
#include <algorithm>

#include "ini/FailureScheme.h"
#include "ini/IndexRecord.h"
#include "ini/LineScanner.h"
#include "ini/RecordCheck.h"

namespace orvo {
namespace {

// The 0-based offset at which the physical line holding offset at begins: just after the
// last CR or LF before it, or 0.
std::size_t PhysicalLineBegin(std::string_view text, std::size_t at) {
  while (at > 0 && !ini::IsLineEnd(text[at - 1])) --at;
  return at;
}

}  // namespace

bool INIFile::EditMayChangeAt(const ini::KeyBuffer& sKey, std::int32_t position) const {
  const auto entry = ini::EntryWithValueAt(sIniFile, position);
  if (!entry || !text::EqualIgnoringCase(entry->name, sKey.Entry()) ||
      !text::EqualIgnoringCase(ini::SectionAbove(sIniFile, entry->lineStart), sKey.Section()))
    return false;
  // An index read from a file may lack the records of the entry's first lines while one of a
  // later line matches: the edit would go to a line that nothing reads, the game and the
  // text's own index taking the first. The text before the line is read for that only then.
  return IndexInStep() || !ini::EarlierEntryLine(sIniFile, entry->lineStart, sKey.Section(), sKey.Entry());
}

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
        if (bIndexDirty) BuildIndex();
        const ini::KeyBuffer sKey(pSection, pEntry);
        std::size_t valueFrom = 0;
        std::int32_t pos = 0;
        for (int pass = 0;; ++pass) {
          SearchAnswer search;
          if (GetIniValue(pSection, pEntry, search) == value) return;  // Changed is not touched

          // The lookup's search answers for the edit too: nothing has changed the index since.
          // Only a lookup that failed before its search answered leaves the edit to search.
          if (!search.searched) search.valueFrom = FindValueLine(pSection, pEntry);
          if (!search.valueFrom) {
            if (pAdd) AddIniEntry(pSection, pEntry, value);
            return;
          }
          valueFrom = *search.valueFrom;
          pos = ini::RecordPosition(sIndex, valueFrom);
          if (pos <= 0) return;
          if (EditMayChangeAt(sKey, pos)) break;
          if (IndexInStep() || pass > 0) return;
          BuildIndex();  // stale: searched again on the text's own index
        }
        // The value field runs to the first line end, comment or TAB; spaces before a
        // comment belong to it, so a shorter value keeps the comment in its column.
        const std::int32_t e = OwnCommon().FindCharInString(sIniFile, "\r\n;\t", pos);
        const std::int32_t width = e - pos;
        const std::string_view field = std::string_view(sIniFile).substr(static_cast<std::size_t>(pos - 1), width);

        // Same length: every position in the index stays valid, so the record is patched
        // instead of rebuilding the index, whatever the value holds: a value with a comment in
        // it is answered by lookups as it was set until the index is next rebuilt. The value is
        // written over the index from the record's value line on, as far as the index reaches;
        // where it replaces that line exactly, the line-pair table follows and is kept.
        if (text::TrimSpacesView(field).size() != value.size()) {
          bIndexDirty = true;
        } else {
          if (valueFrom >= sIndex.size()) throw OrvoError::InvalidArgument();
          const std::size_t n = std::min(value.size(), sIndex.size() - valueFrom);
          if (!keyTable.RewriteLine(sIndex, valueFrom, std::string_view(value).substr(0, n))) {
            sIndex.replace(valueFrom, n, value, 0, n);
            IndexChanged();
          }
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
        if (bIndexDirty) BuildIndex();
        const ini::KeyBuffer sKey(pSection, pEntry);
        std::int32_t pos = 0;
        for (int pass = 0;; ++pass) {
          const auto valueFrom = FindValueLine(pSection, pEntry);
          if (!valueFrom) return;
          pos = ini::RecordPosition(sIndex, *valueFrom);
          if (EditMayChangeAt(sKey, pos)) break;
          if (IndexInStep() || pass > 0) return;
          BuildIndex();  // stale: searched again on the text's own index
        }

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
