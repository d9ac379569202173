#pragma once
// INIFile: one INI file held in memory as a single text, exactly as it was read, with a
// section index through which values are looked up. Edits patch the text in place, so a
// load and save without edits writes back every byte as it came (line ends of any kind,
// comments, TABs, blank lines, bytes above 127).
//
// Texts are bytes, one character per byte; positions are 1-based. Section and entry names
// compare without regard to ASCII case; values keep their case.
//
// Failures: every member except the plain property reads and writes catches its own
// failure. It writes the diagnostic dump and its parameter lines to the loader log, shows
// the error box with its suffix (given per member below) and returns its default (the
// empty text for texts); nothing reaches the caller. Refresh tries the failed step again.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "ini/KeyTable.h"

namespace orvo {
namespace ini {
class KeyBuffer;
}

class INIFile {
 public:
  INIFile() = default;

  // ---- Properties ------------------------------------------------------------------------
  bool Changed() const { return bChanged; }
  // The only way for a caller to mark the text as saved or unsaved.
  void SetChanged(bool pChanged) { bChanged = pChanged; }
  // When true, Save also writes the index file "<name without extension>.gix".
  bool SaveIndex() const { return bSaveIndex; }
  void SetSaveIndex(bool pSave) { bSaveIndex = pSave; }
  // The game INI number (core.ini 0, app.ini 10, player.ini 20, address.ini 50,
  // 67season.ini 60, server.ini 65, -1 otherwise); 0 until a file is bound. Stored unchecked.
  std::int32_t IniNumber() const { return lIniNumber; }
  void SetIniNumber(std::int32_t pIniNumber) { lIniNumber = pIniNumber; }
  // The bound file as given; "" and "dummy" mean bound to no file.
  const std::string& Filename() const { return sFilename; }
  // Binds the object: loads the file (Refresh) when it can be read, else empties the object
  // (Clear); then sets IniNumber from the file's own name. A device binds as the empty text; a
  // pipe or a file over 2 GiB fails Refresh's reading (its boxes), and the object is left empty.
  // Box " in inifile.Filename (Let)".
  void SetFilename(const std::string& pFileName);
  const std::string& IniString() const { return sIniFile; }
  // Replaces the text and marks the index for rebuilding; Changed and the file name stay.
  // Box " in inifile.IniString (Let)".
  void SetIniString(const std::string& pString);
  // The section index text as it stands: as BuildIndex built it, or as Refresh read it from
  // a trusted index file. Read only, for tools that show or test the index.
  const std::string& IndexString() const { return sIndex; }

  // ---- Lookups ---------------------------------------------------------------------------
  // The value of pEntry in pSection, blanks removed at both ends; "" when there is none.
  // Names are not trimmed before the search. The first occurrence of the key in the index
  // answers, as the index stands (one read from an index file included), and a key that
  // matches at the index's very end, with no line end after it, is a failure.
  // Box " in inifile.GetIniValue", then "".
  std::string GetIniValue(const std::string& pSection, const std::string& pEntry) {
    SearchAnswer search;  // here, so that a lookup is one call and not two
    return GetIniValue(pSection, pEntry, search);
  }
  // Positions the section reader after the header of pSection ("" = the first section with
  // a non-empty name) and returns the name as the header writes it; "" when there is none.
  // Box " in dbGetSection", then "".
  std::string dbGetSection(const std::string& pSection);
  // The next entry of the section the reader stands in; both "" at the section's end.
  // Before any dbGetSection the arguments are left untouched. Box " in inifile.dbGNS".
  void dbGNS(std::string& pEntry, std::string& pValue);

