#include "platform/files.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "platform/device_room.h"
#include "platform/host_path.h"
#include "platform/posix/fd.h"
#include "platform/posix/open_file.h"
#include "platform/posix/posix_error.h"
#include "platform/read_faults.h"
#include "platform/write_faults.h"

namespace orvo::platform {
namespace posix {

Fd OpenOrThrow(const std::string& path, int flags, mode_t mode) {
  int fd = ::open(ToHostPath(path).c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) ThrowLastErrno();
  return Fd(fd);
}

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t room = DeviceRoom(BytesBeforeTheEnd(bytes.size() - done));
    if (room == 0) ThrowErrno(ENOSPC);
    ssize_t n = ::write(fd, bytes.data() + done, room);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowLastErrno();
    }
    SpendDeviceRoom(static_cast<std::size_t>(n));
    done += static_cast<std::size_t>(n);
  }
}

std::string FolderOf(const std::string& hostPath) {
  const auto cut = hostPath.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : hostPath.substr(0, cut);
}

std::string ReadFrom(int fd, std::int64_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    ssize_t n = ::pread(fd, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowLastErrno();
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace posix

namespace {

using posix::Fd;
using posix::OpenOrThrow;
using posix::ReadFrom;
using posix::WriteAll;

// The last-modified time as the file-system object reports it; nullopt when the local time
// cannot be worked out.
std::optional<LocalDateTime> LastModified(const struct stat& st) noexcept {
  std::tm tm{};
  time_t seconds = st.st_mtim.tv_sec;
  if (localtime_r(&seconds, &tm) == nullptr) return std::nullopt;
  return LocalDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                       static_cast<int>(st.st_mtim.tv_nsec / 1000000)};
}

}  // namespace

bool CanOpenForReading(const std::string& path) noexcept {
  int fd = ::open(ToHostPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st{};
  bool isFile = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  ::close(fd);
  return isFile;
}

std::string ReadFileBytes(const std::string& path) {
  Fd fd = OpenOrThrow(path, O_RDONLY);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) posix::ThrowLastErrno();
  if (S_ISDIR(st.st_mode)) posix::ThrowErrno(EISDIR);
  return ReadFrom(fd.get(), 0, static_cast<std::size_t>(st.st_size));
}

std::optional<FileContent> ReadFileBytesIfReadable(const std::string& path, const AcceptOpened& accept,
                                                   const BeforeReading& before) {
  // Not blocking: opening a pipe for reading would wait for a writer without end. (A socket
  // cannot be opened at all, and so reads as a name that cannot be opened.)
  const int fd = ::open(ToHostPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  Fd owned(fd);
  struct stat st{};
  if (::fstat(fd, &st) != 0) posix::ThrowLastErrno();
  if (S_ISDIR(st.st_mode)) return std::nullopt;
  const OpenedKind kind = S_ISREG(st.st_mode)                          ? OpenedKind::PlainFile
                          : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? OpenedKind::Device
                                                                       : OpenedKind::PipeOrSocket;
  accept(kind, kind == OpenedKind::PlainFile ? static_cast<std::int64_t>(st.st_size) : 0);
  if (kind == OpenedKind::PlainFile && before && before(*posix::BorrowedFileOf(fd)) && ::fstat(fd, &st) != 0)
    posix::ThrowLastErrno();
  if (ReadFails(path)) posix::ThrowErrno(EIO);
  const std::string seen = SeenAs(posix::NodeOf(st));
  if (kind != OpenedKind::PlainFile) return FileContent{std::string(), LastModified(st), seen};
  return FileContent{ReadFrom(fd, 0, static_cast<std::size_t>(st.st_size)), LastModified(st), seen};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  Fd fd = OpenOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC);
  WriteAll(fd.get(), bytes);
}

void AppendFileBytes(const std::string& path, const std::string& bytes) {
  Fd fd = OpenOrThrow(path, O_WRONLY | O_CREAT | O_APPEND);
  WriteAll(fd.get(), bytes);
}

BinaryFile::BinaryFile(const std::string& path) : fd_(-1) {
  // Binary access opens for reading and writing and creates a missing file; a read-only
  // file is still opened for reading.
  std::string host = ToHostPath(path);
  int fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) posix::ThrowLastErrno();
  fd_ = fd;
}

BinaryFile::~BinaryFile() { ::close(static_cast<int>(fd_)); }

