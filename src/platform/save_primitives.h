#pragma once
// What a save is made of, as each system gives it: small steps, each named for what it does,
// none deciding anything. Which steps a save takes, in which order and with which fall-backs is
// the save policy's (src/storage), written once for every system, as a pager stands over the
// file system beneath it. A test steers a save through its own set of these steps.
//
// Names here are host paths (ToHostPath gives them), never path texts. Unless a step says
// otherwise it throws OrvoError with the system's own description when the system refuses it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vocabulary/Failure.h"

namespace orvo::platform {

// What one file is, from one look at it.
enum class NodeKind { PlainFile, Folder, Link, Other };  // Other: a device, a pipe, a socket
struct Node {
  NodeKind kind = NodeKind::PlainFile;
  // The file's device and number as a text: two names with the same identity are one file.
  std::string identity;
  // The number alone, which stays when the device's number changes with a restart.
  std::string number;
  std::uint64_t links = 1;
  std::int64_t size = 0;
  // No one may write it (no write bit at all, or the read-only attribute).
  bool readOnly = false;
  // Its owner and group where the system has owners (nullopt elsewhere), its permission bits
  // there, and whether anyone but the owner may write it.
  std::optional<std::uint32_t> owner, group;
  std::uint32_t mode = 0;
  bool othersMayWrite = false;
  // Its length and the time its content last changed, as a text: a file written since it was
  // looked at has another version.
  std::string version;
};
// The identity and the version together: what a save holds against the file it read.
inline std::string SeenAs(const Node& node) { return node.identity + "@" + node.version; }

// How a refusal of the system reads to the policy: the few refusals it answers in its own way.
enum class Refusal {
  None,
  AlreadyExists,   // the name is taken
  NoNewFileHere,   // the folder takes no new file (rights, a read-only device, a quota)
  NameTooLong,     // no room for the name
  NotAsItStands,   // a replace or a new file the system refuses with the file left as it was
  Other,
};

// A refusal of one of these steps: an OrvoError like any other, which also says how the
// policy may read it.
class SaveRefusal : public OrvoError {
 public:
  SaveRefusal(Refusal refusal, Kind kind, const std::string& description)
      : OrvoError(kind, description), refusal_(refusal) {}
  Refusal refusal() const noexcept { return refusal_; }

 private:
  Refusal refusal_;
};

// One open file. It is closed when the object goes; writes go through the device-room and
// write seams (device_room.h, write_faults.h), as every write of the program does.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  virtual Node Facts() = 0;
  // Up to count bytes at offset; fewer at the end of the file.
  virtual std::string ReadAt(std::int64_t offset, std::size_t count) = 0;
  // Every byte at offset (the file grows where they reach past its end).
  virtual void WriteAt(std::int64_t offset, const std::string& bytes) = 0;
  // Takes the room that the bytes beyond the file's oldSize need before anything of the file
  // changes, so that a full device fails first: reserved where the system can, written there
  // where it cannot (the file then reaches past oldSize until it is cut).
  virtual void TakeRoom(std::int64_t oldSize, const std::string& tail) = 0;
  virtual void Cut(std::int64_t length) = 0;
  // The bytes and the length on the device.
  virtual void Flush() = 0;
  // Whether the name still leads to this file: not removed, not replaced by another.
  virtual bool IsNamed(const std::string& name) = 0;
  // Removes the name where it still leads to this file; false where it does not (or the system
  // refuses).
  virtual bool RemoveName(const std::string& name) = 0;
  // One try at the lock by which this program's readers and its writes in place keep out of
  // each other, on the file and not on its bytes (other programs read and write it as ever):
  // shared for a read, exclusive for a write, which takes a file opened for writing. False
  // where another holder keeps it from being taken now; true also where the file takes no such
  // lock (a device). It is let go when the object goes.
  virtual bool TryLock(bool exclusive) = 0;
};

// An edit lock held while the object lives; the system lets it go when its holder ends.
class HeldLock {
 public:
  virtual ~HeldLock() = default;
};

// What carrying a file's identity to a new file is for: a replacement, which must be the file
// it replaces in every respect or is not made; or a copy, which keeps what it can and is never
// readable by more than the file.
enum class Carry { Replacement, Copy };

// A journal found under its name: the open file, and whether a running writer holds it.
struct FoundJournal {
  std::unique_ptr<OpenFile> file;
  bool held = false;
};

enum class LockTry { Taken, HeldByAnother, NothingToLock };

class SavePrimitives {
 public:
  virtual ~SavePrimitives() = default;

