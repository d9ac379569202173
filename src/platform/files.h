#pragma once
// File services. Paths are path texts (see host_path.h); file contents are bytes, one
// character per byte. Unless a function says otherwise it throws OrvoError on failure.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/local_time.h"

namespace orvo::platform {

class OpenFile;  // save_primitives.h

// True when the name is a file that can be opened for reading now (not a directory).
bool CanOpenForReading(const std::string& path) noexcept;

// Whole content; throws when the file cannot be opened or read.
std::string ReadFileBytes(const std::string& path);
// What a name opened for reading is: a plain file; a device (NUL, CON, /dev/null, a
// terminal), which has no length; or a pipe or a socket, whose reading waits for a writer and
// takes the bytes away from the program they were written for.
enum class OpenedKind { PlainFile, Device, PipeOrSocket };
// A whole content together with the file's last-modified time as InspectFile reports it
// (nullopt where InspectFile would report nothing), both taken from the same opening.
struct FileContent {
  std::string bytes;
  std::optional<LocalDateTime> lastModified;
  // Which file it was, and as it was (SeenAs of save_primitives.h).
  std::string seen;
};
// Called with what the opened name is and its length (0 for a device), before anything of it is
// read; it refuses the name by throwing.
using AcceptOpened = std::function<void(OpenedKind, std::int64_t size)>;
// What CanOpenForReading and then ReadFileBytes give, with one opening of the file: nullopt
// when it cannot be opened for reading (or is a directory); throws when accept refuses it or it
// opens but cannot be read. The opening never waits (a pipe without a writer), and nothing but a
// plain file is read: a device reads as the empty text.
//
// before, where given, is called with a plain file opened, once accept has taken it and before
// anything of it is read; where it answers that it changed the file, the reading looks at the
// file again.
using BeforeReading = std::function<bool(OpenFile&)>;
std::optional<FileContent> ReadFileBytesIfReadable(const std::string& path, const AcceptOpened& accept,
                                                   const BeforeReading& before = {});
// Replaces the content (creating the file) or appends to it (creating it when missing).
void WriteFileBytes(const std::string& path, const std::string& bytes);
void AppendFileBytes(const std::string& path, const std::string& bytes);
// A file opened for binary access, created empty when it does not exist; closed when the
// object goes. Positions are 0-based byte offsets here.
class BinaryFile {
 public:
  explicit BinaryFile(const std::string& path);
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  std::int64_t Length() const;
  // Reads up to count bytes at offset; fewer at the end of the file.
  std::string ReadAt(std::int64_t offset, std::size_t count) const;

 private:
  std::intptr_t fd_;
};

// What the file-system object reports about a file; nullopt when it cannot be inspected
// (missing, a directory, inaccessible).
struct FileFacts {
  LocalDateTime lastModified;
  std::int64_t size = 0;
  bool readOnly = false;
};
std::optional<FileFacts> InspectFile(const std::string& path) noexcept;
void SetReadOnly(const std::string& path, bool readOnly);
// What a name is by itself, a link not followed; nullopt when nothing has that name (or it
// cannot be asked about).
enum class NameKind { PlainFile, Folder, Link, Other };  // Other: a device, a pipe, a socket
std::optional<NameKind> KindOfName(const std::string& path) noexcept;
// Whether two names lead to one file: the same name, a link to it, a second (hard) link of it.
// False when either leads to nothing.
bool SameFile(const std::string& a, const std::string& b) noexcept;

// Whether this program could delete the file now (false where it is read-only on Windows,
// held open by a program that lets no one delete it, or in a folder that lets this user make
// and remove no names), and whether it could make a file in the folder. Nothing is left behind.
bool CanDelete(const std::string& path) noexcept;
bool CanMakeFileIn(const std::string& folder) noexcept;

void CopyFileReplacing(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
void MakeDirectory(const std::string& path);
void RemoveEmptyDirectory(const std::string& path);

}  // namespace orvo::platform
