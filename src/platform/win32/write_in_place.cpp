#include "platform/win32/write_in_place.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/kept_copy.h"
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

void WriteInPlace(const std::string& path, const std::string& bytes, const std::string& keptIn) {
  Handle h = OpenOrThrow(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h.get(), &size)) ThrowLastError();
  const std::string old = ReadFrom(h.get(), 0, static_cast<std::size_t>(size.QuadPart));
  std::optional<KeptCopy> copy;
  if (keptIn.empty()) copy.emplace(old);
  // The room first: the new bytes beyond the old end.
  if (bytes.size() > old.size()) {
    failure::Guarded([&] { WriteAt(h.get(), bytes, old.size(), bytes.size()); }, [&](const Failure& f) {
      failure::Quietly([&] { CutAndFlush(h.get(), old.size()); });
      throw OrvoError(f.kind, f.description);
    });
  }
  failure::Guarded([&] {
    WriteAt(h.get(), bytes, 0, std::min(old.size(), bytes.size()));
    CutAndFlush(h.get(), bytes.size());
  }, [&](const Failure& f) {
    failure::Guarded([&] {
      WriteAt(h.get(), old, 0, old.size());
      CutAndFlush(h.get(), old.size());
    }, [&](const Failure&) {
      if (copy) copy->Keep();
    });
    throw OrvoError(f.kind, f.description);
  });
}

}  // namespace orvo::platform::win32

namespace orvo::platform {

std::string WriteTemporaryCopy(const std::string& bytes) {
  char folder[MAX_PATH + 1];
  char name[MAX_PATH];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH || GetTempFileNameA(folder, "orv", 0, name) == 0) win32::ThrowLastError();
  failure::Guarded([&] {
    win32::Handle h = win32::OpenOrThrow(name, GENERIC_WRITE, TRUNCATE_EXISTING);
    win32::WriteAll(h.get(), bytes);
    if (!FlushFileBuffers(h.get())) win32::ThrowLastError();
  }, [&](const Failure& f) {
    RemoveTemporaryCopy(name);
    throw OrvoError(f.kind, f.description);
  });
  return name;
}

void RemoveTemporaryCopy(const std::string& name) noexcept { DeleteFileA(name.c_str()); }

}  // namespace orvo::platform
