#include "platform/directory_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

#include "vocabulary/TextOps.h"
#include "platform/host_path.h"
#include "platform/posix/posix_error.h"

namespace orvo::platform {
namespace {

// The listing rules of the Windows build, kept on POSIX:
// - hidden means a name that begins with a point;
// - "system files" are everything that is neither a regular file nor a directory (devices,
//   sockets, pipes): they are never listed;
// - the pattern knows only the Windows wildcards, '*' for any run of characters and '?' for
//   one, and is matched without regard to case; "*.*" lists every name, and a pattern
//   ending in "*." lists only names without a point.
struct Cursor {
  std::unique_ptr<DIR, int (*)(DIR*)> dir{nullptr, closedir};
  std::string hostDir;
  std::string pattern;
  bool includeDirectories = false;
  bool namesWithoutPoint = false;
};

Cursor& TheCursor() {
  static Cursor cursor;
  return cursor;
}

// Wildcard match, '*' and '?', letters compared ignoring case.
bool Matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || text::UpperAscii(pattern[p]) == text::UpperAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

void StartListing(const std::string& pattern, bool includeDirectories) {
  Cursor& c = TheCursor();
  c.dir.reset();
  std::string host = ToHostPath(pattern);
  std::size_t slash = host.rfind('/');
  c.hostDir = slash == std::string::npos ? "./" : host.substr(0, slash + 1);
  c.pattern = slash == std::string::npos ? host : host.substr(slash + 1);
  c.includeDirectories = includeDirectories;
  c.namesWithoutPoint = false;
  if (c.pattern == "*.*") c.pattern = "*";
  if (c.pattern.size() >= 2 && c.pattern.ends_with("*.")) {
    c.pattern.pop_back();
    c.namesWithoutPoint = true;
  }
  DIR* dir = ::opendir(c.hostDir.c_str());
  // A folder that does not exist holds no files: an empty listing, as on Windows. A folder
  // that exists but cannot be read is a failure.
  if (dir == nullptr && (errno == ENOENT || errno == ENOTDIR)) return;
  if (dir == nullptr) posix::ThrowLastErrno();
  c.dir.reset(dir);
}

std::optional<ListedName> NextListed() {
  Cursor& c = TheCursor();
  if (!c.dir) return std::nullopt;
  while (dirent* entry = ::readdir(c.dir.get())) {
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (c.namesWithoutPoint && name.find('.') != std::string::npos) continue;
    if (!Matches(c.pattern, name)) continue;
    struct stat st{};
    if (::stat((c.hostDir + name).c_str(), &st) != 0) continue;
    bool isDirectory = S_ISDIR(st.st_mode);
    if (isDirectory ? !c.includeDirectories : !S_ISREG(st.st_mode)) continue;
    return ListedName{name, isDirectory};
  }
  c.dir.reset();
  return std::nullopt;
}

}  // namespace orvo::platform
