// INIFile: the text itself, its one guarded property write and the two line parsers.
#include "ini/FailureScheme.h"
#include "ini/LineScanner.h"

namespace orvo {

void INIFile::SetIniString(const std::string& pString) {
  Guard(" in inifile.IniString (Let)", ini::NoDiagnostics, [&] {
    sIniFile = pString;
    bIndexDirty = true;
  });
}

void INIFile::ReadLine(const std::string& text, std::int32_t& pStartPos, std::string& pLine,
                       std::int32_t& pLineStartPos) {
  Guard(
      " in inifile.ReadLine",
      [&] {
        return ini::DiagnosticLines{ini::Diag("pStartPos     = ", pStartPos), ini::Diag("pLine         = ", pLine),
                                    ini::Diag("pLineStartPos = ", pLineStartPos)};
      },
      [&] {
        // Reading from position 0 or below is a character access outside the text.
        if (pStartPos < 1) throw OrvoError::InvalidArgument();
        std::string_view line;
        pLineStartPos = ini::ScanLine(text, pStartPos, line);
        pLine.assign(line);
      });
}

bool INIFile::ParseEntryLine(const std::string& pLine, std::string& pEntry, std::string& pValue) {
  std::string_view cut;  // reported by the handler as the line after its cuts
  return Guard(
      " in inifile.ParseEntryLine",
      [&] {
        return ini::DiagnosticLines{ini::Diag("pLine  = ", std::string(cut)), ini::Diag("pEntry = ", pEntry),
                                    ini::Diag("pValue = ", pValue)};
      },
      [&] {
        std::size_t eq = 0;
        cut = ini::CutLine(pLine, eq);
        if (eq == std::string_view::npos) return false;
        const ini::EntryParts parts = ini::SplitEntry(cut, eq);
        pEntry.assign(parts.name);
        pValue.assign(parts.value);
        return true;
      },
      false);
}

OrvoCommon& INIFile::OwnCommon() {
  if (!oCommon) oCommon.emplace();
  return *oCommon;
}

}  // namespace orvo
