#include "storage/WriteInPlace.h"

#include "storage/Journal.h"
#include "storage/ReadOnlyLift.h"
#include "storage/ReadersAndWriters.h"

namespace orvo::storage {
namespace {

using platform::OpenFile;

void WriteAndCut(OpenFile& file, const std::string& bytes) {
  file.WriteAt(0, bytes);
  file.Cut(static_cast<std::int64_t>(bytes.size()));
  file.Flush();
}

// The opening, checked to be the file the save looked at.
std::unique_ptr<OpenFile> Opened(std::unique_ptr<OpenFile> open, const platform::Node& file) {
  if (open->Facts().identity != file.identity) throw ChangedOnDisk();
  return open;
}

}  // namespace

std::string WriteInPlace(platform::SavePrimitives& system, const std::string& target, const platform::Node& file,
                         const std::string& bytes, ReadOnlyFile readOnly) {
  // A read-only file is read as it stands, and opened for writing once its journal says that
  // it was read-only, so that a write killed at any moment leaves it read-only.
  auto open = Opened(file.readOnly ? system.OpenToRead(target) : system.OpenToWrite(target), file);
  const platform::Node facts = open->Facts();
  const std::string old = open->ReadAt(0, static_cast<std::size_t>(facts.size));
  // From here until Commit() a reader that comes after this process has gone takes the old
  // bytes from the journal, whatever the file holds.
  RollbackJournal journal(system, target, facts, old, bytes);
  ReadOnlyLift lift(system, target, facts.readOnly);
  if (facts.readOnly) {
    open = Opened(system.OpenToWrite(target), file);
    lift.Settle(readOnly == ReadOnlyFile::KeepReadOnly);
  }
  // No reader of this program reads the file while its bytes change, nor is one cut off mid-read.
  if (!WaitForTheLock(*open, true)) throw OrvoError(OrvoError::Kind::System, "another program keeps reading the file");
  failure::Guarded([&] {
    if (bytes.size() > old.size()) open->TakeRoom(static_cast<std::int64_t>(old.size()), bytes.substr(old.size()));
    WriteAndCut(*open, bytes);
  }, [&](const Failure& f) {
    // Where the old bytes cannot be put back now, the journal stays for the next reader.
    failure::Quietly([&] {
      WriteAndCut(*open, old);
      if (facts.readOnly) system.SetReadOnly(target, true);
      journal.Commit();
    });
    throw OrvoError(f.kind, f.description);
  });
  journal.Commit();
  return platform::SeenAs(open->Facts());
}

}  // namespace orvo::storage
