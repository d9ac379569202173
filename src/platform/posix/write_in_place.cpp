#include "platform/posix/write_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/device_room.h"
#include "platform/journal.h"
#include "platform/posix/fd.h"
#include "platform/posix/posix_error.h"
#include "platform/write_faults.h"
#include "vocabulary/Failure.h"

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

// Takes the blocks that the bytes beyond the old length need, without changing the file;
// where the file system cannot reserve, those bytes are written beyond the old end (the
// caller cuts the file back if they do not fit).
void ReserveRoom(int fd, const std::string& bytes, off_t oldSize) {
  const auto newSize = static_cast<off_t>(bytes.size());
  if (newSize <= oldSize) return;
  const auto extra = static_cast<std::size_t>(newSize - oldSize);
  if (DeviceRoom(extra) < extra) ThrowErrno(ENOSPC);
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, oldSize, newSize - oldSize) != 0) {
    if (errno != EOPNOTSUPP && errno != ENOSYS) ThrowLastErrno();
    WriteAllAt(fd, bytes.substr(static_cast<std::size_t>(oldSize)), oldSize);
  }
  SpendDeviceRoom(extra);
}

}  // namespace

void WriteAtAndCut(int fd, const std::string& bytes) {
  WriteAllAt(fd, bytes, 0);
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) ThrowLastErrno();
}

void WriteInPlace(const std::string& target, const std::string& bytes) {
  const int opened = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
  if (opened < 0) ThrowLastErrno();
  Fd fd(opened);
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0) ThrowLastErrno();
  const std::string old = ReadFrom(fd.get(), 0, static_cast<std::size_t>(st.st_size));
  // From here until Commit() a reader that comes after this process has gone takes the old
  // bytes from the journal, whatever the file holds.
  RollbackJournal journal(target, old);
  failure::Guarded([&] {
    ReserveRoom(fd.get(), bytes, st.st_size);
    WriteAtAndCut(fd.get(), bytes);
  }, [&](const Failure& f) {
    // Where the old bytes cannot be put back now, the journal stays for the next reader.
    failure::Quietly([&] {
      WriteAtAndCut(fd.get(), old);
      journal.Commit();
    });
    throw OrvoError(f.kind, f.description);
  });
  journal.Commit();
}

}  // namespace orvo::platform::posix