  // ---- names --------------------------------------------------------------------------
  // Where the folder part of a host path ends: the position of its last separator, npos for
  // a bare name.
  virtual std::size_t LastSeparator(const std::string& name) = 0;
  // The folder part of a name, with its separator; "" for a bare name.
  std::string FolderPartOf(const std::string& name) {
    const auto cut = LastSeparator(name);
    return cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
  }
  // Whether the system takes a name this long (the whole path and its last part).
  virtual bool NameFits(const std::string& name) = 0;
  // The file a name leads to: through a link (or a chain of them), the file the link names;
  // a link to nothing, where that file would be made; any other name as it stands.
  virtual std::string ResolveLink(const std::string& name) = 0;
  // What the name leads to; nullopt when nothing is there (or it cannot be looked at).
  virtual std::optional<Node> Look(const std::string& name) = 0;
  // Whether this process may open the file for writing as it stands.
  virtual bool MayWrite(const std::string& name) = 0;
  // The names in folder (as LastSeparator cuts it) that begin with prefix.
  virtual std::vector<std::string> NamesBeginningWith(const std::string& folder, const std::string& prefix) = 0;
  virtual void RemoveName(const std::string& name) = 0;
  // Gives the file from the name to; replacing a file of that name, or failing with
  // AlreadyExists where there is one.
  virtual void Rename(const std::string& from, const std::string& to, bool replacing) = 0;
  // Whether a rename that replaces is one step: a moment with neither file at the name is
  // possible where it is not.
  virtual bool ReplaceIsOneStep() = 0;
  // The names of the folder of name on the device; a folder that cannot be flushed is let be.
  virtual void SyncFolderOf(const std::string& name) noexcept = 0;
  virtual void SetReadOnly(const std::string& name, bool readOnly) = 0;
  // Whether a new file may take the file's place now: a program that holds it open without
  // letting it be deleted refuses that on some systems.
  virtual bool MayReplace(const std::string& name) = 0;

  // ---- files --------------------------------------------------------------------------
  // A file opened to be read and written where it stands, a link not followed.
  virtual std::unique_ptr<OpenFile> OpenToWrite(const std::string& name) = 0;
  // A file opened to be read, a link not followed, never waiting on a pipe.
  virtual std::unique_ptr<OpenFile> OpenToRead(const std::string& name) = 0;
  // A new file that has no name until NameNewFile gives it one, in the folder of beside,
  // readable by this process alone until its identity is carried to it; nullptr where the
  // system makes no such files. held: as for CreateNewFile.
  virtual std::unique_ptr<OpenFile> NewUnnamedFile(const std::string& beside, bool held) = 0;
  virtual void NameNewFile(OpenFile& file, const std::string& name) = 0;
  // A new file under a name that nothing has yet (AlreadyExists where something has), a link
  // not followed, readable by this process alone until its identity is carried to it. held:
  // the file is held for as long as it is open, as a journal's writer holds it.
  virtual std::unique_ptr<OpenFile> CreateNewFile(const std::string& name, bool held) = 0;
  // Gives the new file what the file at from is: with Carry::Replacement its owner, group,
  // mode, attributes and flags, false where any of them cannot be given (or cannot be seen);
  // with Carry::Copy what can be given of them, its dates too, false where the copy would be
  // readable by more than from. writable: the new file may be written by its owner, whatever
  // from is.
  virtual bool CarryIdentity(const std::string& from, OpenFile& to, Carry use, bool writable) = 0;
  // What a file gets that has nothing to be given: the mode a new file of the user's gets.
  virtual void GiveNewFileDefaults(OpenFile& file) = 0;
  // The readers of the journal of a file: those who may read the file, no more.
  virtual void GiveReadersOf(const Node& file, OpenFile& journal) = 0;
  // Writes the bytes to a name that is no plain file (a device, a pipe), as it stands.
  virtual void WriteAsItStands(const std::string& name, const std::string& bytes) = 0;

  // ---- journals and locks -------------------------------------------------------------
  // The journal under name, open to be read and, where no writer holds it, removed; nullopt
  // where nothing (or nothing but a link) has that name.
  virtual std::optional<FoundJournal> FindJournal(const std::string& name) = 0;
  // The user's own folder for journals, made when make and missing, with its separator at the
  // end; nullopt where there is none that this user alone may write.
  virtual std::optional<std::string> OwnJournalFolder(bool make) = 0;
  // Where that folder is looked for, for a message: the variables and the folder.
  virtual std::string OwnJournalFolderHint() = 0;
  // One try at the edit lock of a file (locked through its folder where the file is missing).
  virtual LockTry TryEditLock(const std::string& name, std::unique_ptr<HeldLock>& held) = 0;

  // ---- processes ----------------------------------------------------------------------
  virtual std::uint64_t OwnProcess() = 0;
  // Whether a process of that id has ended (false where that cannot be told).
  virtual bool ProcessIsGone(std::uint64_t process) = 0;
  // The user this process saves as, where the system has owners.
  virtual std::optional<std::uint32_t> OwnUser() = 0;
  // Whether that user could write the file by its owner, group and mode (root always could).
  virtual bool CouldWrite(std::uint32_t user, const Node& file) = 0;
};

// The primitives of the system the program runs on.
SavePrimitives& SystemPrimitives();

}  // namespace orvo::platform
