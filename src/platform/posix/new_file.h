#pragma once
// POSIX only: a file made complete before it takes its name, so that a name never leads to
// half a file. Where the file system allows it the file has no name at all until then, and a
// program killed on the way leaves nothing behind; elsewhere it is named after the file it
// will become, with this process's id, and the next save of that file removes it once that
// process has gone.
#include <sys/types.h>

#include <string>

namespace orvo::platform::posix {

class NewFile {
 public:
  // A new file in the folder of the host path beside (which need not exist). Check ok():
  // a folder that takes no new file is the caller's to handle.
  NewFile(const std::string& beside, mode_t mode);
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  // errno of the failed creation, or of the failed Publish.
  int error() const { return error_; }
  int fd() const { return fd_; }
  // Flushes the bytes to the device and gives the file the host path name: over the file of
  // that name with replacing, else failing with kind AlreadyExists when the name is taken.
  // Throws on failure, leaving the name as it was.
  void Publish(const std::string& name, bool replacing);

 private:
  std::string named_;  // empty while the file has no name
  int fd_ = -1;
  int error_ = 0;
  bool published_ = false;
};

// Removes the new files that processes no longer running left beside the host path file
// (and beside its backup). Those of running processes are theirs to finish.
void RemoveLeftovers(const std::string& file) noexcept;

// The folder of a host path ("." for a bare name).
std::string FolderOf(const std::string& hostPath);
// Flushes the names in the folder of a host path to the device; a folder that cannot be
// synced is let be.
void SyncFolderOf(const std::string& hostPath) noexcept;
// The host path of the file a path text stands for: a link is followed to the file it
// names, so that the link stays; a link to a file not there yet, to where it leads; any other
// name is given as it stands.
std::string ResolvedHostPath(const std::string& path);

}  // namespace orvo::platform::posix
