#pragma once
// OrvoCommon: the product family's stateless utility class.
//
// Texts are byte strings, one character per byte; positions are 1-based. Paths are path
// texts whose only separator is the backslash. Every member names the failure way it takes
// (see vocabulary/Failure.h): 1 quiet default, 2 box then return, 3 box then retry, 4 own
// handling, 5 no handler (the caller's handler sees the failure).
#include <cstdint>
#include <optional>
#include <string>

namespace orvo {

class ListControl;

class OrvoCommon {
 public:
  // ---- Files and paths ------------------------------------------------------------------
  // Splits at the last backslash after removing one trailing backslash. Way 5.
  void GetPath(const std::string& pFullPath, std::string& oPath) const;
  void GetPath(const std::string& pFullPath, std::string& oPath, std::string& oFile) const;
  // Trimmed of spaces, ending with a backslash. Way 5.
  std::string MakeFilePath(const std::string& pPath) const;
  // Up to and including the last backslash. Way 2 (" in FilePath"), "".
  std::string FilePath(const std::string& pFileName) const;
  // After the last backslash; "" without one. Way 2 (" in StripPath"), "".
  std::string StripPath(const std::string& pFileName) const;
  // Before the last point; "" without one. Way 2 (" in FilePart"), "".
  std::string FilePart(const std::string& pFileName) const;
  // After the last point; "" without one. Way 2 (" in FileExtension"), "".
  std::string FileExtension(const std::string& pFileName) const;
  // Before the last point; the name itself without one. Way 1, pFileName.
  std::string StripFileExtension(const std::string& pFileName) const;
  // The file exists and can be opened for reading. Way 1, false.
  bool FileExists(const std::string& pFileName) const;
  // The process can change into the directory; the current directory is restored. Way 1.
  bool DirectoryExists(const std::string& pDirectory) const;
  // Last-modified local time as a date value. Way 1, 0.
  double FileDate(const std::string& pFileName) const;
  // Size in bytes; files over 2 GiB count as failures. Way 1, 0.
  std::int32_t FileSize(const std::string& pFileName) const;
  // The whole content; a missing file is created empty. Way 1, "".
  std::string ReadWholeFile(const std::string& pFileName) const;
  // Replaces the content with pIniData and CR LF. Way 1.
  void WriteNewIniFile(const std::string& pFileName, const std::string& pIniData) const;
  // Appends pText and CR LF, creating the file when missing. Way 1.
  void AppendToFile(const std::string& pFileName, const std::string& pText) const;

  // ---- Newer-version updater ------------------------------------------------------------
  void UpdateIfNewer(const std::string& pFromFilename, const std::string& pToFilename, std::int32_t pCopyMode = 2,
                     const bool& pDeleteSourceFile = false, const std::string& pBaseMessage = std::string()) const;
  void UpdateNewerVersions(const std::string& pFromWildcard, const std::string& pToDir, std::int32_t pCopyMode = 2,
                           bool pDeleteSourceDirectory = false, const std::string& pBaseMessage = std::string()) const;

  // ---- Time and lap-time formatting -----------------------------------------------------
  std::string HHMMSS(const double& inTime) const;
  std::string FormatLaptime(double pSeconds) const;
  void ParseLaptime(const std::string& pTimeString, double& pDate, double& pLaptime) const;

  // ---- String utilities -----------------------------------------------------------------
  // Trimmed of spaces, the first letter of every space-separated word upper-cased; only a to
  // z change, whatever the locale. Way 5.
  std::string ProperCase(const std::string& pString) const;
  // Every space (tab) removed. Way 5.
  std::string StripSpaces(const std::string& pString) const;
  std::string StripTabs(const std::string& pString) const;
  // Font size in points for a label pHeight twips high: max(pHeight / 20 - 8, 3). Way 5.
  float RightFontSize(float pHeight) const;
  // First position at or after pStart of any of pChars; length + 1 when none. Raises
  // InvalidArgument for a start below 1 (with pChars not empty). Way 5.
  std::int32_t FindCharInString(const std::string& pString, const std::string& pChars, std::int32_t pStart) const;
  // Padded on the left by (pLength - length) / 2 spaces; never shortened. Way 5.
  std::string CentreString(const std::string& pString, std::int32_t pLength) const;
  // Cut or padded with spaces to exactly pLength. Way 2 (" in ExpandString"), "".
  std::string ExpandString(const std::string& pString, std::int32_t pLength) const;
  // Takes the text up to the first comma, CR or LF off pString, and that one separator;
  // one leading and one trailing double quote are removed from the field. Way 5.
  std::string GetNextField(std::string& pString) const;
  // Characters at odd positions; every character followed by code 0. Way 5.
  std::string Nulled2String(const std::string& pNulled) const;
  std::string String2Nulled(const std::string& pString) const;
  // One character of a-z A-Z 0-9 from the sum of all codes but the last; a space for sum 0.
  // Way 4: "pValue = " and "pLength =" log lines, box " in HashKey", "".
  std::string HashKey(const std::string& pValue, std::int32_t pLength) const;

  // ---- Hex and binary conversions -------------------------------------------------------
  std::string String2Hex(const std::string& pString) const;
  std::string Hex2String(const std::string& pHex) const;
  std::string Num2HexFloat(double pNumber) const;
  std::string Dec2Bin(double pDecimal, std::int32_t pLength = 0) const;
  std::string Bin2Hex(const std::string& pBinary) const;
  std::string Num2HexInteger(std::int32_t pValue) const;
  std::int32_t Hex2Integer(const std::string& pHex) const;

  // ---- List-control helpers -------------------------------------------------------------
  std::int32_t GetByValue(ListControl& pDropdown, const std::string& pValue) const;
  std::int32_t FindListItem(ListControl& pDropdown, const std::string& pValue) const;
  void SetByValue(ListControl& pDropdown, const std::string& pValue) const;

  // ---- File search and program start ----------------------------------------------------
  void CopyFiles(const std::string& pFrom, const std::string& pTo) const;
  std::string NewestFile(const std::string& pPath, const std::string& pWildcard) const;
  // No value after a failure.
  std::optional<std::int32_t> FindString(const std::string& inFileName, const std::int32_t& inStartPosition,
                                         const std::string& inSearchString) const;
  std::string ReadString(const std::string& inFileName, std::int32_t inStartPosition, std::int32_t inLength) const;
  void RunApp(const std::string& pAppName) const;
  double Ping(const std::string& sAddress) const;
};

// The program-wide instance, created on first use.
OrvoCommon& Common();

}  // namespace orvo
