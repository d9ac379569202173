// Reading a rollback journal: which journals a reader believes, and what it does with one whose
// writer has gone. A journal is believed only as far as its writer could have written the file
// itself, and only for the write it recorded.
#include <algorithm>

#include "storage/Journal.h"
#include "storage/JournalText.h"
#include "storage/Notices.h"
#include "storage/ReadOnlyLift.h"
#include "storage/ReadersAndWriters.h"

namespace orvo::storage {
namespace {

using platform::Node;
using platform::NodeKind;
using platform::OpenFile;
using platform::SavePrimitives;

// Why what has a journal's name is no journal this reader believes, or nullopt where it is one:
// a plain file of one name that no one but its owner may write, whose owner could write the
// file itself (root, the file's owner, this reader, a member of a group that may write it).
// Anything else was put there by someone who could not have written the file (a hard link to
// a file anyone may write, a pipe, another user's text), and is left alone.
std::optional<std::string> Distrusted(SavePrimitives& system, const Node& journal, const Node& file) {
  if (journal.kind != NodeKind::PlainFile) return "it is no plain file";
  if (journal.links != 1) return "it has another name too";
  if (journal.othersMayWrite) return "others may write it";
  const auto owner = journal.owner;
  if (owner && *owner != 0 && owner != file.owner && owner != system.OwnUser() && !system.CouldWrite(*owner, file))
    return "its owner could not write the file";
  return std::nullopt;
}

// A journal beside the file is tied to its device by the folder, and a device's number may
// change when the machine starts again (after the power cut that a journal is for), so there
// the file number alone must match.
bool JournalOf(const std::string& identity, const Node& file, bool beside) {
  return beside ? identity.substr(identity.find('-') + 1) == file.number : identity == file.identity;
}

// The journal as its head gives it, read no further than the head says; nullopt where it is
// no journal or one cut short.
std::optional<JournalContent> ReadJournal(OpenFile& journal, std::int64_t size) {
  const std::string first = journal.ReadAt(0, kHeadRoom);
  const auto head = ReadJournalHead(first);
  if (!head || static_cast<std::uint64_t>(size) != head->headLength + head->oldLength + head->newLength)
    return std::nullopt;
  return ReadJournalText(first.substr(0, head->headLength),
                         journal.ReadAt(static_cast<std::int64_t>(head->headLength), head->oldLength + head->newLength));
}

// Whether the file holds what the recorded write could have left of it: each byte the old one
// or the new one at its place, or none yet (a block the device had not written when the
// machine went down), and a length from the shorter text's to the longer's (a write cut short
// past the old end leaves the file as long as it came). Any other text was written since by
// someone else, and the old bytes are not to be played over it.
bool LeftByTheWrite(const std::string& now, const JournalContent& write) {
  const std::string &old = write.oldBytes, &made = write.newBytes;
  if (now.size() < std::min(old.size(), made.size()) || now.size() > std::max(old.size(), made.size())) return false;
  for (std::size_t i = 0; i < now.size(); ++i)
    if (!(i < old.size() && now[i] == old[i]) && !(i < made.size() && now[i] == made[i]) && now[i] != '\0') return false;
  return true;
}

// Puts the old bytes back where the file is still the one the journal was written for, with
// the read-only mark it had; false where this reader cannot.
bool PutBack(SavePrimitives& system, const std::string& target, const Node& file, const JournalContent& write,
             bool readerHoldsTheLock) {
  return failure::QuietDefault(false, [&] {
    ReadOnlyLift lift(system, target, file.readOnly);
    const auto open = system.OpenToWrite(target);
    if (open->Facts().identity != file.identity || (!readerHoldsTheLock && !WaitForTheLock(*open, true))) return false;
    open->WriteAt(0, write.oldBytes);
    open->Cut(static_cast<std::int64_t>(write.oldBytes.size()));
    open->Flush();
    lift.Settle(write.wasReadOnly || file.readOnly);
    return true;
  });
}

// The journal of a save that another program's write came after: kept under another name,
// so that the old text stays readable and no later save takes it for its own.
void SetAside(SavePrimitives& system, const std::string& name, const std::string& target) {
  const std::string aside = name + std::string(kSetAsideSuffix);
  const bool moved = failure::QuietDefault(false, [&] {
    system.Rename(name, aside, false);
    return true;
  });
  Notice(target + " was written by another program after a save of it was cut short: its text stands, and the text "
         "it had before that save is kept in " + (moved ? aside : name));
}

// What the reader takes from one journal of the file (see RollBackUnfinishedWrite).
std::optional<std::string> PlayBack(SavePrimitives& system, const std::string& name, const std::string& target,
                                    bool beside, bool readerHoldsTheLock, bool& playedBack) {
  auto found = system.FindJournal(name);
  if (!found) return std::nullopt;
  // The file is looked at once a journal has opened: a load finds none, and spares that look.
  const auto file = system.Look(target);
  if (!file || file->kind != NodeKind::PlainFile) return std::nullopt;
  OpenFile& journal = *found->file;
  const Node facts = journal.Facts();
  if (const auto why = Distrusted(system, facts, *file)) {
    Notice(name + " is left alone, since it is no journal of a save of " + target + ": " + *why);
    return std::nullopt;
  }
  // A journal that went while this reader waited for it was a write made final.
  if (!found->held && !journal.IsNamed(name)) return std::nullopt;
  const auto content = ReadJournal(journal, facts.size);
  if (content && !JournalOf(content->identity, *file, beside)) return std::nullopt;  // another file's
  if (found->held) return content ? std::optional(content->oldBytes) : std::nullopt;
  if (content) {
    const std::string now = system.OpenToRead(target)->ReadAt(0, static_cast<std::size_t>(file->size));
    // Written since by another program: its text stands, and the journal is set aside.
    if (!LeftByTheWrite(now, *content)) return SetAside(system, name, target), std::nullopt;
    if (!PutBack(system, target, *file, *content, readerHoldsTheLock)) return content->oldBytes;
    playedBack = true;
  }
  // Cut short, it was written before the file's first byte changed: the file is as it was.
  journal.RemoveName(name);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RollBackUnfinishedWrite(SavePrimitives& system, const std::string& target,
                                                   bool readerHoldsTheLock, bool* playedBack) noexcept {
  bool played = false;
  const auto old = failure::QuietDefault(std::optional<std::string>(), [&]() -> std::optional<std::string> {
    if (auto held = PlayBack(system, JournalBeside(target), target, true, readerHoldsTheLock, played)) return held;
    // A journal in the user's own folder is named after the file's identity.
    const auto folder = system.OwnJournalFolder(false);
    const auto file = folder ? system.Look(target) : std::nullopt;
    return file ? PlayBack(system, JournalInOwnFolder(*folder, file->identity), target, false, readerHoldsTheLock, played)
                : std::nullopt;
  });
  if (playedBack != nullptr) *playedBack = played;
  return old;
}

}  // namespace orvo::storage
