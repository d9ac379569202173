#include "platform/win32/write_in_place.h"

#include <windows.h>

#include <algorithm>

#include "platform/journal.h"
#include "platform/win32/handle.h"
#include "platform/win32/win_error.h"
#include "vocabulary/Failure.h"

namespace orvo::platform::win32 {
namespace {

void MoveTo(HANDLE h, std::int64_t offset) {
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (!SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) ThrowLastError();
}

// The bytes from .. to of bytes, at their own position in the file.
void WriteAt(HANDLE h, const std::string& bytes, std::size_t from, std::size_t to) {
  MoveTo(h, static_cast<std::int64_t>(from));
  WriteAll(h, bytes.substr(from, to - from));
}

void CutAndFlush(HANDLE h, std::size_t length) {
  MoveTo(h, static_cast<std::int64_t>(length));
  if (!SetEndOfFile(h) || !FlushFileBuffers(h)) ThrowLastError();
}

}  // namespace

void WriteAtAndCut(HANDLE h, const std::string& bytes) {
  WriteAt(h, bytes, 0, bytes.size());
  CutAndFlush(h, bytes.size());
}

void WriteInPlace(const std::string& path, const std::string& bytes) {
  Handle h = OpenOrThrow(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h.get(), &size)) ThrowLastError();
  const std::string old = ReadFrom(h.get(), 0, static_cast<std::size_t>(size.QuadPart));
  // From here until Commit() a reader that comes after this process has gone takes the old
  // bytes from the journal, whatever the file holds.
  RollbackJournal journal(path, old);
  failure::Guarded([&] {
    // The room first: the new bytes beyond the old end.
    if (bytes.size() > old.size()) WriteAt(h.get(), bytes, old.size(), bytes.size());
    WriteAt(h.get(), bytes, 0, std::min(old.size(), bytes.size()));
    CutAndFlush(h.get(), bytes.size());
  }, [&](const Failure& f) {
    // Where the old bytes cannot be put back now, the journal stays for the next reader.
    failure::Quietly([&] {
      WriteAtAndCut(h.get(), old);
      journal.Commit();
    });
    throw OrvoError(f.kind, f.description);
  });
  journal.Commit();
}

}  // namespace orvo::platform::win32
