// INIFile: the game's "-ko" override parameters, one per setting or one run per section.
#include "ini/FailureScheme.h"

namespace orvo {

std::string INIFile::GPLORParameter(const std::string& pSection, const std::string& pKey, const std::string& pValue,
                                    std::int32_t pIniNumber) {
  return Guard(
      " in inifile.GPLORParameter", ini::NoDiagnostics,
      [&] {
        const std::int32_t number = pIniNumber == -1 ? lIniNumber : pIniNumber;
        if (number < 0) return std::string();
        // Names and values go in as they are: no escaping, no change of case.
        return " -ko\"" + std::to_string(number) + ":" + pSection + ":" + pKey + ":" + pValue + "\"";
      },
      std::string());
}

std::string INIFile::GPLORSection(const std::string& pSection, const std::string& pNewSection,
                                  std::int32_t pIniNumber) {
  return Guard(
      " in inifile.GPLORSection", ini::NoDiagnostics,
      [&] {
        const std::int32_t number = pIniNumber == -1 ? lIniNumber : pIniNumber;
        // The parameters carry the name as the caller wrote it, not as the header does.
        const std::string& written = pNewSection.empty() ? pSection : pNewSection;
        if (dbGetSection(pSection).empty()) return std::string();
        std::string result, entry, value;
        dbGNS(entry, value);
        while (!entry.empty()) {
          result += GPLORParameter(written, entry, value, number);
          dbGNS(entry, value);
        }
        return result;
      },
      std::string());
}

}  // namespace orvo
