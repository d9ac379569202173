#include "platform/posix/open_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/device_room.h"
#include "platform/posix/fd.h"
#include "platform/posix/posix_error.h"
#include "platform/write_faults.h"

namespace orvo::platform::posix {
namespace {

// Every byte at offset, over blocks the file already holds or has reserved.
void WriteAllAt(int fd, const std::string& bytes, off_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t now = BytesBeforeTheEnd(bytes.size() - done);
    const ssize_t n = ::pwrite(fd, bytes.data() + done, now, offset + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowLastErrno();
    }
    done += static_cast<std::size_t>(n);
  }
}

class PosixFile : public OpenFile {
 public:
  PosixFile(int fd, bool fresh, bool owned = true) : fd_(fd), fresh_(fresh), owned_(owned) {}
  ~PosixFile() override {
    if (owned_) ::close(fd_);
  }
  int fd() const { return fd_; }

  Node Facts() override;
  std::string ReadAt(std::int64_t offset, std::size_t count) override { return ReadFrom(fd_, offset, count); }
  void WriteAt(std::int64_t offset, const std::string& bytes) override;
  void TakeRoom(std::int64_t oldSize, const std::string& tail) override;
  void Cut(std::int64_t length) override;
  void Flush() override;
  bool IsNamed(const std::string& name) override;
  bool RemoveName(const std::string& name) override { return IsNamed(name) && ::unlink(name.c_str()) == 0; }
  bool TryLock(bool exclusive) override;

 private:
  int fd_;
  bool fresh_, owned_;
};

}  // namespace

std::unique_ptr<OpenFile> FileOf(int fd, bool fresh) { return std::make_unique<PosixFile>(fd, fresh); }
std::unique_ptr<OpenFile> BorrowedFileOf(int fd) { return std::make_unique<PosixFile>(fd, false, false); }
int DescriptorOf(OpenFile& file) { return static_cast<PosixFile&>(file).fd(); }

Node NodeOf(const struct stat& st) {
  Node node;
  node.kind = S_ISREG(st.st_mode) ? NodeKind::PlainFile
              : S_ISDIR(st.st_mode) ? NodeKind::Folder
              : S_ISLNK(st.st_mode) ? NodeKind::Link
                                    : NodeKind::Other;
  node.number = std::to_string(st.st_ino);
  node.identity = std::to_string(st.st_dev) + "-" + node.number;
  node.links = st.st_nlink;
  node.size = st.st_size;
  node.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  node.owner = st.st_uid;
  node.group = st.st_gid;
  node.mode = st.st_mode & 07777;
  node.othersMayWrite = (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  node.version = std::to_string(st.st_size) + "-" + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
  return node;
}

Node PosixFile::Facts() {
  struct stat st{};
  if (::fstat(fd_, &st) != 0) ThrowLastErrno();
  return NodeOf(st);
}

void PosixFile::WriteAt(std::int64_t offset, const std::string& bytes) {
  if (!fresh_) return WriteAllAt(fd_, bytes, static_cast<off_t>(offset));
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) ThrowLastErrno();
  WriteAll(fd_, bytes);
}

void PosixFile::TakeRoom(std::int64_t oldSize, const std::string& tail) {
  if (DeviceRoom(tail.size()) < tail.size()) ThrowErrno(ENOSPC);
  if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, oldSize, static_cast<off_t>(tail.size())) != 0) {
    if (errno != EOPNOTSUPP && errno != ENOSYS) ThrowLastErrno();
    WriteAllAt(fd_, tail, static_cast<off_t>(oldSize));
  }
  SpendDeviceRoom(tail.size());
}

void PosixFile::Cut(std::int64_t length) {
  if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) ThrowLastErrno();
}

void PosixFile::Flush() {
  if (::fsync(fd_) != 0) ThrowLastErrno();
}

bool PosixFile::IsNamed(const std::string& name) {
  struct stat named{}, open{};
  return ::lstat(name.c_str(), &named) == 0 && ::fstat(fd_, &open) == 0 && named.st_dev == open.st_dev &&
         named.st_ino == open.st_ino;
}

// An open file description's lock on one byte far beyond any text: it keeps only this
// program's readers and writers apart, and it is apart from the edit lock's flock().
bool PosixFile::TryLock(bool exclusive) {
  struct flock lock{};
  lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = off_t{1} << 62;
  lock.l_len = 1;
  if (::fcntl(fd_, F_OFD_SETLK, &lock) == 0) return true;
  return errno != EAGAIN && errno != EACCES;
}

}  // namespace orvo::platform::posix
