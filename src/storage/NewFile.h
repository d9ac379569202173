#pragma once
// A file made complete before it takes its name, so that a name never leads to half a file.
// Where the system allows it the file has no name at all until then, and a program killed on
// the way leaves nothing behind; elsewhere it is named after the file it will become
// (NewFileName.h), and the next save of that file removes it once its process has gone. On a
// system whose replace is not one step, a complete file is renamed to its ready name before
// the replace, so that a reader who finds the name empty knows the text to put there.
#include <functional>
#include <memory>
#include <string>

#include "platform/save_primitives.h"

namespace orvo::storage {

class NewFile {
 public:
  // A new file beside target, readable by this process alone; throws the system's refusal
  // (a folder that takes no new file, no room for the name).
  NewFile(platform::SavePrimitives& system, const std::string& target);
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  platform::OpenFile& file() { return *file_; }
  // Flushes the bytes and gives the file the name target: over the file of that name with
  // replacing, else failing with AlreadyExists where the name is taken. A refusal that leaves
  // target as it was (kLeftAsItStands) comes back, with nothing left of this file; any other
  // failure is thrown.
  platform::Refusal Publish(bool replacing);

 private:
  // How the file comes to a free name of its own: made under it, given it while it has none,
  // or renamed to it once complete.
  enum class Naming { Create, NameUnnamed, MarkReady };
  void NameFree(Naming naming);

  platform::SavePrimitives& system_;
  std::string target_;
  std::string named_;  // empty while the file has no name
  std::unique_ptr<platform::OpenFile> file_;
  bool published_ = false;
};

// A file not there yet made under its own name, where no new file can be made beside it: fill
// writes it, and the file is removed again where it cannot be completed.
void MakeWhereItStands(platform::SavePrimitives& system, const std::string& target,
                       const std::function<void(platform::OpenFile&)>& fill);

// Whether a new file can take target's place: room beside it for the longest name it could take
// on the way.
bool RoomForNewFileBeside(platform::SavePrimitives& system, const std::string& target);

}  // namespace orvo::storage
