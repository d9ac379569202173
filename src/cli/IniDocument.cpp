#include "cli/IniDocument.h"

#include <algorithm>

#include "cli/Diagnostics.h"
#include "cli/Encoding.h"
#include "cli/Outcome.h"
#include "platform/files.h"
#include "vocabulary/Failure.h"
#include "platform/host_path.h"

namespace orvo::cli {

namespace {

// The engine's path texts separate folders by backslashes only; a user may write '/' on
// either platform. A bare name gets ".\" in front so that the engine sees its own name
// after a backslash: its log entry then reads "Indexing player.ini" rather than "Indexing ".
std::string EnginePathText(const std::string& fileArgument) {
  std::string text = platform::FromHostPath(fileArgument);
  std::replace(text.begin(), text.end(), '/', '\\');
  if (text.find('\\') == std::string::npos && text.find(':') == std::string::npos) text.insert(0, ".\\");
  return text;
}

}  // namespace

IniDocument::IniDocument(const std::string& fileArgument, Use use)
    : argument_(fileArgument), pathText_(EnginePathText(fileArgument)) {
  if (use == Use::Edit) {
    failure::Guarded([&] { lock_.emplace(pathText_, kLockWaitMs); },
                     [&](const Failure& f) -> void { throw CommandFailed(argument_ + ": " + f.description); });
  }
  // The binding comes first: it finishes what a killed save left, which may give the name its file.
  ini_.SetFilename(pathText_);
  existed_ = Common().FileExists(pathText_);
  // A file that is there but cannot be read is not taken for a missing one: an edit would
  // save a new text over it (the engine refuses that save too; here it is refused first).
  if (use == Use::Edit && !existed_ && platform::InspectFile(pathText_))
    throw CommandFailed("cannot read " + argument_ + ", so it is left as it is");
  // A file the engine cannot hold: its box has said so, and nothing may be read or written.
  if (FailureReported()) throw AlreadyReported{};
  // The game and the loader read bytes: the user learns what they lose of a file saved with
  // a byte-order mark. The command still runs; a check reports it as a finding instead.
  if (const auto note = ByteOrderMarkNote(ini_.IniString(), argument_); note && existed_ && use != Use::Check)
    Warn(*note);
  if (existed_) WarnOfStaleIndex(use);
}

void IniDocument::WarnOfStaleIndex(Use use) {
  // The engine trusted the index file (strictly newer than the file, readable as one); the
  // loader then answers from it, whatever the text says. It is held against the index that
  // the text gives, which an index file holds with a line end after it.
  if (!ini_.IndexFromFile()) return;
  INIFile fromText = ini_;
  fromText.BuildIndex();
  if (ini_.IndexString() != fromText.IndexString() + "\r\n")
    Warn("the index file " + platform::ToHostPath(ini_.IndexFileName()) + " does not match " + argument_ +
         ": the game and the loader look values up in it, orvo's edits go by the text ('orvo ini index --write " +
         argument_ + "' mends it)");
  // An edit goes by the text's own index; a lookup answers from the index file, as the loader's.
  if (use == Use::Edit) ini_ = std::move(fromText);
}

void IniDocument::RequireReadable() const {
  if (!existed_) throw CommandFailed("cannot read " + argument_);
}

std::optional<std::string> IniDocument::Lookup(const std::string& section, const std::string& entry) {
  std::string value = ini_.GetIniValue(section, entry);
  if (!value.empty()) return value;
  // GetIniValue has brought the index up to date; its own key search answers whether a
  // record is there.
  if (!ini_.HasIniRecord(section, entry)) return std::nullopt;
  return value;
}

std::optional<std::string> IniDocument::FindSection(const std::string& section) {
  std::string found = ini_.dbGetSection(section);
  if (found.empty()) return std::nullopt;
  return found;
}

std::vector<std::pair<std::string, std::string>> IniDocument::EntriesOfFoundSection() {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string entry, value;
  for (ini_.dbGNS(entry, value); !entry.empty(); ini_.dbGNS(entry, value)) entries.emplace_back(entry, value);
  return entries;
}

std::vector<std::string> IniDocument::SectionNames() const { return ini_.SectionNames(); }

std::string IniDocument::IndexFileBeside() const {
  const std::string indexFile = ini_.IndexFileName();
  // A name without a folder, or with ".\", lies in the current folder.
  const auto folder = [](const std::string& name) {
    const std::string path = Common().FilePath(name);
    return path.empty() ? std::string(".\\") : path;
  };
  if (folder(indexFile) != folder(pathText_))
    throw CommandFailed("the index file of " + argument_ + " would be " + platform::ToHostPath(indexFile) +
                        ", outside its folder");
  if (const auto refusal = ini_.IndexFileRefusal())
    throw CommandFailed("the index file " + platform::ToHostPath(indexFile) + " of " + argument_ + " " + *refusal +
                        ": orvo writes no index file there");
  return indexFile;
}

void IniDocument::Save(bool backup, bool withIndex) {
  // An edit that failed halfway leaves a text that nobody asked for: it is not saved. Its box
  // was the command's one line.
  if (FailureReported()) throw AlreadyReported{};
  if (!ini_.Changed()) return;
  ini_.SetSaveIndex(withIndex);
  if (withIndex) ini_.BuildIndex();
  // Players make a game's file read-only so that the game leaves it alone. The engine's save
  // makes such a file writable to write it, as its callers expect; orvo's keeps the mark.
  ini_.SetKeepsReadOnly(true);
  ini_.Save(backup && existed_);
  if (FailureReported()) throw AlreadyReported{};
  if (ini_.Changed()) throw CommandFailed(argument_ + " was not saved");
}

std::string IniDocument::Where(const std::string& section) const {
  return "[" + section + "] of " + argument_;
}

std::string IniDocument::Where(const std::string& section, const std::string& entry) const {
  return "'" + entry + "' in " + Where(section);
}

}  // namespace orvo::cli
