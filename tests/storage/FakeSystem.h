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

using platform::Node;
using platform::OpenFile;
using platform::Refusal;

struct FakeFileNode {
  std::string bytes;
  platform::NodeKind kind = platform::NodeKind::PlainFile;
  bool readOnly = false, held = false;
  std::uint32_t owner = 1000, mode = 0644;
  int id = 0, written = 0;
};
using FakeDisk = std::map<std::string, std::shared_ptr<FakeFileNode>>;

inline std::string FolderOf(const std::string& name) { return name.substr(0, name.rfind('/') + 1); }

class FakeSystem : public platform::SavePrimitives {
 public:
  FakeDisk disk;
  // How this system is: new files with no name (as Linux has them) and a replace in one step,
  // or named new files and a replace that first takes the old file away (as Windows has them).
  bool unnamedFiles = true, replaceInOneStep = true;
  std::size_t longestName = 255;
  std::set<std::string> takesNoNewFile;  // folders
  bool carriesIdentity = true, mayReplace = true, hasOwnFolder = true;
  Refusal replaceRefused = Refusal::None;
  bool refusedOnceTheOldFileWent = false;  // as Windows' ReplaceFile may be
  std::uint64_t process = 7;
  // The step (counted from 1) that changes the disk at which the process is killed, or which
  // the system refuses as a full device does; 0: none.
  int killAt = 0, failAt = 0, steps = 0;
  std::optional<FakeDisk> atTheKill;

  void Put(const std::string& name, const std::string& bytes) {
    disk[name] = std::make_shared<FakeFileNode>(FakeFileNode{bytes});
    disk[name]->id = ++lastId_;
  }
  std::string Bytes(const std::string& name) const { return disk.at(name)->bytes; }
  // The disk as a process that comes after the killed one finds it: the same files, held by no one.
  static FakeDisk Copy(const FakeDisk& disk) {
    std::map<FakeFileNode*, std::shared_ptr<FakeFileNode>> copies;  // a second link stays one file
    FakeDisk copy;
    for (const auto& [name, node] : disk) {
      auto& made = copies[node.get()];
      if (!made) made = std::make_shared<FakeFileNode>(*node), made->held = false;
      copy[name] = made;
    }
    return copy;
  }
  void Step() {
    if (++steps == killAt) atTheKill = Copy(disk);
    if (atTheKill) throw std::runtime_error("killed");
    if (steps == failAt) Refuse(Refusal::Other);
  }
  [[noreturn]] static void Refuse(Refusal refusal) {
    throw platform::SaveRefusal(
        refusal, refusal == Refusal::AlreadyExists ? OrvoError::Kind::AlreadyExists : OrvoError::Kind::System, "refused");
  }
  std::unique_ptr<OpenFile> FileOf(std::shared_ptr<FakeFileNode> node, bool held);
  std::unique_ptr<OpenFile> Named(const std::string& name) {
    if (!disk.count(name)) Refuse(Refusal::Other);
    return FileOf(disk[name], false);
  }
  FakeFileNode& NodeOf(OpenFile& file);

  std::size_t LastSeparator(const std::string& name) override { return name.rfind('/'); }
  bool NameFits(const std::string& name) override { return name.size() <= longestName; }
  std::string ResolveLink(const std::string& name) override { return name; }
  std::optional<Node> Look(const std::string& name) override {
    return disk.count(name) ? std::optional(Named(name)->Facts()) : std::nullopt;
  }
  bool MayWrite(const std::string& name) override { return disk.count(name) && !disk[name]->readOnly; }
  std::vector<std::string> NamesBeginningWith(const std::string& folder, const std::string& prefix) override {
    std::vector<std::string> names;
    for (const auto& [name, node] : disk)
      if (FolderOf(name) == folder && name.substr(folder.size()).starts_with(prefix)) names.push_back(name.substr(folder.size()));
    return names;
  }
  void RemoveName(const std::string& name) override {
    if (!disk.count(name)) Refuse(Refusal::Other);
    Step(), disk.erase(name);
  }
  void Rename(const std::string& from, const std::string& to, bool replacing) override {
    if (!disk.count(from)) Refuse(Refusal::Other);
    if (replacing && replaceRefused != Refusal::None) Refuse(replaceRefused);
    if (disk.count(to) && !replacing) Refuse(Refusal::AlreadyExists);
    if (replacing && !replaceInOneStep) Step(), disk.erase(to);  // a replace of two steps takes the old file away first
    if (replacing && refusedOnceTheOldFileWent) Refuse(Refusal::NotAsItStands);
    Step(), disk[to] = disk[from], disk.erase(from);
  }
  bool ReplaceIsOneStep() override { return replaceInOneStep; }
  void SyncFolderOf(const std::string&) noexcept override {}
  void SetReadOnly(const std::string& name, bool readOnly) override { Step(), disk.at(name)->readOnly = readOnly; }
  bool MayReplace(const std::string&) override { return mayReplace; }
  std::unique_ptr<OpenFile> OpenToWrite(const std::string& name) override {
    if (disk.count(name) && (disk[name]->readOnly || disk[name]->kind != platform::NodeKind::PlainFile)) Refuse(Refusal::Other);
    return Named(name);
  }
  std::unique_ptr<OpenFile> OpenToRead(const std::string& name) override { return Named(name); }
  std::unique_ptr<OpenFile> NewUnnamedFile(const std::string& beside, bool held) override {
    if (!unnamedFiles) return nullptr;
    if (takesNoNewFile.count(FolderOf(beside))) Refuse(Refusal::NoNewFileHere);
    auto node = std::make_shared<FakeFileNode>();
    node->id = ++lastId_;
    return FileOf(node, held);
  }
  void NameNewFile(OpenFile& file, const std::string& name) override;
  std::unique_ptr<OpenFile> CreateNewFile(const std::string& name, bool held) override {
    if (takesNoNewFile.count(FolderOf(name))) Refuse(Refusal::NoNewFileHere);
    if (disk.count(name)) Refuse(Refusal::AlreadyExists);
    Step(), Put(name, "");
    return FileOf(disk[name], held);
  }
  bool CarryIdentity(const std::string& from, OpenFile& to, platform::Carry use, bool writable) override {
    if (use == platform::Carry::Replacement && !carriesIdentity) return false;
    Step();
    const auto& old = disk.at(from);
    NodeOf(to).owner = old->owner, NodeOf(to).mode = old->mode, NodeOf(to).readOnly = old->readOnly && !writable;
    return true;
  }
  void GiveNewFileDefaults(OpenFile&) override { Step(); }
  void GiveReadersOf(const Node&, OpenFile&) override { Step(); }
  void WriteAsItStands(const std::string& name, const std::string& bytes) override { Step(), disk.at(name)->bytes = bytes; }
  std::optional<platform::FoundJournal> FindJournal(const std::string& name) override {
    if (!disk.count(name)) return std::nullopt;
    const bool held = disk[name]->held;
    return platform::FoundJournal{Named(name), held};
  }
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
  bool CouldWrite(std::uint32_t user, const Node& file) override { return user == 0 || file.owner == user; }

