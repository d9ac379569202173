// INIFile: binding to a file, loading it, trusting or ignoring its index file, and saving
// with the ".PreOrvo" backup, the new text replacing the file as the same file.
#include <array>
#include <limits>
#include <optional>
#include <utility>

#include "common/DateValue.h"
#include "ini/FailureScheme.h"
#include "platform/files.h"
#include "storage/IndexFile.h"
#include "storage/ReadersAndWriters.h"
#include "storage/Save.h"
#include "vocabulary/TextOps.h"

namespace orvo {
namespace {

// "" and "dummy" bind the object to no file.
bool IsUnbound(const std::string& name) { return name.empty() || name == "dummy"; }

// The game's INI files by their own name, tested in this order.
std::int32_t GameIniNumber(const std::string& ownName) {
  static const std::array<std::pair<const char*, std::int32_t>, 6> kNumbers = {{
      {"core.ini", 0},
      {"app.ini", 10},
      {"player.ini", 20},
      {"server.ini", 65},
      {"address.ini", 50},
      {"67season.ini", 60},
  }};
  const std::string lower = text::Lower(ownName);
  for (const auto& [name, number] : kNumbers)
    if (lower == name) return number;
  return -1;
}

// Refuses what the engine cannot hold, before anything of it is read: a pipe or a socket, whose
// reading would wait for a writer without end and take its bytes away from the program they
// were written for, and a file whose positions would leave the 32-bit whole numbers that every
// position of the text is held in. A device (NUL, /dev/null) is held as the empty text it reads
// as. The check is part of Refresh's reading of the file, so its failure is Refresh's, for a
// binding too: the box " in inifile.Refresh", then the reading tried again, as for any other
// failure of it (the player may replace the file meanwhile).
void RefuseUnholdable(platform::OpenedKind kind, std::int64_t size) {
  if (kind == platform::OpenedKind::PipeOrSocket) throw OrvoError(OrvoError::Kind::InvalidArgument, "Not a plain file");
  if (size > std::numeric_limits<std::int32_t>::max()) throw OrvoError(OrvoError::Kind::Overflow, "File too large");
}

}  // namespace

void INIFile::SetFilename(const std::string& pFileName) {
  Guard(" in inifile.Filename (Let)", ini::NoDiagnostics, [&] {
    sFilename = pFileName;
    // A name that is bound to no file, or whose file cannot be opened for reading, empties
    // the object; any other is loaded by the same opening that found it readable.
    if (IsUnbound(sFilename) || !Reload(true)) {
      Clear();
      sSeenOnDisk.clear();
    }
    std::string folder, ownName;
    Common().GetPath(pFileName, folder, ownName);
    lIniNumber = GameIniNumber(ownName);
  });
}

void INIFile::Refresh() { Reload(false); }

// A step that fails on every attempt is given up after the third box; Refresh then returns
// with what the earlier steps did, and Changed as it was. A binding that gives up answers
// false, so that the object is emptied rather than left with the earlier file's text, which
// a later save would write over the new file.
bool INIFile::Reload(bool pBinding) {
  bool finished = false;
  failure::RetryBoundary([&] {
    // The INI file's date comes from the opening that read it; a file that was not read has
    // its date asked for by name.
    std::optional<double> ownDate;
    if (!IsUnbound(sFilename)) {
      // Whether the file can be read, its content and its date, from one opening of it: a
      // file that cannot be opened reads as the empty text, or ends a binding's load.
      bool readable = true;
      RetryStep([&] {
        // A write in place that its program did not finish is undone before the file is read,
        // and none under way is half read; a replace killed part-way gives the name its
        // complete new text.
        std::optional<std::string> unfinished;
        const auto read = [&] {
          return platform::ReadFileBytesIfReadable(sFilename, RefuseUnholdable,
                                                   storage::PutRightBeforeReading(sFilename, unfinished));
        };
        std::optional<platform::FileContent> content = read();
        if (!content && storage::FinishInterruptedReplace(sFilename)) content = read();
        if (content && unfinished) content->bytes = *unfinished;
        readable = content.has_value();
        if (!readable && pBinding) return;
        sIniFile = content ? std::move(content->bytes) : std::string();
        sSeenOnDisk = content ? content->seen : std::string();
        ownDate = content ? std::optional(FileDateValue(content->lastModified)) : std::nullopt;
      });
      if (!readable && pBinding) return;
    }
    RetryStep([&] {
      // The dates have whole seconds: an index file written in the same second as the INI
      // file is not trusted.
      const std::string indexName = IndexFileName();
      // An index file that cannot be read as one (ReadIndexFile) is not trusted either.
      std::optional<std::string> indexText;
      if (Common().FileDate(indexName) > (ownDate ? *ownDate : Common().FileDate(sFilename)))
        indexText = storage::ReadIndexFile(indexName);
      if (indexText) {
        sIndex = std::move(*indexText);
        IndexChanged();
        bIndexDirty = false;
        bIndexFromText = false;  // it may have been made for another text: an edit checks its positions
      } else {
        bIndexDirty = true;
      }
    });
    bChanged = false;
    finished = true;
  });
  return finished || !pBinding;
}

void INIFile::Save(bool pBackupOriginalFile) {
  if (IsUnbound(sFilename) || !bChanged) return;
  const std::string suffix = " in Save " + sFilename;
  Guard(suffix, ini::NoDiagnostics, [&] {
    if (sFilename.size() >= 5 && text::Upper(sFilename.substr(sFilename.size() - 5)) == "\\.INI") {
      IniFileDump();
      ShowFatalError("Invalid filename in SaveIniFile");  // and the file is still written
    }
    // A file that is there but cannot be read is no missing file: a text saved over it would
    // be one that never held what the file holds. Nothing is written, not even the index file.
    // Looked at once: the index file and the backup leave the file itself as it is.
    const auto facts = platform::InspectFile(sFilename);
    if (facts && !Common().FileExists(sFilename))
      throw OrvoError(OrvoError::Kind::System, "The file cannot be read, and its text would be lost");
    // The index file is written only where it can be a file of its own, and the write is as
    // quiet as any other failure of it.
    if (bSaveIndex && !IndexFileRefusal()) WriteIndexFile();

    // The backup is a copy, complete before the file is touched: the file itself never
    // leaves its name, and a link keeps pointing at the file that gets the edit.
    const std::string backup = sFilename + ".PreOrvo";
    if (pBackupOriginalFile && !Common().FileExists(backup)) {
      // A backup already there (even one that cannot be read) is kept, without a word.
      failure::Guarded([&] { storage::CopyToNewFile(sFilename, backup); },
                       [&](const Failure& f) {
                         if (f.kind != OrvoError::Kind::AlreadyExists) throw OrvoError(f.kind, f.description);
                       });
    }
    // The new text replaces the file as the same file: a save that fails part-way (a full
    // device, a killed program) leaves the file as it was, or absent as it was, never a mix.
    // A missing file is made by that step itself. A read-only file is made writable by the
    // save (or kept read-only, for a tool that asks), and is read-only still when the save fails.
    // It is the file that was read, or none: another program's file at the name is refused.
    storage::SaveAs file;
    file.readOnly = bKeepReadOnly ? storage::ReadOnlyFile::KeepReadOnly : storage::ReadOnlyFile::MakeWritable;
    file.read = sSeenOnDisk;
    sSeenOnDisk = storage::ReplaceFileBytes(sFilename, sIniFile, file);
    bChanged = false;
  });
}

void INIFile::WriteIndexFile() const {
  // Written as WriteNewIniFile writes it, quietly, and as a new file readable by no one that the
  // INI file is not: the index holds every value of the text.
  storage::SaveAs index;
  index.readersOf = sFilename;
  failure::Quietly([&] { storage::ReplaceFileBytes(IndexFileName(), sIndex + "\r\n", index); });
}

std::string INIFile::IndexFileName() const { return Common().FilePart(sFilename) + ".gix"; }

std::optional<std::string> INIFile::IndexFileRefusal() const {
  return storage::IndexFileRefusal(IndexFileName(), sFilename);
}

void INIFile::Clear() {
  Guard(" in IniFile.Clear", ini::NoDiagnostics, [&] {
    sIniFile.clear();
    bChanged = false;
    bIndexDirty = true;
  });
}

}  // namespace orvo
