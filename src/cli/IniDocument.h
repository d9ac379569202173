#pragma once
// One INI file named on orvo's command line, held by the engine. Everything that reads or
// changes the text is the engine's own member; this class only adds what a command-line
// user needs around it: a clear refusal for a file that cannot be read, telling a missing
// entry from an empty value, and saving with a check that the save took place.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ini/INIFile.h"
#include "storage/EditLock.h"

namespace orvo::cli {

class IniDocument {
 public:
  // Binds the engine to the file (a missing file binds as the empty text). An editor takes
  // the file's edit lock first and holds it while the object lives, so that two editors at
  // once never lose an edit: CommandFailed when another one holds it for kLockWaitMs. A
  // reader warns of a byte-order mark; a check reports it itself and is not warned.
  enum class Use { Read, Edit, Check };
  static constexpr int kLockWaitMs = 5000;
  explicit IniDocument(const std::string& fileArgument, Use use = Use::Read);

  INIFile& engine() { return ini_; }
  const std::string& argument() const { return argument_; }
  // The file's name as the engine's path text.
  const std::string& pathText() const { return pathText_; }
  // Whether the file existed and could be read when it was bound.
  bool existed() const { return existed_; }
  // CommandFailed "cannot read FILE" unless it existed.
  void RequireReadable() const;

  // The entry's value as GetIniValue gives it, or nullopt when the index holds no record for
  // it: an empty value and a missing entry both read as "" through GetIniValue.
  std::optional<std::string> Lookup(const std::string& section, const std::string& entry);
  // The header name as the section reader finds it, or nullopt when there is none.
  std::optional<std::string> FindSection(const std::string& section);
  // Name and value of every entry of the section FindSection found last, as the section
  // reader walks it (passing comments over, ending at an entry with an empty name).
  std::vector<std::pair<std::string, std::string>> EntriesOfFoundSection();
  // Every section header in the order of the text, as the section reader tests headers (on
  // the whole line, so '[A] ;x' is none), duplicates and "[]" included.
  std::vector<std::string> SectionNames() const;

  // The index file's name as the engine gives it (FILE's name before its last point, with
  // ".gix"). CommandFailed when it would not lie in FILE's own folder, which is where the last
  // point stands in a folder's name or there is none: orvo writes no index file elsewhere.
  std::string IndexFileBeside() const;

  // Saves the edits, if any. A file that did not exist has nothing to set aside, so it is
  // created without a backup. With withIndex the index is rebuilt first, so that the index
  // file matches the text saved with it. CommandFailed when the engine did not save.
  void Save(bool backup, bool withIndex);

  // "[Section] of FILE" and "Entry in [Section] of FILE", for messages.
  std::string Where(const std::string& section) const;
  std::string Where(const std::string& section, const std::string& entry) const;

 private:
  // A loaded index file that does not match the text: one warning; an edit then goes by the
  // text's own index, a lookup by the index file, as the loader's would.
  void WarnOfStaleIndex(Use use);

  std::optional<storage::EditLock> lock_;
  std::string argument_;
  std::string pathText_;
  bool existed_ = false;
  INIFile ini_;
};

}  // namespace orvo::cli
