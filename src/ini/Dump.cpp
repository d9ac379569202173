// INIFile: the diagnostic dump that every handler writes first, and the report that follows
// it, so that the log of a failed run shows the object as it stood at the failure.
#include "ini/FailureScheme.h"

namespace orvo {

std::string INIFile::IniFileDump() {
  // No second dump when the dump itself fails: only the box.
  return failure::BoxThenReturn(" in inifile.IniFileDump", std::string(), [&] {
    WriteLoaderLogNFE("Ini File Dump:");
    WriteLoaderLogNFE("Filename: " + sFilename);
    WriteLoaderLogNFE("sIniFile:");
    WriteLoaderLogNFE(sIniFile);
    WriteLoaderLogNFE("** End of sIniFile **\r\n");
    WriteLoaderLogNFE("Index:");
    WriteLoaderLogNFE(sIndex);
    WriteLoaderLogNFE("** End of Index **\r\n");
    return std::string();
  });
}

void INIFile::ReportFailure(const Failure& failure, std::string_view suffix, const std::vector<std::string>& lines) {
  IniFileDump();
  for (const std::string& line : lines) WriteLoaderLogNFE(line);
  ShowFatalError(failure.description + std::string(suffix));
}

}  // namespace orvo
