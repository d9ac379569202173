#pragma once
// Win32 only: a file made complete beside another before it takes a name. It is named after
// the file it will become, with this process's id; the next save of that file removes the
// ones whose process has gone, so a program killed on the way leaves nothing for long.
#include <string>

namespace orvo::platform::win32 {

class NewFileBeside {
 public:
  // Creates the new file; throws when the folder takes none.
  explicit NewFileBeside(const std::string& target);
  ~NewFileBeside();
  NewFileBeside(const NewFileBeside&) = delete;
  NewFileBeside& operator=(const NewFileBeside&) = delete;

  const std::string& name() const { return name_; }
  // Writes the bytes and flushes them to the device.
  void Write(const std::string& bytes);
  // After the new file took a name of its own: nothing is left to remove.
  void Published() { published_ = true; }

 private:
  std::string name_;
  bool published_ = false;
};

// The full path of the file that path opens: through a symbolic link (or a chain of them), the
// path of the file it leads to, so that a save writes that file and leaves the link a link, and
// its new file and its journal stand beside that file. path itself where it opens nothing (a
// link that leads to nothing: a save then fails, as one of a name that does not open).
std::string ResolvedPath(const std::string& path);

// Whether a new file's name beside target stays within what the system's path functions take.
bool RoomForNewFileBeside(const std::string& target);
// Removes the new files that processes no longer running left beside target (and beside its
// backup).
void RemoveLeftovers(const std::string& target) noexcept;

}  // namespace orvo::platform::win32
