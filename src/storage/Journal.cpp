// Writing a rollback journal: where it goes, how it is made complete before anyone can take it
// for one, and how it is given up.
#include "storage/Journal.h"

#include "storage/JournalText.h"
#include "storage/Refusals.h"

namespace orvo::storage {
namespace {

using platform::OpenFile;
using platform::SavePrimitives;

OrvoError Busy() { return OrvoError(OrvoError::Kind::System, "another program is writing the file in place"); }

// Something has the journal's name already: the journal of a running write, which keeps this
// one out, or anything else (a journal of a write that could not be played back, a name that
// somebody put there), which this write leaves alone and goes past.
void RefuseWhereAWriterHolds(SavePrimitives& system, const std::string& name) {
  const auto found = system.FindJournal(name);
  if (found && found->held) throw Busy();
}

// Makes the journal under name; false, with nothing made, where the name's folder takes no new
// file or the name is taken by something no writer holds.
bool Make(SavePrimitives& system, const std::string& name, const platform::Node& file, const std::string& text,
          std::unique_ptr<OpenFile>& made) {
  if (!system.NameFits(name)) return false;
  std::unique_ptr<OpenFile> journal;
  // A journal with no name yet is complete and held before any reader can find it.
  if (RefusedAs(kLeftAsItStands, [&] { journal = system.NewUnnamedFile(name, true); }) != Refusal::None) return false;
  if (journal) {
    system.GiveReadersOf(file, *journal);
    journal->WriteAt(0, text);
    journal->Flush();
    const Refusal named = RefusedAs({Refusal::AlreadyExists}, [&] { system.NameNewFile(*journal, name); });
    if (named != Refusal::None) return RefuseWhereAWriterHolds(system, name), false;
  } else {
    const Refusal created = RefusedAs({Refusal::AlreadyExists, Refusal::NoNewFileHere, Refusal::NameTooLong},
                                      [&] { journal = system.CreateNewFile(name, true); });
    if (created == Refusal::AlreadyExists) RefuseWhereAWriterHolds(system, name);
    if (created != Refusal::None) return false;
    failure::Guarded([&] {
      system.GiveReadersOf(file, *journal);
      journal->WriteAt(0, text);
      journal->Flush();
      // A reader that found it before it was complete took it for one cut short, and removed it.
      if (!journal->IsNamed(name)) throw Busy();
    }, [&](const Failure& f) {
      journal->RemoveName(name);
      throw OrvoError(f.kind, f.description);
    });
  }
  system.SyncFolderOf(name);
  made = std::move(journal);
  return true;
}


}  // namespace

std::string JournalBeside(const std::string& target) { return target + std::string(kJournalSuffix); }

std::string JournalInOwnFolder(const std::string& folder, const std::string& identity) {
  return folder + identity + std::string(kJournalSuffix);
}

RollbackJournal::RollbackJournal(SavePrimitives& system, const std::string& target, const platform::Node& file,
                                 const std::string& oldBytes, const std::string& newBytes)
    : system_(system), name_(JournalBeside(target)) {
  const std::string text = JournalText({file.identity, oldBytes, newBytes, file.readOnly});
  if (Make(system, name_, file, text, file_)) return;
  const auto own = system.OwnJournalFolder(true);
  const std::string folder = system.FolderPartOf(target);
  if (!own)
    throw OrvoError(OrvoError::Kind::System,
                    "No journal can be made for a write in place: " + (folder.empty() ? "." : folder) +
                        " takes no new file, and there is no journal folder of your own; let that folder take new "
                        "files, or " + system.OwnJournalFolderHint());
  name_ = JournalInOwnFolder(*own, file.identity);
  if (!Make(system, name_, file, text, file_)) throw Busy();
}

void RollbackJournal::Commit() {
  if (file_->RemoveName(name_)) return;
  // A journal that cannot go is emptied: one cut short is never played back.
  file_->Cut(0);
  file_->Flush();
}

}  // namespace orvo::storage
