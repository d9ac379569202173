#include "storage/NewFile.h"

#include "storage/NewFileName.h"
#include "storage/Refusals.h"

namespace orvo::storage {

using platform::SavePrimitives;

bool RoomForNewFileBeside(SavePrimitives& system, const std::string& target) {
  return system.NameFits(NewFileName(target, ~std::uint64_t{0} >> 32, ~0u, NewFileStage::Ready));
}

void MakeWhereItStands(SavePrimitives& system, const std::string& target,
                       const std::function<void(platform::OpenFile&)>& fill) {
  const auto made = system.CreateNewFile(target, false);
  failure::Guarded([&] {
    fill(*made);
    made->Flush();
  }, [&](const Failure& f) {
    made->RemoveName(target);
    throw OrvoError(f.kind, f.description);
  });
}

NewFile::NewFile(SavePrimitives& system, const std::string& target) : system_(system), target_(target) {
  file_ = system_.NewUnnamedFile(target_, false);
  if (!file_) NameFree(Naming::Create);
}

NewFile::~NewFile() {
  file_.reset();
  if (!published_ && !named_.empty()) failure::Quietly([&] { system_.RemoveName(named_); });
}

void NewFile::NameFree(Naming naming) {
  const std::uint64_t process = system_.OwnProcess();
  const NewFileStage stage = naming == Naming::MarkReady ? NewFileStage::Ready : NewFileStage::Writing;
  for (unsigned attempt = 0;; ++attempt) {
    const std::string name = NewFileName(target_, process, attempt, stage);
    if (!system_.NameFits(name))
      throw platform::SaveRefusal(Refusal::NameTooLong, OrvoError::Kind::System, "The file name is too long");
    const Refusal taken = RefusedAs({Refusal::AlreadyExists}, [&] {
      if (naming == Naming::Create) file_ = system_.CreateNewFile(name, false);
      else if (naming == Naming::NameUnnamed) system_.NameNewFile(*file_, name);
      else system_.Rename(named_, name, false);
    });
    if (taken == Refusal::None) {
      named_ = name;
      return;
    }
  }
}

Refusal NewFile::Publish(bool replacing) {
  file_->Flush();
  if (named_.empty()) {
    if (!replacing) {
      system_.NameNewFile(*file_, target_);
      published_ = true;
      return Refusal::None;
    }
    // A new name cannot replace one: the complete file takes a free name first, for as long
    // as the rename below takes.
    NameFree(Naming::NameUnnamed);
  }
  file_.reset();
  if (replacing && !system_.ReplaceIsOneStep()) NameFree(Naming::MarkReady);
  // A replace of more than one step may have taken the old file away before it failed: the
  // complete new text takes the empty name at once, or keeps its ready name for the next reader
  // (Leftovers.h), and is never removed.
  const auto tookTheOldFileAway = [&] { return replacing && !system_.ReplaceIsOneStep() && !system_.Look(target_); };
  const auto takeTheEmptyName = [&] {
    published_ = true;
    system_.Rename(named_, target_, false);
  };
  const Refusal refused = failure::Guarded(
      [&] { return RefusedAs(kLeftAsItStands, [&] { system_.Rename(named_, target_, replacing); }); },
      [&](const Failure& f) -> Refusal {
        if (tookTheOldFileAway()) failure::Quietly(takeTheEmptyName);
        throw OrvoError(f.kind, f.description);
      });
  if (refused != Refusal::None && !tookTheOldFileAway()) return refused;
  if (refused != Refusal::None) takeTheEmptyName();
  published_ = true;
  // The new name itself reaches the device with the folder.
  system_.SyncFolderOf(target_);
  return Refusal::None;
}

}  // namespace orvo::storage
