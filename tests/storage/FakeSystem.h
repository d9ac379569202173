#pragma once
// A set of save primitives that a test steers: files in memory, each primitive refused as a
// system refuses it, the systems' own ways (new files with no name or named ones, a replace in
// one step or in two), and a kill at any step: the disk as it stood at that moment is kept,
// and nothing the dead process does after it reaches the disk.
#include <map>
#include <memory>
#include <set>

#include "platform/save_primitives.h"

namespace orvo::test {

struct FakeFileNode {
  std::string bytes;
  platform::NodeKind kind = platform::NodeKind::PlainFile;
  bool readOnly = false, held = false;
  std::uint32_t owner = 1000, mode = 0644;
  int id = 0, written = 0;
};

// A process that ended at the step it was killed at.
struct Killed {};

class FakeSystem : public platform::SavePrimitives {
 public:
  using Disk = std::map<std::string, std::shared_ptr<FakeFileNode>>;
  Disk disk;
  // How this system is: new files with no name (as Linux has them) and a replace in one step,
  // or named new files and a replace that first takes the old file away (as Windows has them).
  bool unnamedFiles = true, replaceInOneStep = true;
  std::size_t longestName = 255;
  std::set<std::string> takesNoNewFile;  // folders
  bool carriesIdentity = true, mayReplace = true, hasOwnFolder = true;
  platform::Refusal replaceRefused = platform::Refusal::None;
  std::uint64_t process = 7;
  // The step (counted from 1) at which the process is killed; 0 for none.
  int killAt = 0, steps = 0;
  std::optional<Disk> atTheKill;

  void Put(const std::string& name, const std::string& bytes);
  std::string Bytes(const std::string& name) const { return disk.at(name)->bytes; }
  // The disk of a process that comes after the killed one: the same files, held by no one.
  static Disk Copy(const Disk& disk);
  // Counts a step that changes the disk, and kills the process there when it is due.
  void Step();
  int NewId() { return ++lastId_; }

  std::size_t LastSeparator(const std::string& name) override { return name.rfind('/'); }
  bool NameFits(const std::string& name) override { return name.size() <= longestName; }
  std::string ResolveLink(const std::string& name) override { return name; }
  std::optional<platform::Node> Look(const std::string& name) override;
  bool MayWrite(const std::string& name) override { return disk.count(name) && !disk[name]->readOnly; }
  std::vector<std::string> NamesBeginningWith(const std::string& folder, const std::string& prefix) override;
  void RemoveName(const std::string& name) override;
  void Rename(const std::string& from, const std::string& to, bool replacing) override;
  bool ReplaceIsOneStep() override { return replaceInOneStep; }
  void SyncFolderOf(const std::string&) noexcept override {}
  void SetReadOnly(const std::string& name, bool readOnly) override;
  bool MayReplace(const std::string&) override { return mayReplace; }
  std::unique_ptr<platform::OpenFile> OpenToWrite(const std::string& name) override;
  std::unique_ptr<platform::OpenFile> OpenToRead(const std::string& name) override;
  std::unique_ptr<platform::OpenFile> NewUnnamedFile(const std::string& beside, bool held) override;
  void NameNewFile(platform::OpenFile& file, const std::string& name) override;
  std::unique_ptr<platform::OpenFile> CreateNewFile(const std::string& name, bool held) override;
  bool CarryIdentity(const std::string& from, platform::OpenFile& to, platform::Carry use, bool writable) override;
  void GiveNewFileDefaults(platform::OpenFile&) override { Step(); }
  void GiveReadersOf(const platform::Node&, platform::OpenFile&) override { Step(); }
  void WriteAsItStands(const std::string& name, const std::string& bytes) override;
  std::optional<platform::FoundJournal> FindJournal(const std::string& name) override;
  std::optional<std::string> OwnJournalFolder(bool) override {
    return hasOwnFolder ? std::optional<std::string>("/own/") : std::nullopt;
  }
  std::string OwnJournalFolderHint() override { return "set HOME"; }
  platform::LockTry TryEditLock(const std::string&, std::unique_ptr<platform::HeldLock>&) override {
    return platform::LockTry::NothingToLock;
  }
  std::uint64_t OwnProcess() override { return process; }
  bool ProcessIsGone(std::uint64_t other) override { return other != process; }
  std::optional<std::uint32_t> OwnUser() override { return 1000; }
  bool CouldWrite(std::uint32_t user, const platform::Node& file) override { return user == 0 || file.owner == user; }

 private:
  void Refuse(platform::Refusal refusal);
  std::unique_ptr<platform::OpenFile> Open(const std::string& name);
  int lastId_ = 100;
};

}  // namespace orvo::test