  // ---- Queries for tools ------------------------------------------------------------------
  // Whether the index as it stands holds the lookup key of pSection/pEntry: the same search
  // that GetIniValue makes, so after a GetIniValue of the same names a "" means an empty
  // value exactly when this is true. Read only: a dirty index is not rebuilt (GetIniValue
  // does that). A failure of the search answers false, quietly.
  bool HasIniRecord(const std::string& pSection, const std::string& pEntry) const;
  // Every section header in the order of the text, as the section reader tests headers (on
  // the whole line, so '[A] ;x' is none), duplicates and "[]" included. Read only.
  std::vector<std::string> SectionNames() const;
  // Whether the index as it stands is the one read from the index file, which the binding or
  // Refresh trusted for being newer than the INI file, rather than one built from the text.
  bool IndexFromFile() const { return !bIndexFromText && !bIndexDirty; }
  // The index file's name: the bound file's name before its last point, with ".gix".
  std::string IndexFileName() const;
  // Why that name may not be written as the index file ("is a link", ...), or nullopt where it
  // may; Save writes no index file where it may not.
  std::optional<std::string> IndexFileRefusal() const;
  // Writes the index as it stands as the index file, as Save does with SaveIndex: as
  // WriteNewIniFile writes it, quietly, and readable by no one the INI file is not.
  void WriteIndexFile() const;
  // A tool's choice: Save keeps a read-only file read-only rather than making it writable,
  // also when it is killed part-way. Off unless set.
  void SetKeepsReadOnly(bool pKeep) { bKeepReadOnly = pKeep; }

  // ---- Edits -----------------------------------------------------------------------------
  // Replaces the value where it stands (padded to the old field, or pushing the rest of the
  // text right); with pAdd a missing entry, and its section when needed, is added.
  // Box " in inifile.SetIniValue".
  void SetIniValue(const std::string& pSection, const std::string& pEntry, const std::string& pValue,
                   bool pAdd = false, bool pDontMarkAsChanged = false);
  // Removes the entry's line together with the line end before it.
  // Box " in inifile.DeleteIniEntry".
  void DeleteIniEntry(const std::string& pSection, const std::string& pEntry);
  // Removes the section's header line and every line up to the next header or the end.
  // Box " in inifile.DeleteSection".
  void DeleteSection(const std::string& pSection);

  // ---- Loading and saving ----------------------------------------------------------------
  // Reloads the text from the bound file; trusts the index file only when it is strictly
  // newer than the INI file. Box " in inifile.Refresh", then the failed step again (three
  // boxes at most, then Refresh gives up and returns); "Not a plain file" for a pipe and "File
  // too large" for a file whose positions leave the 32-bit numbers are such failures.
  void Refresh();
  // Writes the text when Changed; with pBackupOriginalFile the file on disk first becomes
  // "<name>.PreOrvo" unless that backup exists. Box " in Save <file name>", then return with
  // Changed still true.
  void Save(bool pBackupOriginalFile = true);
  // Empties the text (Changed false, index dirty). Box " in IniFile.Clear".
  void Clear();

  // ---- Index -----------------------------------------------------------------------------
  // Rebuilds the section index from the text, logging "Indexing <own name>".
  // Box "<description>in BuildIndex"; the records built so far stay, the index stays dirty.
  void BuildIndex();

  // ---- Override parameters ---------------------------------------------------------------
  // The override parameters of every entry of pSection written under pNewSection (pSection
  // when ""); pIniNumber -1 means IniNumber. "" when there is no such section or no entry.
  // Box " in inifile.GPLORSection".
  std::string GPLORSection(const std::string& pSection, const std::string& pNewSection = std::string(),
                           std::int32_t pIniNumber = -1);
  // ' -ko"<number>:<section>:<key>:<value>"'; "" when the number is negative.
  // Box " in inifile.GPLORParameter".
  std::string GPLORParameter(const std::string& pSection, const std::string& pKey, const std::string& pValue,
                             std::int32_t pIniNumber = -1);

