#include "storage/FakeSystem.h"

namespace orvo::test {
namespace {

using platform::Node;
using platform::Refusal;

class FakeFile : public platform::OpenFile {
 public:
  FakeFile(FakeSystem& system, std::shared_ptr<FakeFileNode> node, bool held) : system_(system), node_(std::move(node)) {
    if (held) node_->held = true, holds_ = true;
  }
  ~FakeFile() override {
    if (holds_) node_->held = false;
  }
  const std::shared_ptr<FakeFileNode>& node() const { return node_; }
  Node Facts() override {
    Node facts;
    facts.kind = node_->kind;
    facts.number = std::to_string(node_->id);
    facts.identity = "1-" + facts.number;
    facts.links = 0;
    for (const auto& [name, node] : system_.disk) facts.links += node == node_;
    facts.size = static_cast<std::int64_t>(node_->bytes.size());
    facts.readOnly = node_->readOnly;
    facts.owner = node_->owner;
    facts.group = node_->owner;
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
  bool TryLock(bool) override { return true; }
  bool RemoveName(const std::string& name) override {
    if (!IsNamed(name)) return false;
    system_.Step();
    system_.disk.erase(name);
    return true;
  }

 private:
  FakeSystem& system_;
  std::shared_ptr<FakeFileNode> node_;
  bool holds_ = false;
};

FakeFile& Fake(platform::OpenFile& file) { return static_cast<FakeFile&>(file); }

std::string FolderOf(const std::string& name) { return name.substr(0, name.rfind('/') + 1); }

}  // namespace

void FakeSystem::Put(const std::string& name, const std::string& bytes) {
  disk[name] = std::make_shared<FakeFileNode>(FakeFileNode{bytes});
  disk[name]->id = NewId();
}

FakeSystem::Disk FakeSystem::Copy(const Disk& disk) {
  std::map<FakeFileNode*, std::shared_ptr<FakeFileNode>> copies;  // a second link stays one file
  Disk copy;
  for (const auto& [name, node] : disk) {
    auto& made = copies[node.get()];
    if (!made) made = std::make_shared<FakeFileNode>(*node), made->held = false;
    copy[name] = made;
  }
  return copy;
}

void FakeSystem::Step() {
  if (++steps == killAt) atTheKill = Copy(disk);
  if (atTheKill) throw Killed{};
}

void FakeSystem::Refuse(Refusal refusal) {
  throw platform::SaveRefusal(refusal, refusal == Refusal::AlreadyExists ? OrvoError::Kind::AlreadyExists : OrvoError::Kind::System,
                              "refused");
}

std::optional<Node> FakeSystem::Look(const std::string& name) {
  if (!disk.count(name)) return std::nullopt;
  return FakeFile(*this, disk[name], false).Facts();
}

std::vector<std::string> FakeSystem::NamesBeginningWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& [name, node] : disk)
    if (FolderOf(name) == folder && name.substr(folder.size()).starts_with(prefix)) names.push_back(name.substr(folder.size()));
  return names;
}

void FakeSystem::RemoveName(const std::string& name) {
  if (!disk.count(name)) Refuse(Refusal::Other);
  Step();
  disk.erase(name);
}

void FakeSystem::Rename(const std::string& from, const std::string& to, bool replacing) {
  if (!disk.count(from)) Refuse(Refusal::Other);
  if (replacing && replaceRefused != Refusal::None) Refuse(replaceRefused);
  if (disk.count(to) && !replacing) Refuse(Refusal::AlreadyExists);
  // A replace of two steps takes the old file away first.
  if (replacing && !replaceInOneStep) Step(), disk.erase(to);
  Step();
  disk[to] = disk[from];
  disk.erase(from);
}

void FakeSystem::SetReadOnly(const std::string& name, bool readOnly) {
  Step();
  disk.at(name)->readOnly = readOnly;
}

std::unique_ptr<platform::OpenFile> FakeSystem::Open(const std::string& name) {
  if (!disk.count(name)) Refuse(Refusal::Other);
  return std::make_unique<FakeFile>(*this, disk[name], false);
}

std::unique_ptr<platform::OpenFile> FakeSystem::OpenToWrite(const std::string& name) {
  if (disk.count(name) && (disk[name]->readOnly || disk[name]->kind != platform::NodeKind::PlainFile)) Refuse(Refusal::Other);
  return Open(name);
}

std::unique_ptr<platform::OpenFile> FakeSystem::OpenToRead(const std::string& name) { return Open(name); }

std::unique_ptr<platform::OpenFile> FakeSystem::NewUnnamedFile(const std::string& beside, bool held) {
  if (!unnamedFiles) return nullptr;
  if (takesNoNewFile.count(FolderOf(beside))) Refuse(Refusal::NoNewFileHere);
  auto node = std::make_shared<FakeFileNode>();
  node->id = NewId();
  return std::make_unique<FakeFile>(*this, node, held);
}

void FakeSystem::NameNewFile(platform::OpenFile& file, const std::string& name) {
  if (disk.count(name)) Refuse(Refusal::AlreadyExists);
  Step();
  disk[name] = Fake(file).node();
}

std::unique_ptr<platform::OpenFile> FakeSystem::CreateNewFile(const std::string& name, bool held) {
  if (takesNoNewFile.count(FolderOf(name))) Refuse(Refusal::NoNewFileHere);
  if (disk.count(name)) Refuse(Refusal::AlreadyExists);
  Step();
  Put(name, "");
  return std::make_unique<FakeFile>(*this, disk[name], held);
}

bool FakeSystem::CarryIdentity(const std::string& from, platform::OpenFile& to, platform::Carry use, bool writable) {
  if (use == platform::Carry::Replacement && !carriesIdentity) return false;
  Step();
  const auto& old = disk.at(from);
  Fake(to).node()->owner = old->owner, Fake(to).node()->mode = old->mode;
  Fake(to).node()->readOnly = old->readOnly && !writable;
  return true;
}

void FakeSystem::WriteAsItStands(const std::string& name, const std::string& bytes) {
  Step();
  disk.at(name)->bytes = bytes;
}

std::optional<platform::FoundJournal> FakeSystem::FindJournal(const std::string& name) {
  if (!disk.count(name)) return std::nullopt;
  const bool held = disk[name]->held;
  return platform::FoundJournal{std::make_unique<FakeFile>(*this, disk[name], false), held};
}

}  // namespace orvo::test