 private:
  int lastId_ = 100;
};

class FakeFile : public OpenFile {
 public:
  FakeFile(FakeSystem& system, std::shared_ptr<FakeFileNode> node, bool held) : system_(system), node_(std::move(node)) {
    if (held) node_->held = holds_ = true;
  }
  ~FakeFile() override {
    if (holds_) node_->held = false;
  }
  FakeFileNode& node() { return *node_; }
  const std::shared_ptr<FakeFileNode>& shared() const { return node_; }
  Node Facts() override {
    Node facts;
    facts.kind = node_->kind;
    facts.number = std::to_string(node_->id);
    facts.identity = "1-" + facts.number;
    facts.links = 0;
    for (const auto& [name, node] : system_.disk) facts.links += node == node_;
    facts.size = static_cast<std::int64_t>(node_->bytes.size());
    facts.readOnly = node_->readOnly;
    facts.owner = facts.group = node_->owner;
    facts.mode = node_->mode;
    facts.othersMayWrite = (node_->mode & 022) != 0;
    facts.version = std::to_string(node_->bytes.size()) + "-" + std::to_string(node_->written);
    return facts;
  }
  std::string ReadAt(std::int64_t offset, std::size_t count) override {
    const auto at = static_cast<std::size_t>(offset);
    return at >= node_->bytes.size() ? std::string() : node_->bytes.substr(at, count);
  }
  // In two steps, as a write that a kill can stop half-way.
  void WriteAt(std::int64_t offset, const std::string& bytes) override {
    const auto at = static_cast<std::size_t>(offset), half = bytes.size() / 2;
    for (const auto& [from, length] : {std::pair{std::size_t{0}, half}, {half, bytes.size() - half}}) {
      system_.Step();
      if (node_->bytes.size() < at + from + length) node_->bytes.resize(at + from + length);
      node_->bytes.replace(at + from, length, bytes, from, length);
      ++node_->written;
    }
  }
  void TakeRoom(std::int64_t, const std::string&) override { system_.Step(); }
  void Cut(std::int64_t length) override { system_.Step(), node_->bytes.resize(static_cast<std::size_t>(length)); }
  void Flush() override { system_.Step(); }
  bool IsNamed(const std::string& name) override { return system_.disk.count(name) && system_.disk[name] == node_; }
  bool RemoveName(const std::string& name) override {
    if (!IsNamed(name)) return false;
    system_.Step(), system_.disk.erase(name);
    return true;
  }
  bool TryLock(bool) override { return true; }

 private:
  FakeSystem& system_;
  std::shared_ptr<FakeFileNode> node_;
  bool holds_ = false;
};

inline std::unique_ptr<OpenFile> FakeSystem::FileOf(std::shared_ptr<FakeFileNode> node, bool held) {
  return std::make_unique<FakeFile>(*this, std::move(node), held);
}
inline FakeFileNode& FakeSystem::NodeOf(OpenFile& file) { return static_cast<FakeFile&>(file).node(); }
inline void FakeSystem::NameNewFile(OpenFile& file, const std::string& name) {
  if (disk.count(name)) Refuse(Refusal::AlreadyExists);
  Step(), disk[name] = static_cast<FakeFile&>(file).shared();
}

}  // namespace orvo::test