 private:
  // Reads the next non-blank line of text from pStartPos (1 or more); pLineStartPos is -1 at
  // the end. Box " in inifile.ReadLine".
  void ReadLine(const std::string& text, std::int32_t& pStartPos, std::string& pLine, std::int32_t& pLineStartPos);
  // Splits a line into entry name and value. Writes neither argument when the line, after its
  // comment and TAB cuts, holds no "="; the result says whether it wrote them.
  // Box " in inifile.ParseEntryLine".
  bool ParseEntryLine(const std::string& pLine, std::string& pEntry, std::string& pValue);
  // Adds an entry as the first line of its section, or the section at the end of the text.
  // Box "<description>" CR "in AddIniEntry".
  void AddIniEntry(const std::string& pSection, const std::string& pEntry, const std::string& pValue);
  // Writes file name, text and index to the loader log; returns "". Box
  // " in inifile.IniFileDump".
  std::string IniFileDump();

  // The shared failure scheme: on a failure inside body, dump, write the lines that
  // diagnostics() gives at that moment through WriteLoaderLogNFE, show the error box with
  // the failure's description and suffix, and return fallback.
  template <class Diagnostics, class Body, class T>
  T Guard(std::string_view suffix, Diagnostics&& diagnostics, Body&& body, T fallback);
  template <class Diagnostics, class Body>
  void Guard(std::string_view suffix, Diagnostics&& diagnostics, Body&& body);
  // Dump, the diagnostic lines through WriteLoaderLogNFE, then the box.
  void ReportFailure(const Failure& failure, std::string_view suffix, const std::vector<std::string>& lines);
  // Refresh. When pBinding, a file that cannot be opened for reading ends it before anything
  // has changed, with the answer false; the answer is true otherwise.
  bool Reload(bool pBinding);
  // One step of Refresh: dump and box after each failure, then try again (bounded).
  template <class Step>
  void RetryStep(Step&& step);

  // Reads lines from pos until the header of pSection ("" = the first non-empty name), as
  // the section reader finds it; returns that header's line start, or -1 at the end.
  std::int32_t FindHeader(const std::string& pSection, std::int32_t& pos, std::string& found);
  // Where the value line of the lookup key's first occurrence in the index starts (the key's
  // end), or nullopt when the index holds no such key.
  std::optional<std::size_t> FindValueLine(std::string_view pSection, std::string_view pEntry) const;
  // Whether an edit of the key's entry may change the text at position: the text there is
  // the value of a line of that entry inside that section, as the index builder reads them,
  // and, for an index that was not built from this text, the first such line. Anything else
  // is a position that only a key across two records or a stale index gives.
  bool EditMayChangeAt(const ini::KeyBuffer& sKey, std::int32_t position) const;
  // Whether sIndex is what BuildIndex made of sIniFile, kept in step with it since.
  bool IndexInStep() const { return bIndexFromText && !bIndexDirty; }
  // What one key search of GetIniValue found, for an edit that goes on from it: searched is
  // false when the lookup failed before its search answered; valueFrom is where the record's
  // value line starts in the index.
  struct SearchAnswer {
    bool searched = false;
    std::optional<std::size_t> valueFrom;
  };
  // GetIniValue, its failure included, telling the edit where the value line starts.
  std::string GetIniValue(const std::string& pSection, const std::string& pEntry, SearchAnswer& search);
  OrvoCommon& OwnCommon();

  std::string sIndex;  // every change to it drops keyTable (IndexChanged), or goes through it
  std::string sIniFile;
  std::string sFilename;
  bool bIndexDirty = false;
  bool bIndexFromText = false;  // set by BuildIndex; an index read from a file is not
  bool bChanged = false;
  bool bSaveIndex = false;
  bool bKeepReadOnly = false;
  // The file as the binding, Refresh or the last Save found it on disk ("" for none): Save
  // writes that file or none.
  std::string sSeenOnDisk;
  std::int32_t lIniNumber = 0;
  std::int32_t lReadPos = 0;
  std::optional<OrvoCommon> oCommon;

  // Lookups repeated on one index are answered through a table of its line pairs, made after
  // kSearchesBeforeTable plain searches so that a single lookup never pays for it.
  static constexpr int kSearchesBeforeTable = 16;
  void IndexChanged() {
    keyTable.Forget();
    searchesSinceChange = 0;
  }
  mutable ini::KeyTable keyTable;
  mutable int searchesSinceChange = 0;
};

}  // namespace orvo
