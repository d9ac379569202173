// Which way a save goes (see Save.h), and why.
#include "platform/host_path.h"
#include "storage/Journal.h"
#include "storage/Leftovers.h"
#include "storage/NewFile.h"
#include "storage/Refusals.h"
#include "storage/Save.h"
#include "storage/WriteInPlace.h"

namespace orvo::storage {
namespace {

using platform::Carry;
using platform::Node;
using platform::NodeKind;
using platform::SavePrimitives;

// The new text as a complete new file that takes the file's place. False, with nothing
// changed, where the file cannot be replaced as the same file it was.
bool ReplaceByNewFile(SavePrimitives& system, const std::string& target, const std::string& bytes,
                      ReadOnlyFile readOnly) {
  if (!system.MayReplace(target) || !RoomForNewFileBeside(system, target)) return false;
  std::optional<NewFile> file;
  if (RefusedAs(kLeftAsItStands, [&] { file.emplace(system, target); }) != Refusal::None) return false;
  if (!system.CarryIdentity(target, file->file(), Carry::Replacement, readOnly == ReadOnlyFile::MakeWritable))
    return false;
  file->file().WriteAt(0, bytes);
  return file->Publish(true) == Refusal::None;
}

// A file not there yet: a complete new file takes the free name, with the readers of
// readersOf where one is named. A name with no room beside it for a new file's name, on a
// system that names new files while they are written, is made where it stands.
void MakeNewFile(SavePrimitives& system, const std::string& target, const std::string& bytes,
                 const std::string& readersOf) {
  const auto readers = readersOf.empty() ? std::nullopt : system.Look(readersOf);
  const auto fill = [&](platform::OpenFile& made) {
    if (readers) system.GiveReadersOf(*readers, made);
    else system.GiveNewFileDefaults(made);
    made.WriteAt(0, bytes);
  };
  std::optional<NewFile> file;
  if (RefusedAs({Refusal::NameTooLong}, [&] { file.emplace(system, target); }) != Refusal::None)
    return MakeWhereItStands(system, target, fill);
  fill(file->file());
  file->Publish(false);
}

// The file as the save left it at its name.
std::string Saved(SavePrimitives& system, const std::string& target) {
  const auto file = system.Look(target);
  return file ? platform::SeenAs(*file) : std::string();
}

}  // namespace

OrvoError ChangedOnDisk() {
  return OrvoError(OrvoError::Kind::System,
                   "The file on disk is no longer the one that was read (another program changed or replaced it); "
                   "nothing was written: read it again, then make the change");
}

std::string ReplaceFileBytes(const std::string& path, const std::string& bytes, const SaveAs& as, SavePrimitives& system) {
  const std::string target = system.ResolveLink(platform::ToHostPath(path));
  // A write in place that did not finish is undone first: its journal holds the file's bytes.
  RollBackUnfinishedWrite(system, target);
  SettleNewFiles(system, target, Settle::RemoveAndFinish);
  const std::optional<Node> file = system.Look(target);
  // Another file at the name than the one read, or one where none was: not the saver's to write.
  if (file && file->kind == NodeKind::PlainFile && as.read && platform::SeenAs(*file) != *as.read) throw ChangedOnDisk();
  if (!file) {
    MakeNewFile(system, target, bytes, as.readersOf.empty() ? "" : system.ResolveLink(platform::ToHostPath(as.readersOf)));
    return Saved(system, target);
  }
  // A link where the followed name stood a moment ago leads somewhere nobody asked for.
  if (file->kind == NodeKind::Link) throw ChangedOnDisk();
  // A device or a pipe has no content to lose: it takes the bytes as it stands.
  if (file->kind == NodeKind::Other) {
    system.WriteAsItStands(target, bytes);
    return Saved(system, target);
  }
  // A folder, a file this saver may not write, and a read-only one it is not to write, are
  // refused in the system's own words: those of the opening that a write in place would make.
  const bool writable = file->readOnly ? as.readOnly != ReadOnlyFile::Refuse : system.MayWrite(target);
  if (file->kind == NodeKind::Folder || !writable) {
    system.OpenToWrite(target);
    throw OrvoError(OrvoError::Kind::System, "The file cannot be written");
  }
  // A second link would lose the edit if the name took a new file.
  if (file->links == 1 && ReplaceByNewFile(system, target, bytes, as.readOnly)) return Saved(system, target);
  return WriteInPlace(system, target, *file, bytes, as.readOnly);
}

bool FinishInterruptedReplace(const std::string& path, SavePrimitives& system) noexcept {
  return failure::QuietDefault(false, [&] {
    const std::string target = system.ResolveLink(platform::ToHostPath(path));
    if (system.Look(target)) return false;
    SettleNewFiles(system, target, Settle::FinishOnly);
    return system.Look(target).has_value();
  });
}

}  // namespace orvo::storage
