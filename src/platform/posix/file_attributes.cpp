#include "platform/posix/file_attributes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/posix/fd.h"

namespace orvo::platform::posix {
namespace {

// The names of the attributes listed by list (listxattr or flistxattr on one file); nullopt
// when they cannot be listed. A file system without attributes has none.
template <class List>
std::optional<std::vector<std::string>> Names(List list) {
  ssize_t size = list(nullptr, 0);
  if (size < 0) return errno == ENOTSUP ? std::optional(std::vector<std::string>()) : std::nullopt;
  if (size == 0) return std::vector<std::string>();  // most files: no second call to read nothing
  std::string all(static_cast<std::size_t>(size), '\0');
  size = list(all.data(), all.size());
  if (size < 0) return std::nullopt;
  all.resize(static_cast<std::size_t>(size));
  std::vector<std::string> names;
  for (std::size_t at = 0; at < all.size(); at = all.find('\0', at) + 1) names.emplace_back(all.c_str() + at);
  return names;
}

std::optional<std::vector<std::string>> NamesOf(const std::string& path) {
  return Names([&](char* into, std::size_t size) { return ::listxattr(path.c_str(), into, size); });
}

std::optional<std::vector<std::string>> NamesOf(int fd) {
  return Names([&](char* into, std::size_t size) { return ::flistxattr(fd, into, size); });
}

// The flags an owner may set and a new file may carry: not the ones that would keep it from
// being written or from taking the name.
constexpr int kCarriedFlags = FS_FL_USER_MODIFIABLE & ~(FS_IMMUTABLE_FL | FS_APPEND_FL);

// Takes off the new file every attribute whose name keep does not hold.
bool DropAttributesNotIn(const std::vector<std::string>& keep, int to) {
  const auto now = NamesOf(to);
  if (!now) return false;
  for (const std::string& name : *now)
    if (std::find(keep.begin(), keep.end(), name) == keep.end() && ::fremovexattr(to, name.c_str()) != 0) return false;
  return true;
}

}  // namespace

bool DropAttributesNotOn(const std::string& from, int to) {
  const auto old = NamesOf(from);
  return old && DropAttributesNotIn(*old, to);
}

bool TakeExtendedAttributes(const std::string& from, int to) {
  const auto names = NamesOf(from);
  if (!names || !DropAttributesNotIn(*names, to)) return false;
  for (const std::string& name : *names) {
    const ssize_t length = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
    if (length < 0) return false;
    std::vector<char> value(static_cast<std::size_t>(length));
    if (::getxattr(from.c_str(), name.c_str(), value.data(), value.size()) != length ||
        ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0)
      return false;
  }
  return true;
}

bool TakeInodeFlags(const std::string& from, int to) {
  const int opened = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (opened < 0) return false;
  Fd in(opened);
  int old = 0, now = 0;
  // A file system without inode flags has none to carry.
  if (::ioctl(in.get(), FS_IOC_GETFLAGS, &old) != 0) return errno == ENOTTY || errno == EOPNOTSUPP || errno == EINVAL;
  if ((old & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0 || ::ioctl(to, FS_IOC_GETFLAGS, &now) != 0) return false;
  int wanted = (now & ~kCarriedFlags) | (old & kCarriedFlags);
  if (wanted == now) return true;
  if (::ioctl(to, FS_IOC_SETFLAGS, &wanted) != 0 || ::ioctl(to, FS_IOC_GETFLAGS, &now) != 0) return false;
  return (now & kCarriedFlags) == (old & kCarriedFlags);
}

bool SeesEveryAttribute(int fd) {
  constexpr const char* kProbe = "trusted.orvo-probe";
  if (::fsetxattr(fd, kProbe, "", 0, XATTR_CREATE) == 0) return ::fremovexattr(fd, kProbe) == 0;
  return errno == ENOTSUP;
}

}  // namespace orvo::platform::posix