std::int64_t BinaryFile::Length() const {
  struct stat st{};
  if (::fstat(static_cast<int>(fd_), &st) != 0) posix::ThrowLastErrno();
  return st.st_size;
}

std::string BinaryFile::ReadAt(std::int64_t offset, std::size_t count) const {
  return ReadFrom(static_cast<int>(fd_), offset, count);
}

std::optional<FileFacts> InspectFile(const std::string& path) noexcept {
  struct stat st{};
  if (::stat(ToHostPath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  const auto lastModified = LastModified(st);
  if (!lastModified) return std::nullopt;
  FileFacts facts;
  facts.lastModified = *lastModified;
  facts.size = st.st_size;
  facts.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  return facts;
}

std::optional<NameKind> KindOfName(const std::string& path) noexcept {
  struct stat st{};
  if (::lstat(ToHostPath(path).c_str(), &st) != 0) return std::nullopt;
  if (S_ISLNK(st.st_mode)) return NameKind::Link;
  if (S_ISDIR(st.st_mode)) return NameKind::Folder;
  return S_ISREG(st.st_mode) ? NameKind::PlainFile : NameKind::Other;
}

bool SameFile(const std::string& a, const std::string& b) noexcept {
  struct stat first{}, second{};
  return ::stat(ToHostPath(a).c_str(), &first) == 0 && ::stat(ToHostPath(b).c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void SetReadOnly(const std::string& path, bool readOnly) {
  std::string host = ToHostPath(path);
  struct stat st{};
  if (::stat(host.c_str(), &st) != 0) posix::ThrowLastErrno();
  mode_t mode = st.st_mode & 07777;
  // Read-only means no write bit at all; writable gives the owner the write bit back.
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  if (::chmod(host.c_str(), mode) != 0) posix::ThrowLastErrno();
}

// A name goes with its folder's write and search rights (in a folder with the sticky bit, the
// owner's too).
bool CanDelete(const std::string& path) noexcept {
  const std::string host = ToHostPath(path);
  const std::string folder = posix::FolderOf(host);
  struct stat st{}, file{};
  if (::access(folder.c_str(), W_OK | X_OK) != 0 || ::stat(folder.c_str(), &st) != 0 || ::lstat(host.c_str(), &file) != 0)
    return false;
  const uid_t me = ::geteuid();
  return !(st.st_mode & S_ISVTX) || me == 0 || me == st.st_uid || me == file.st_uid;
}

bool CanMakeFileIn(const std::string& folder) noexcept {
  return ::access(ToHostPath(folder).c_str(), W_OK | X_OK) == 0;
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
  Fd in = OpenOrThrow(from, O_RDONLY);
  struct stat st{};
  if (::fstat(in.get(), &st) != 0) posix::ThrowLastErrno();
  if (S_ISDIR(st.st_mode)) posix::ThrowErrno(EISDIR);
  // The target is opened without truncation first: a copy onto the source itself is refused
  // with the file as it was, as the Windows copy refuses it.
  Fd out = OpenOrThrow(to, O_WRONLY | O_CREAT, st.st_mode & 0777);
  struct stat target{};
  if (::fstat(out.get(), &target) != 0) posix::ThrowLastErrno();
  if (target.st_dev == st.st_dev && target.st_ino == st.st_ino) posix::ThrowErrno(EBUSY);
  if (::ftruncate(out.get(), 0) != 0) posix::ThrowLastErrno();
  off_t offset = 0;
  while (offset < st.st_size) {
    ssize_t n = ::sendfile(out.get(), in.get(), &offset, static_cast<std::size_t>(st.st_size - offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      posix::ThrowLastErrno();
    }
    if (n == 0) break;
  }
  // A copy keeps the source's modification time, as the Windows copy does.
  timespec times[2] = {st.st_atim, st.st_mtim};
  ::futimens(out.get(), times);
}

void RemoveFile(const std::string& path) {
  if (::unlink(ToHostPath(path).c_str()) != 0) posix::ThrowLastErrno();
}

void MakeDirectory(const std::string& path) {
  if (::mkdir(ToHostPath(path).c_str(), 0777) != 0) posix::ThrowLastErrno();
}

void RemoveEmptyDirectory(const std::string& path) {
  if (::rmdir(ToHostPath(path).c_str()) != 0) posix::ThrowLastErrno();
}

}  // namespace orvo::platform
